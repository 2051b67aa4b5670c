// The user-event form: one moment from day, time and all-day flag, the
// stored alert and repetition, empty titles, edits and tags.

#include "core/calendar/CalendarEventForm.h"
#include "core/store/SessionEdit.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

QDateTime local(int y, int m, int d, int hour, int minute = 0) {
    return QDateTime(QDate(y, m, d), QTime(hour, minute), QTimeZone::systemTimeZone()).toUTC();
}

const QDateTime kNow = local(2025, 6, 10, 9, 20);

TEST(CalendarEventForm, DayAndTimeMakeOneMoment) {
    CalendarEventForm form(QDate(2025, 6, 20), kNow);
    EXPECT_EQ(form.date(), local(2025, 6, 20, 10));
    form.time = QTime(18, 45);
    EXPECT_EQ(form.date(), local(2025, 6, 20, 18, 45));
    form.isAllDay = true;
    EXPECT_EQ(form.date(), local(2025, 6, 20, 0));
}

TEST(CalendarEventForm, AddsTrimmedThenEditsInPlace) {
    SessionEdit edit{AppDatabase()};
    CalendarEventForm form(QDate(2025, 6, 20), kNow);
    form.title = u" \n "_s;
    EXPECT_EQ(form.apply(edit, kNow).kind(), ResultKind::unchanged);
    EXPECT_TRUE(edit.session().customCalendarEvents.isEmpty());

    form.title = u"  Salon\n"_s;
    form.alertMinutes = alertChoices()[9].minutes;
    form.recurrence = repetitionChoices()[2].rule;
    ASSERT_TRUE(form.apply(edit, kNow).ok());
    ASSERT_EQ(edit.session().customCalendarEvents.size(), 1);
    const CustomCalendarEvent saved = edit.session().customCalendarEvents[0];
    EXPECT_EQ(saved.title, u"Salon"_s);
    EXPECT_EQ(saved.alertMinutes, 2880);
    EXPECT_EQ(saved.recurrence, u"weekly"_s);
    EXPECT_EQ(saved.createdAt, kNow);

    CalendarEventForm again(saved);
    EXPECT_EQ(again.sheetTitle(), u"Modifier l'événement"_s);
    EXPECT_EQ(again.saveButtonText(), u"Enregistrer"_s);
    EXPECT_EQ(again.apply(edit, kNow).kind(), ResultKind::unchanged);
    again.alertMinutes = alertChoices()[0].minutes;
    ASSERT_TRUE(again.apply(edit, kNow.addDays(1)).ok());
    ASSERT_EQ(edit.session().customCalendarEvents.size(), 1);
    EXPECT_FALSE(edit.session().customCalendarEvents[0].alertMinutes);
    EXPECT_EQ(edit.session().customCalendarEvents[0].createdAt, kNow);

    ASSERT_TRUE(deleteCalendarEvent(edit, saved.id).ok());
    EXPECT_EQ(deleteCalendarEvent(edit, saved.id).kind(), ResultKind::notFound);
}

TEST(CalendarEventForm, TagsKeepAValidColour) {
    SessionEdit edit{AppDatabase()};
    EXPECT_EQ(addCalendarTag(edit, u"  "_s, u"#112233"_s).kind(), ResultKind::unchanged);
    ASSERT_TRUE(addCalendarTag(edit, u" Perso "_s, u"#112233"_s).ok());
    ASSERT_TRUE(addCalendarTag(edit, u"Pro"_s, u"rouge"_s).ok());
    const auto& tags = edit.session().customCalendarTags;
    ASSERT_EQ(tags.size(), 2);
    EXPECT_EQ(tags[0].name, u"Perso"_s);
    EXPECT_EQ(tags[0].hexColor, u"#112233"_s);
    EXPECT_EQ(tags[1].hexColor, u"#0A84FF"_s);
    ASSERT_TRUE(deleteCalendarTag(edit, tags[0].id).ok());
    EXPECT_EQ(edit.session().customCalendarTags.size(), 1);
}

} // namespace
