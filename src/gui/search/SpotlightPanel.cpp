#include "gui/search/SpotlightPanel.h"

#include "core/search/SpotlightListModel.h"
#include "core/search/SpotlightTexts.h"
#include "gui/common/ClearButton.h"
#include "gui/common/Icons.h"
#include "gui/common/PanelList.h"
#include "gui/common/Theme.h"
#include "gui/search/SpotlightDelegate.h"
#include "gui/search/SpotlightIndexService.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int kWidth = 620;
constexpr int kMargin = 12;

} // namespace

SpotlightPanel::SpotlightPanel(SpotlightIndexService& index,
                               std::function<void(const QString&, const QUuid&)> open,
                               QWidget& window, QWidget& anchor)
    : OverlayPanel(window, anchor), m_index(index), m_open(std::move(open)) {
    setObjectName(QStringLiteral("spotlightPanel"));
    setAccessibleName(SpotlightTexts::openLabel());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("spotlightField"));
    m_field->setAccessibleName(SpotlightTexts::openLabel());
    m_field->setPlaceholderText(SpotlightTexts::placeholder());
    m_field->addAction(symbolIcon(QStringLiteral("magnifyingglass"), QPalette::PlaceholderText),
                       QLineEdit::LeadingPosition);
    enableClearButton(m_field, SpotlightTexts::clearLabel());
    m_field->setMinimumHeight(36);
    m_field->installEventFilter(this);
    layout->addWidget(m_field);

    m_empty = theme::label(QString(), "hint", this);
    m_empty->setObjectName(QStringLiteral("spotlightEmpty"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_empty->setContentsMargins(6, 18, 6, 18);
    layout->addWidget(m_empty);

    m_model = new SpotlightListModel(this);
    m_list = panelList(QStringLiteral("spotlightList"), QStringLiteral("Résultats de la recherche"),
                       m_model, new SpotlightDelegate, this);
    // The focus stays in the field: the list only shows where Up and Down are.
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);

    connect(m_field, &QLineEdit::textChanged, this, &SpotlightPanel::refresh);
    connect(&m_index, &SpotlightIndexService::indexChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    refresh();
}

void SpotlightPanel::aboutToOpen() {
    refresh();
}

void SpotlightPanel::opened() {
    m_field->setFocus(Qt::PopupFocusReason);
    m_field->selectAll();
}

// Each keystroke queries the latest index on this thread, the first hits of
// each section only.
void SpotlightPanel::refresh() {
    const SpotlightResult result = m_index.search(m_field->text(), hitLimit);
    m_model->setResult(result);
    m_empty->setText(result.emptyText.value_or(QString()));
    m_empty->setVisible(result.emptyText.has_value());
    m_list->setVisible(m_model->rowCount() > 0);
    const int first = m_model->nextHitRow(-1, 1);
    if (first >= 0)
        m_list->setCurrentIndex(m_model->index(first));
    if (isVisible())
        place();
}

void SpotlightPanel::place() {
    const QPoint below = anchor().mapTo(&host(), QPoint(0, anchor().height()));
    const int top = below.y() + 6;
    const int width = std::min(kWidth, host().width() - 2 * kMargin);
    const int available = std::max(80, host().height() - top - kMargin);
    int wanted = m_field->sizeHint().height() + 20;
    if (m_list->isVisibleTo(this)) {
        wanted += 6;
        for (int row = 0; row < m_model->rowCount() && wanted < available; ++row)
            wanted += m_list->sizeHintForRow(row);
    }
    if (m_empty->isVisibleTo(this))
        wanted += 6 + m_empty->sizeHint().height();
    setGeometry((host().width() - width) / 2, top, width, std::min(wanted, available));
}

void SpotlightPanel::moveCurrent(int step) {
    const int row = m_model->nextHitRow(m_list->currentIndex().row(), step);
    if (row < 0)
        return;
    // Up from the first hit shows its heading too.
    if (step < 0 && row == m_list->currentIndex().row() && row > 0)
        m_list->scrollTo(m_model->index(row - 1));
    m_list->setCurrentIndex(m_model->index(row));
}

void SpotlightPanel::activate(int row) {
    const SpotlightHit* hit = m_model->hitAt(row);
    if (!hit)
        return;
    const SpotlightAction action = hit->action;
    close();
    m_open(action.sectionKey, action.recordID);
}

bool SpotlightPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Down:
            moveCurrent(1);
            return true;
        case Qt::Key_Up:
            moveCurrent(-1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            activate(m_list->currentIndex().row());
            return true;
        default:
            break;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = m_list->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid()) {
            activate(index.row());
            return true;
        }
    }
    return OverlayPanel::eventFilter(watched, event);
}

} // namespace velmora::gui
