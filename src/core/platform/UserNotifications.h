#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

namespace velmora {

// Delivered once, this many seconds after it was added.
struct DelayTrigger {
    double seconds = 0;

    friend bool operator==(const DelayTrigger&, const DelayTrigger&) = default;
};

// Delivered when the local date and time match every component given; a
// repeating one comes back at each match (month and day given: once a year).
struct CalendarTrigger {
    std::optional<int> month;
    std::optional<int> day;
    int hour = 0;
    int minute = 0;
    bool repeats = false;

    friend bool operator==(const CalendarTrigger&, const CalendarTrigger&) = default;
};

using NotificationTrigger = std::variant<DelayTrigger, CalendarTrigger>;

// A system notification to deliver later. Adding a request whose identifier
// is already pending replaces it.
struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    bool defaultSound = true;
    NotificationTrigger trigger;
    // Shown as urgent, with the critical sound.
    bool critical = false;

    friend bool operator==(const NotificationRequest&, const NotificationRequest&) = default;
};

// The platform's user-notification centre.
class UserNotifications {
public:
    virtual ~UserNotifications() = default;
    // Asks to show alerts, play sounds and badge the icon; `answer` gets
    // whether it is allowed, possibly later, on the interface thread.
    virtual void requestAuthorization(std::function<void(bool granted)> answer) = 0;
    virtual void add(const NotificationRequest& request) = 0;
    // Forgets the requests not delivered yet and takes the delivered ones
    // off the screen.
    virtual void removePendingAndDelivered(const QStringList& identifiers) = 0;
    // `activated` receives, on the interface thread, the identifier of a
    // shown notification the user clicked.
    virtual void setActivationHandler(std::function<void(const QString& identifier)> activated) = 0;
};

} // namespace velmora
