#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>

class QWidget;

namespace velmora {
class AppDataStore;
class MailComposer;
class UrlOpener;
class UserDefaults;
class UserNotifications;
} // namespace velmora

namespace velmora::gui {

class Dialogs;
class SessionService;

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
    // Opens the clients' own "Nouveau client" sheet over `parent`, for a
    // form of another section that needs a client; `created` receives the
    // new client's id. Empty where no clients section is registered.
    std::function<void(QWidget* parent, std::function<void(const QUuid&)> created)> newClient = {};
    // This user's settings on this computer (the calendar's folder); null
    // where a test has none.
    UserDefaults* userDefaults = nullptr;
    // The session services the window runs, for a page that shows the state
    // of one; empty where none run.
    std::function<QList<SessionService*>()> sessionServices = {};
    // Shows a record in its section (a null id: the section itself), as a
    // link followed inside a page does.
    std::function<void(const QString& defaultKey, const QUuid& id)> open = {};
};

// The running service of that type, or null.
template <class Service> Service* sessionService(const SectionServices& services) {
    if (!services.sessionServices)
        return nullptr;
    for (SessionService* service : services.sessionServices())
        if (auto* found = qobject_cast<Service*>(service))
            return found;
    return nullptr;
}

// Work that goes on beside an open session while it is on screen (an
// estimate kept up to date, reminders, a synchronisation). The window starts
// every service when the session appears and stops them when it is locked,
// left or closed; a section folder contributes its own.
class SessionService : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual void stop() = 0;
};

} // namespace velmora::gui
