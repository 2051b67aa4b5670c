#pragma once

#include "gui/common/SectionServices.h"
#include "gui/main/SectionPage.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

namespace velmora::gui {

// Every sidebar section by its defaultKey: the factory of its page and,
// through the page, the actions it offers; beside them, the session services
// the section folders contribute. The window and the sidebar know sections
// only through this.
class SectionRegistry : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<SectionPage*(const SectionServices&)>;
    using ServiceFactory = std::function<SessionService*(const SectionServices&, QObject* parent)>;
    // A control of the window's toolbar (the notifications' bell), made once
    // with the window, which owns it and may host its panels.
    using ToolFactory = std::function<QWidget*(const SectionServices&, QWidget& window)>;

    explicit SectionRegistry(SectionServices services, QObject* parent = nullptr);
    ~SectionRegistry() override;

    SectionServices& services() { return m_services; }

    // Registers or replaces a section whose page has not been made yet.
    void add(const QString& defaultKey, Factory factory);
    bool contains(const QString& defaultKey) const;
    void addSessionService(ServiceFactory factory);

    // The section's page, made on the first call. A key nobody registered
    // (a session from a later version) gets a page that says so.
    SectionPage* page(const QString& defaultKey);
    // Null while the section was never shown.
    SectionPage* existingPage(const QString& defaultKey) const;

    // One of each registered service, owned by `parent`; pages find them
    // through SectionServices::sessionServices.
    QList<SessionService*> makeSessionServices(QObject* parent);
    void addWindowTool(ToolFactory factory);
    // One of each registered tool, in the order they were registered.
    QList<QWidget*> makeWindowTools(QWidget& window);
    // The search over the whole session that Ctrl+F opens when no section
    // search has the focus; set by the panel that offers it.
    void setGlobalSearch(std::function<void()> open) { m_globalSearch = std::move(open); }
    // Whether a global search was there to open.
    bool openGlobalSearch() const {
        if (m_globalSearch)
            m_globalSearch();
        return bool(m_globalSearch);
    }

signals:
    void commandsChanged();
    void openRequested(const QString& defaultKey, const QUuid& id);

private:
    SectionServices m_services;
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<SectionPage>> m_pages;
    QList<ServiceFactory> m_serviceFactories;
    QList<ToolFactory> m_toolFactories;
    QList<QPointer<SessionService>> m_made;
    std::function<void()> m_globalSearch;
};

// The page of a section whose screen is not built yet: its symbol and name,
// and what the screen will hold.
SectionRegistry::Factory placeholderSection(const QString& promise);

// Registers the page and services of every section the program knows
// (core's section table), in no particular order: the sidebar's order is
// the session's; then the panels that belong to no section, with their
// services and toolbar controls.
void registerSections(SectionRegistry& registry);

} // namespace velmora::gui
