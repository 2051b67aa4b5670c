#pragma once

#include "core/model/AppPreferences.h"

#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QStackedWidget;
class QToolButton;

namespace velmora {
class AppDataStore;
class UpdateChecker;
} // namespace velmora

namespace velmora::gui {

class SectionRegistry;

// The open session: its sections in a sidebar, in the user's order and
// names, and the page of the chosen one.
class Workspace : public QWidget {
    Q_OBJECT

public:
    Workspace(AppDataStore& store, UpdateChecker& updates, SectionRegistry& sections,
              QWidget* parent = nullptr);

    // The keys of the sections listed, in order.
    QStringList sectionKeys() const;
    QString currentSection() const;
    void showSection(const QString& defaultKey);
    // Shows the section whose page holds `widget`, if any.
    void showSectionHolding(const QWidget& widget);
    // The session button of the sidebar, whose menu the window fills.
    QToolButton& sessionButton() { return *m_sessionButton; }

signals:
    void settingsRequested();
    void currentSectionChanged();

private:
    void rebuildSidebar();
    void showCurrentPage();
    void refreshIdentity();
    void refreshBanner();

    AppDataStore& m_store;
    UpdateChecker& m_updates;
    SectionRegistry& m_registry;
    QToolButton* m_sessionButton = nullptr;
    QToolButton* m_settingsButton = nullptr;
    QListWidget* m_sections = nullptr;
    QStackedWidget* m_pages = nullptr;
    QFrame* m_banner = nullptr;
    QLabel* m_bannerText = nullptr;
    QList<SidebarMenuItemConfig> m_items;
};

} // namespace velmora::gui
