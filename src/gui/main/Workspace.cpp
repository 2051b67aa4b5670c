#include "gui/main/Workspace.h"

#include "core/app/SidebarMenu.h"
#include "core/app/UpdateChecker.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/SelectionFollower.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/Theme.h"
#include "gui/main/SectionRegistry.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int keyRole = Qt::UserRole + 1;

} // namespace

Workspace::Workspace(AppDataStore& store, UpdateChecker& updates, SectionRegistry& sections,
                     QWidget* parent)
    : QWidget(parent), m_store(store), m_updates(updates), m_registry(sections) {
    // A link followed to a section the user hid leads nowhere.
    connect(&m_registry, &SectionRegistry::openRequested, this,
            [this](const QString& key, const QUuid& id) {
                if (!sectionKeys().contains(key))
                    return;
                showSection(key);
                m_registry.page(key)->reveal(id);
            });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* sidebar = new QFrame(this);
    sidebar->setProperty("role", QStringLiteral("sidebar"));
    sidebar->setFixedWidth(240);
    auto* side = new QVBoxLayout(sidebar);
    side->setContentsMargins(12, 14, 12, 12);
    side->setSpacing(10);
    m_sessionButton = new QToolButton(sidebar);
    m_sessionButton->setObjectName(QStringLiteral("sessionButton"));
    m_sessionButton->setProperty("role", QStringLiteral("sidebarButton"));
    m_sessionButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_sessionButton->setPopupMode(QToolButton::InstantPopup);
    m_sessionButton->setIconSize(QSize(32, 32));
    m_sessionButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_sessionButton->setToolTip(QStringLiteral("Session"));
    side->addWidget(m_sessionButton);

    m_sections = new QListWidget(sidebar);
    m_sections->setObjectName(QStringLiteral("sectionList"));
    m_sections->setIconSize(QSize(18, 18));
    m_sections->setFocusPolicy(Qt::StrongFocus);
    side->addWidget(m_sections, 1);

    auto* settings = m_settingsButton = new QToolButton(sidebar);
    settings->setObjectName(QStringLiteral("settingsButton"));
    settings->setProperty("role", QStringLiteral("sidebarButton"));
    settings->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    settings->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    settings->setText(QStringLiteral("Réglages"));
    settings->setIcon(symbolIcon(QStringLiteral("gearshape")));
    side->addWidget(settings);
    connect(settings, &QToolButton::clicked, this, &Workspace::settingsRequested);
    layout->addWidget(sidebar);

    auto* content = new QVBoxLayout;
    content->setContentsMargins(16, 12, 16, 0);
    m_banner = new QFrame(this);
    m_banner->setObjectName(QStringLiteral("updateBanner"));
    m_banner->setProperty("role", QStringLiteral("banner"));
    auto* banner = new QHBoxLayout(m_banner);
    banner->setContentsMargins(14, 8, 14, 8);
    banner->setSpacing(0);
    auto* bannerIcon = new QLabel(m_banner);
    bannerIcon->setPixmap(symbolPixmap(QStringLiteral("arrow.down.circle"), 18, Qt::white));
    banner->addWidget(bannerIcon);
    banner->addSpacing(8);
    m_bannerText = new QLabel(QStringLiteral("Mise à jour disponible"), m_banner);
    m_bannerText->setStyleSheet(QStringLiteral("font-weight: 600;"));
    banner->addWidget(m_bannerText);
    auto* download = new QPushButton(QStringLiteral(" — Télécharger"), m_banner);
    download->setObjectName(QStringLiteral("updateDownload"));
    download->setFlat(true);
    download->setCursor(Qt::PointingHandCursor);
    download->setStyleSheet(
        QStringLiteral("QPushButton { color: white; border: none; background: transparent; "
                       "padding: 0; text-decoration: underline; }"));
    banner->addWidget(download);
    banner->addStretch(1);
    content->addWidget(m_banner);
    connect(download, &QPushButton::clicked, this, [this] {
        // Only a web page is opened from what the server sent.
        const QUrl url(m_updates.downloadURL());
        if (url.isValid() &&
            (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http")))
            QDesktopServices::openUrl(url);
    });

    m_pages = new QStackedWidget(this);
    content->addWidget(m_pages, 1);
    layout->addLayout(content, 1);

    connect(m_sections, &QListWidget::currentRowChanged, this, &Workspace::showCurrentPage);
    followSelection(*m_sections);
    followSession(this, m_store, {SessionField::preferences}, [this] { rebuildSidebar(); });
    followSession(this, m_store,
                  {SessionField::sessionName, SessionField::sessionProfileImageName,
                   SessionField::sessionProfilePhotoData},
                  [this] { refreshIdentity(); });
    connect(&m_updates, &UpdateChecker::updateAvailableChanged, this, &Workspace::refreshBanner);
    connect(&m_updates, &UpdateChecker::latestVersionChanged, this, &Workspace::refreshBanner);
    rebuildSidebar();
    refreshBanner();
}

QStringList Workspace::sectionKeys() const {
    QStringList keys;
    for (int i = 0; i < m_sections->count(); ++i)
        keys << m_sections->item(i)->data(keyRole).toString();
    return keys;
}

QString Workspace::currentSection() const {
    const QListWidgetItem* item = m_sections->currentItem();
    return item ? item->data(keyRole).toString() : QString();
}

void Workspace::showSection(const QString& defaultKey) {
    const int row = int(sectionKeys().indexOf(defaultKey));
    m_sections->setCurrentRow(row >= 0 ? row : 0);
}

void Workspace::showSectionHolding(const QWidget& widget) {
    for (const QString& key : sectionKeys())
        if (const SectionPage* page = m_registry.existingPage(key);
            page && page->isAncestorOf(&widget)) {
            showSection(key);
            return;
        }
}

void Workspace::rebuildSidebar() {
    const QString current = currentSection();
    refreshIdentity();
    m_items.clear();
    for (const SidebarMenuItemConfig& item : effectiveSidebarItems(m_store.preferences()))
        if (item.isEnabled || item.defaultKey == dashboardKey())
            m_items << item;

    {
        const QSignalBlocker blocker(m_sections);
        m_sections->clear();
        for (const SidebarMenuItemConfig& item : m_items) {
            auto* row =
                new QListWidgetItem(symbolIcon(item.systemName), item.displayName, m_sections);
            row->setData(keyRole, item.defaultKey);
            // Pages already made keep what they hold and take the new name.
            if (SectionPage* page = m_registry.existingPage(item.defaultKey))
                page->showEntry(item);
        }
        const int row = int(sectionKeys().indexOf(current));
        m_sections->setCurrentRow(row >= 0 ? row : 0);
    }
    showCurrentPage();
}

void Workspace::showCurrentPage() {
    const int row = m_sections->currentRow();
    if (row < 0 || row >= m_items.size())
        return;
    const SidebarMenuItemConfig& item = m_items[row];
    const bool made = m_registry.existingPage(item.defaultKey) != nullptr;
    SectionPage* page = m_registry.page(item.defaultKey);
    if (!made) {
        page->showEntry(item);
        m_pages->addWidget(page);
    }
    const bool changed = m_pages->currentWidget() != page;
    m_pages->setCurrentWidget(page);
    if (changed)
        emit currentSectionChanged();
}

void Workspace::refreshIdentity() {
    const QString name = m_store.sessionName().value_or(QString()).trimmed();
    m_sessionButton->setText(name.isEmpty() ? QStringLiteral("Session sans nom") : name);
    m_sessionButton->setIcon(QIcon(sessionPicture(m_store, 32)));
}

void Workspace::refreshBanner() {
    m_banner->setVisible(m_updates.updateAvailable());
    m_banner->setToolTip(m_updates.latestVersion().isEmpty()
                             ? QString()
                             : QStringLiteral("Version %1\n%2")
                                   .arg(m_updates.latestVersion(), m_updates.releaseNotes()));
}

} // namespace velmora::gui
