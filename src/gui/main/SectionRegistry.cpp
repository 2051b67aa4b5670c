#include "gui/main/SectionRegistry.h"

#include "gui/main/PlaceholderPage.h"

namespace velmora::gui {

SectionRegistry::SectionRegistry(SectionServices services, QObject* parent)
    : QObject(parent), m_services(services) {
    m_services.sessionServices = [this] {
        QList<SessionService*> running;
        for (const QPointer<SessionService>& service : std::as_const(m_made))
            if (service)
                running << service;
        return running;
    };
    m_services.open = [this](const QString& key, const QUuid& id) { emit openRequested(key, id); };
}

SectionRegistry::~SectionRegistry() = default;

void SectionRegistry::add(const QString& defaultKey, Factory factory) {
    Q_ASSERT(!m_pages.value(defaultKey));
    m_factories.insert(defaultKey, std::move(factory));
}

bool SectionRegistry::contains(const QString& defaultKey) const {
    return m_factories.contains(defaultKey);
}

SectionPage* SectionRegistry::page(const QString& defaultKey) {
    if (SectionPage* made = m_pages.value(defaultKey))
        return made;
    const Factory factory = m_factories.value(
        defaultKey, placeholderSection(
                        QStringLiteral("Cette section n’est pas disponible dans cette version.")));
    SectionPage* made = factory(m_services);
    made->setObjectName(QStringLiteral("page_") + defaultKey);
    connect(made, &SectionPage::commandsChanged, this, &SectionRegistry::commandsChanged);
    connect(made, &SectionPage::openRequested, this, &SectionRegistry::openRequested);
    m_pages.insert(defaultKey, made);
    made->refreshCommands();
    return made;
}

SectionPage* SectionRegistry::existingPage(const QString& defaultKey) const {
    return m_pages.value(defaultKey);
}

void SectionRegistry::addSessionService(ServiceFactory factory) {
    m_serviceFactories.append(std::move(factory));
}

QList<SessionService*> SectionRegistry::makeSessionServices(QObject* parent) {
    QList<SessionService*> services;
    for (const ServiceFactory& factory : m_serviceFactories)
        services << factory(m_services, parent);
    for (SessionService* service : std::as_const(services))
        m_made << service;
    return services;
}

void SectionRegistry::addWindowTool(ToolFactory factory) {
    m_toolFactories.append(std::move(factory));
}

QList<QWidget*> SectionRegistry::makeWindowTools(QWidget& window) {
    QList<QWidget*> tools;
    for (const ToolFactory& factory : std::as_const(m_toolFactories))
        if (QWidget* tool = factory(m_services, window))
            tools << tool;
    return tools;
}

SectionRegistry::Factory placeholderSection(const QString& promise) {
    return [promise](const SectionServices&) { return new PlaceholderPage(promise); };
}

} // namespace velmora::gui
