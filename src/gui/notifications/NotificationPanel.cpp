#include "gui/notifications/NotificationPanel.h"

#include "core/notifications/NotificationListModel.h"
#include "core/notifications/NotificationReactions.h"
#include "core/notifications/NotificationTexts.h"
#include "gui/common/Icons.h"
#include "gui/common/PanelList.h"
#include "gui/common/Theme.h"
#include "gui/notifications/NotificationCentre.h"
#include "gui/notifications/NotificationDelegate.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int kWidth = 400;
constexpr int kMargin = 12;

} // namespace

NotificationPanel::NotificationPanel(NotificationCentre& centre, QWidget& window, QWidget& anchor)
    : OverlayPanel(window, anchor), m_centre(centre) {
    setObjectName(QStringLiteral("notificationPanel"));
    setAccessibleName(QStringLiteral("Centre de notifications"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 12, 10, 10);
    layout->setSpacing(8);
    m_header = theme::label(QString(), "section", this);
    m_header->setObjectName(QStringLiteral("notificationHeader"));
    m_header->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(m_header);
    m_unavailable = theme::label(systemNotificationsUnavailableText(), "hint", this);
    m_unavailable->setObjectName(QStringLiteral("notificationsUnavailable"));
    m_unavailable->setWordWrap(true);
    m_unavailable->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(m_unavailable);

    m_empty = new QWidget(this);
    auto* empty = new QVBoxLayout(m_empty);
    empty->setContentsMargins(0, 24, 0, 24);
    auto* symbol = new QLabel(m_empty);
    symbol->setAlignment(Qt::AlignCenter);
    symbol->setPixmap(symbolPixmap(QStringLiteral("checkmark.circle"), 40,
                                   palette().color(QPalette::PlaceholderText)));
    empty->addWidget(symbol);
    auto* sentence = theme::label(QStringLiteral("Rien ne demande votre attention."), "hint");
    sentence->setAlignment(Qt::AlignCenter);
    empty->addWidget(sentence);
    layout->addWidget(m_empty);

    m_model = new NotificationListModel(this);
    m_list = panelList(QStringLiteral("notificationList"), QStringLiteral("Notifications"), m_model,
                       new NotificationDelegate, this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListView::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index =
            m_list->indexAt(pos).isValid() ? m_list->indexAt(pos) : m_list->currentIndex();
        showReactions(index, m_list->viewport()->mapToGlobal(
                                 index.isValid() ? m_list->visualRect(index).center() : pos));
    });

    connect(&m_centre, &NotificationCentre::itemsChanged, this, &NotificationPanel::refresh);
    refresh();
}

void NotificationPanel::aboutToOpen() {
    refresh();
}

void NotificationPanel::opened() {
    m_list->setFocus(Qt::PopupFocusReason);
    if (!m_list->currentIndex().isValid())
        for (int row = 0; row < m_model->rowCount(); ++row)
            if (m_model->itemAt(row)) {
                m_list->setCurrentIndex(m_model->index(row));
                break;
            }
}

void NotificationPanel::refresh() {
    const QList<NotificationItem>& items = m_centre.items();
    const QModelIndex current = m_list->currentIndex();
    const QString currentID = current.data(NotificationListModel::IdRole).toString();
    m_model->setItems(items, m_centre.now());
    m_header->setText(notificationCentreHeader(items.size()));
    m_unavailable->setVisible(m_centre.desktopAuthorised() == false);
    m_empty->setVisible(items.isEmpty());
    m_list->setVisible(!items.isEmpty());
    if (const int row = m_model->rowOf(currentID); row >= 0)
        m_list->setCurrentIndex(m_model->index(row));
    if (isVisible())
        place();
}

void NotificationPanel::place() {
    const QPoint below = anchor().mapTo(&host(), QPoint(anchor().width(), anchor().height()));
    const int top = below.y() + 4;
    const int available = host().height() - top - kMargin;
    int wanted = 80;
    for (int row = 0; row < m_model->rowCount(); ++row)
        wanted += m_list->sizeHintForRow(row);
    if (m_model->rowCount() == 0)
        wanted = sizeHint().height();
    const int height = std::clamp(wanted, 160, std::max(160, available));
    const int left = std::clamp(below.x() - kWidth, kMargin, host().width() - kWidth - kMargin);
    setGeometry(left, top, kWidth, height);
}

void NotificationPanel::activate(const QModelIndex& index) {
    const QString id = index.data(NotificationListModel::IdRole).toString();
    if (id.isEmpty())
        return;
    close();
    m_centre.perform(id);
}

void NotificationPanel::showReactions(const QModelIndex& index, const QPoint& globalPos) {
    const QString id = index.data(NotificationListModel::IdRole).toString();
    if (id.isEmpty())
        return;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("notificationReactions"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QMenu* later = menu->addMenu(snoozeMenuTitle());
    for (const SnoozeChoice& choice : snoozeChoices()) {
        const qint64 seconds = choice.seconds;
        later->addAction(choice.label, this, [this, id, seconds] { m_centre.snooze(id, seconds); });
    }
    menu->addAction(neverShowLabel(), this, [this, id] { m_centre.neverShow(id); });
    menu->addAction(dismissToastLabel(), this, [this, id] { m_centre.dismissToast(id); });
    menu->popup(globalPos);
}

bool NotificationPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            activate(m_list->currentIndex());
            return true;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = m_list->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid()) {
            if (NotificationDelegate::menuArea(m_list->visualRect(index))
                    .contains(mouse->position().toPoint()))
                showReactions(index, mouse->globalPosition().toPoint());
            else
                activate(index);
            return true;
        }
    }
    return OverlayPanel::eventFilter(watched, event);
}

} // namespace velmora::gui
