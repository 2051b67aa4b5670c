#pragma once

#include "gui/main/SectionPage.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

namespace velmora {
class AppDataStore;
class MailComposer;
class UrlOpener;
class UserNotifications;
} // namespace velmora

namespace velmora::gui {

class Dialogs;

// What a section's page may use.
struct SectionServices {
    AppDataStore& store;
    Dialogs& dialogs;
    // Sending a document or a reminder to the user's mail program.
    MailComposer& mail;
    UrlOpener& urls;
    // The system notifications: URSSAF reminders and estimates.
    UserNotifications& notifications;
    // Where a PDF waits for the mail program to attach it.
    QString attachmentFolder;
};

// Every sidebar section by its defaultKey: the factory of its page and,
// through the page, the commands it handles. The window and the sidebar
// know sections only through this.
class SectionRegistry : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<SectionPage*(const SectionServices&)>;

    explicit SectionRegistry(SectionServices services, QObject* parent = nullptr);
    ~SectionRegistry() override;

    // Registers or replaces a section whose page has not been made yet.
    void add(const QString& defaultKey, Factory factory);
    bool contains(const QString& defaultKey) const;

    // The section's page, made on the first call. A key nobody registered
    // (a session from a later version) gets a page that says so.
    SectionPage* page(const QString& defaultKey);
    // Null while the section was never shown.
    SectionPage* existingPage(const QString& defaultKey) const;

    bool canRun(const QString& defaultKey, SectionCommand command) const;
    // False when the section does not take the command now.
    bool run(const QString& defaultKey, SectionCommand command);

signals:
    void commandsChanged();
    void openRequested(const QString& defaultKey, const QUuid& id);

private:
    SectionServices m_services;
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<SectionPage>> m_pages;
};

// The page of a section whose screen is not built yet: its symbol and name,
// and what the screen will hold.
SectionRegistry::Factory placeholderSection(const QString& promise);

// Registers the section of every folder of src/gui, in no particular order:
// the sidebar's order is the session's.
void registerSections(SectionRegistry& registry);

} // namespace velmora::gui
