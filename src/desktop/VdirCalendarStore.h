#pragma once

#include "core/platform/CalendarStore.h"
#include "core/platform/Clock.h"

#include <QByteArray>
#include <QMap>

namespace velmora {

// The calendar store as a vdir (what khal reads and vdirsyncer syncs): a root
// folder, each calendar a sub-folder with `displayname` and `color` files and
// one `.ics` file per event, named after its uid.
//
// A commit writes the calendar's new content into a hidden sibling folder and
// swaps the two with one rename, so a process that dies half-way leaves the
// previous calendar whole. A file whose bytes stay the same is carried over
// as the same file (same inode and modification time), so a sync tool
// uploads only what changed.
class VdirCalendarStore final : public CalendarStore {
public:
    VdirCalendarStore(QString root, const Clock& clock);
    // $XDG_DATA_HOME/calendars, where khal and vdirsyncer users keep theirs.
    static QString defaultRoot();

    Result<QList<CalendarInfo>> calendars() const override;
    std::optional<CalendarInfo> calendar(const QString& id) const override;
    Result<CalendarInfo> createCalendar(const QString& title) override;

    Result<> beginRun(const QString& calendarId) override;
    Result<int> removeEvents(const QDateTime& from, const QDateTime& to) override;
    Result<> saveEvent(const CalendarStoreEvent& event) override;
    Result<> commit() override;

    // The iCalendar text of an event; `stamp` is its DTSTAMP.
    static QByteArray eventText(const CalendarStoreEvent& event, const QDateTime& stamp);
    // Every event in one VCALENDAR: what an export to a single file writes.
    static QByteArray calendarText(const QList<CalendarStoreEvent>& events, const QDateTime& stamp);
    static QString fileNameFor(const QString& uid);

    // Tests only: runs after the new content is written, before the swap.
    static void setBeforeSwapHook(void (*hook)());

private:
    QString folderOf(const QString& id) const;
    void recover(const QString& id) const;

    QString m_root;
    const Clock& m_clock;
    QString m_runCalendar;
    QMap<QString, QByteArray> m_current; // file name → bytes on disk
    QMap<QString, QByteArray> m_staged;  // what the commit writes
};

} // namespace velmora
