#include "gui/launch/SessionListView.h"

#include "core/session/LaunchPhase.h"
#include "core/store/RecentFilesStore.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/Theme.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int cardColumns = 4;
constexpr int pictureSize = 84;
constexpr int textWidth = 146;

QToolButton* card(const QString& text, const QPixmap& picture, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setProperty("role", QStringLiteral("sessionCard"));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(pictureSize, pictureSize));
    button->setFixedSize(164, 164);
    button->setCursor(Qt::PointingHandCursor);
    // The font of the cards comes from the style sheet.
    button->ensurePolished();
    button->setText(SessionListView::cardText(text, button->font()));
    button->setToolTip(text);
    return button;
}

} // namespace

QString SessionListView::cardText(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (qsizetype p = 0; p < paragraphs.size() && lines.size() < 2; ++p) {
        const QString paragraph = paragraphs[p].simplified();
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(textWidth);
            if (lines.size() == 1) {
                // The second line takes the rest, shortened at its end.
                lines << metrics.elidedText(paragraph.mid(line.textStart()), Qt::ElideRight,
                                            textWidth);
                break;
            }
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines.join(QLatin1Char('\n'));
}

SessionListView::SessionListView(LaunchPhase& launch, RecentFilesStore& recentFiles,
                                 QWidget* parent)
    : QWidget(parent), m_launch(launch), m_recentFiles(recentFiles) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 32);
    layout->setSpacing(8);

    auto* logo = new QLabel(this);
    logo->setPixmap(QIcon(QStringLiteral(":/icons/velmora.svg")).pixmap(56, 56));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    auto* title = theme::label(m_launch.title(), "title", this);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    m_subtitle = theme::label(QString(), "subtitle", this);
    m_subtitle->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_subtitle);
    m_error = theme::label(QString(), "error", this);
    m_error->setObjectName(QStringLiteral("sessionListError"));
    m_error->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_error);
    m_errorReason = theme::label(QString(), "hint", this);
    m_errorReason->setObjectName(QStringLiteral("sessionListErrorReason"));
    m_errorReason->setAlignment(Qt::AlignCenter);
    m_errorReason->setWordWrap(true);
    m_errorReason->hide();
    layout->addWidget(m_errorReason);
    layout->addSpacing(16);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* grid = new QWidget(scroll);
    grid->setAutoFillBackground(false);
    auto* gridColumn = new QVBoxLayout(grid);
    auto* gridRow = new QHBoxLayout;
    gridRow->addStretch(1);
    m_cards = new QGridLayout;
    m_cards->setSpacing(18);
    gridRow->addLayout(m_cards);
    gridRow->addStretch(1);
    gridColumn->addLayout(gridRow);
    gridColumn->addStretch(1);
    scroll->setWidget(grid);
    scroll->viewport()->setAutoFillBackground(false);
    layout->addWidget(scroll, 1);

    auto* open = theme::button(QStringLiteral("Ouvrir une session existante"), "link", this);
    open->setObjectName(QStringLiteral("openExistingSession"));
    open->setIcon(symbolIcon(QStringLiteral("folder"), theme::accent()));
    layout->addWidget(open, 0, Qt::AlignHCenter);
    connect(open, &QPushButton::clicked, this, &SessionListView::openFileRequested);

    connect(&m_recentFiles, &RecentFilesStore::entriesChanged, this, &SessionListView::rebuild);
    connect(&m_launch, &LaunchPhase::errorChanged, this, &SessionListView::showError);
    rebuild();
}

void SessionListView::showError() {
    m_error->setText(m_launch.error());
    m_errorReason->setText(m_launch.errorReason());
    m_errorReason->setVisible(!m_launch.errorReason().isEmpty());
}

void SessionListView::rebuild() {
    while (QLayoutItem* item = m_cards->takeAt(0)) {
        // The button may be the one whose click led here.
        item->widget()->hide();
        item->widget()->deleteLater();
        delete item;
    }
    m_subtitle->setText(m_launch.subtitle());
    showError();
    int index = 0;
    for (const RecentEntry& entry : m_recentFiles.entries()) {
        const QString name = entry.sessionName.value_or(QString()).trimmed();
        const QString shown = name.isEmpty() ? entry.displayName : name;
        const auto photo = entry.profilePhotoData ? std::optional(entry.profilePhotoData->decoded())
                                                  : std::nullopt;
        auto* button =
            card(shown, sessionPicture(photo, entry.profileImageName, shown, pictureSize), this);
        button->setObjectName(QStringLiteral("sessionCard%1").arg(index));
        button->setToolTip(entry.urlString.startsWith(QStringLiteral("file://"))
                               ? QUrl(entry.urlString).toLocalFile()
                               : entry.urlString);
        connect(button, &QToolButton::clicked, this, [this, entry] { emit sessionChosen(entry); });
        // Listed files can leave the list without being touched on disk.
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this, [this, button, entry] {
            QMenu menu(button);
            menu.addAction(QStringLiteral("Retirer de la liste"), this,
                           [this, entry] { m_recentFiles.remove(entry.urlString); });
            menu.exec(QCursor::pos());
        });
        m_cards->addWidget(button, index / cardColumns, index % cardColumns);
        ++index;
    }
    QPixmap plus(pictureSize, pictureSize);
    plus.fill(Qt::transparent);
    {
        QPainter p(&plus);
        p.drawPixmap(pictureSize / 4, pictureSize / 4,
                     symbolPixmap(QStringLiteral("plus"), pictureSize / 2, theme::accent()));
    }
    auto* create = card(QStringLiteral("Nouvelle\nsession"), plus, this);
    create->setObjectName(QStringLiteral("newSessionCard"));
    connect(create, &QToolButton::clicked, this, &SessionListView::newSessionRequested);
    m_cards->addWidget(create, index / cardColumns, index % cardColumns);
}

} // namespace velmora::gui
