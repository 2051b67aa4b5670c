#include "desktop/PendingNotifications.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

QDateTime local(const QString& text) {
    return QDateTime::fromString(text, u"yyyy-MM-dd HH:mm"_s);
}

QDateTime utc(const QString& text) {
    const QDateTime moment = local(text);
    return QDateTime(moment.date(), moment.time(), Qt::UTC);
}

struct MatchCase {
    const char* name;
    CalendarTrigger trigger;
    QDateTime after;
    std::optional<QDateTime> expected;
};

TEST(PendingNotificationsTest, NextMatchIsTheFirstMatchingLocalTimeAfter) {
    const CalendarTrigger daily{{}, {}, 9, 0, true};
    const CalendarTrigger night{{}, {}, 2, 30, true};
    const MatchCase cases[] = {
        {"daily, later today", daily, local(u"2026-01-10 08:00"_s), local(u"2026-01-10 09:00"_s)},
        {"daily, strictly after", daily, local(u"2026-01-10 09:00"_s),
         local(u"2026-01-11 09:00"_s)},
        {"monthly, a month without a 31st is skipped",
         {{}, 31, 9, 0, true},
         local(u"2026-04-01 00:00"_s),
         local(u"2026-05-31 09:00"_s)},
        {"monthly, over the year's end",
         {{}, 15, 9, 0, true},
         local(u"2026-12-20 00:00"_s),
         local(u"2027-01-15 09:00"_s)},
        {"yearly, 29 February",
         {2, 29, 9, 0, false},
         local(u"2026-03-01 00:00"_s),
         local(u"2028-02-29 09:00"_s)},
        {"every day of a month",
         {6, {}, 8, 0, true},
         local(u"2026-06-30 09:00"_s),
         local(u"2027-06-01 08:00"_s)},
        {"summer time begins: 09:00 is CEST", daily, local(u"2026-03-28 10:00"_s),
         utc(u"2026-03-29 07:00"_s)},
        {"a skipped time comes an hour later", night, local(u"2026-03-29 00:00"_s),
         utc(u"2026-03-29 01:30"_s)},
        {"a repeated time comes once", night, utc(u"2026-10-25 01:30"_s),
         utc(u"2026-10-26 01:30"_s)},
        {"30 February never comes", {2, 30, 9, 0, true}, local(u"2026-01-01 00:00"_s), {}},
        {"hour 24 never comes", {{}, {}, 24, 0, true}, local(u"2026-01-01 00:00"_s), {}},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(PendingNotifications::nextMatch(c.trigger, c.after), c.expected) << c.name;
}

TEST(PendingNotificationsTest, AMissedRepeatingRequestIsDueOnceThenWaitsForItsNextMatch) {
    PendingNotifications pending;
    pending.add({u"daily"_s, u"T"_s, u"B"_s, true, CalendarTrigger{{}, {}, 9, 0, true}, false},
                local(u"2026-01-10 08:00"_s));
    pending.add({u"once"_s, u"T"_s, u"B"_s, true, CalendarTrigger{{}, 12, 9, 0, false}, false},
                local(u"2026-01-10 08:00"_s));
    const QDateTime later = local(u"2026-01-20 12:00"_s);
    EXPECT_EQ(pending.takeDue(later).size(), 2);
    EXPECT_TRUE(pending.takeDue(later).isEmpty());
    ASSERT_EQ(pending.entries().size(), 1);
    EXPECT_EQ(pending.nextDue(), local(u"2026-01-21 09:00"_s));
}

TEST(PendingNotificationsTest, TheEncodingKeepsRequestsAndMalformedOnesAreSkipped) {
    PendingNotifications pending;
    const NotificationRequest request{
        u"r"_s, u"Rappel"_s, u"Corps"_s, false, CalendarTrigger{3, 31, 9, 5, true}, true};
    pending.add(request, local(u"2026-01-10 08:00"_s));
    const PendingNotifications read = PendingNotifications::decode(pending.encode());
    ASSERT_EQ(read.entries().size(), 1);
    EXPECT_EQ(read.entries()[0].request, request);
    EXPECT_EQ(read.entries()[0].due, local(u"2026-03-31 09:05"_s));

    EXPECT_TRUE(PendingNotifications::decode("{\"requests\": [").entries().isEmpty());
    QByteArray withoutHour = pending.encode().replace("\"hour\"", "\"hours\"");
    EXPECT_TRUE(PendingNotifications::decode(withoutHour).entries().isEmpty());
}

} // namespace
} // namespace velmora
