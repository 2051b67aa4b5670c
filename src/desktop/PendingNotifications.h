#pragma once

#include "core/platform/UserNotifications.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <optional>

namespace velmora {

// The calendar requests waiting for their time, each with the instant it is
// due next. The instants are kept with the requests so that a time that
// passed while the application was closed is still seen as due.
class PendingNotifications {
public:
    struct Entry {
        NotificationRequest request;
        QDateTime due;
    };

    // The first local date and time strictly after `after` that matches every
    // component of `trigger`; none when no date ever does (a 30 February).
    static std::optional<QDateTime> nextMatch(const CalendarTrigger& trigger,
                                              const QDateTime& after);

    // Keeps a calendar request until its next match after `now`, in place of
    // a pending one of the same identifier; one that never matches is only
    // dropped. Requests of another trigger are ignored.
    void add(const NotificationRequest& request, const QDateTime& now);
    // Keeps a request taken due, which could not be shown, until `at`;
    // false when one of its identifier is pending again meanwhile.
    bool retry(const NotificationRequest& request, const QDateTime& at);
    // Whether any of them was pending.
    bool remove(const QStringList& identifiers);
    // The requests due at `now`, each once however many of its matches have
    // passed; a one-shot one is forgotten, a repeating one waits for its
    // next match after `now`.
    QList<NotificationRequest> takeDue(const QDateTime& now);
    std::optional<QDateTime> nextDue() const;
    const QList<Entry>& entries() const { return m_entries; }

    QByteArray encode() const;
    // Bytes that are not an encoding hold no requests; a malformed entry is
    // skipped.
    static PendingNotifications decode(const QByteArray& bytes);

private:
    QList<Entry> m_entries;
};

} // namespace velmora
