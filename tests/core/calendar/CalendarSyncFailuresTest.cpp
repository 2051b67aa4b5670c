// A run against a store that fails: a refused event does not stop the run
// and its text is what the preferences record; a calendar that cannot be
// created stops the run before any write.

#include "core/calendar/CalendarSync.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

class FailingStore final : public CalendarStore {
public:
    QString refusedUid;
    bool canCreate = true;
    QStringList saved;

    Result<QList<CalendarInfo>> calendars() const override { return QList<CalendarInfo>{}; }
    std::optional<CalendarInfo> calendar(const QString&) const override { return std::nullopt; }
    Result<CalendarInfo> createCalendar(const QString& title) override {
        if (!canCreate)
            return Result<CalendarInfo>::failure(u"Disque plein"_s);
        return CalendarInfo{u"cal"_s, title, true};
    }
    Result<> beginRun(const QString&) override { return {}; }
    Result<int> removeEvents(const QDateTime&, const QDateTime&) override { return 0; }
    Result<> saveEvent(const CalendarStoreEvent& event) override {
        if (event.uid == refusedUid)
            return Result<>::failure(u"Événement refusé"_s);
        saved.append(event.uid);
        return {};
    }
    Result<> commit() override { return {}; }
};

QList<CalendarStoreEvent> events(const QStringList& uids) {
    QList<CalendarStoreEvent> list;
    for (const QString& uid : uids) {
        CalendarStoreEvent e;
        e.uid = uid;
        list.append(e);
    }
    return list;
}

const QDateTime kNow(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC);

TEST(CalendarSyncFailures, ARefusedEventDoesNotStopTheRun) {
    FailingStore store;
    store.refusedUid = u"b"_s;
    const CalendarSyncOutcome outcome =
        synchroniseCalendar(store, events({u"a"_s, u"b"_s, u"c"_s}), u"gone"_s, kNow);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(store.saved, (QStringList{u"a"_s, u"c"_s}));
    EXPECT_EQ(outcome.counts, (SyncCounts{2, 0}));
    EXPECT_EQ(outcome.error, u"Événement refusé"_s);
}

TEST(CalendarSyncFailures, NoCalendarNoWrite) {
    FailingStore store;
    store.canCreate = false;
    const CalendarSyncOutcome outcome =
        synchroniseCalendar(store, events({u"a"_s}), std::nullopt, kNow);
    EXPECT_FALSE(outcome.completed);
    EXPECT_TRUE(store.saved.isEmpty());
    EXPECT_EQ(outcome.message(), u"Disque plein"_s);
    EXPECT_EQ(outcome.calendarId, std::nullopt);
}

} // namespace
