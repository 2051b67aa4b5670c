// What the centre's screens read beside the rules: the list with its
// severity headings, where an item leads, when the list changes by itself
// and the once-only toast.

#include "core/notifications/NotificationListModel.h"
#include "core/notifications/NotificationReactions.h"
#include "core/notifications/NotificationRules.h"
#include "core/notifications/NotificationTargets.h"
#include "core/notifications/NotificationsFixture.h"
#include "core/store/SessionEdit.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const QDateTime kNow =
    QDateTime(QDate(2025, 6, 10), QTime(23, 30), QTimeZone::systemTimeZone()).toUTC();

NotificationItem item(const QString& id, NotificationSeverity severity,
                      std::optional<QDateTime> date = std::nullopt) {
    NotificationItem item;
    item.id = item.title = id;
    item.severity = severity;
    item.date = date;
    return item;
}

TEST(NotificationCentreViews, ListGroupsBySeverityUnderHeadings) {
    NotificationListModel model;
    model.setItems({item(u"a"_s, NotificationSeverity::critical, kNow.addDays(-2)),
                    item(u"b"_s, NotificationSeverity::critical),
                    item(u"c"_s, NotificationSeverity::info, kNow.addDays(1))},
                   kNow);
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row).data().toString() + u"|"_s +
                    model.index(row).data(NotificationListModel::WhenRole).toString();
    EXPECT_EQ(rows, (QStringList{u"Urgent|"_s, u"a|il y a 2 j"_s, u"b|"_s, u"Pour information|"_s,
                                 u"c|demain"_s}));
    EXPECT_EQ(model.itemAt(0), nullptr);
    EXPECT_EQ(model.flags(model.index(0)), Qt::NoItemFlags);
    EXPECT_EQ(model.itemAt(4)->id, u"c"_s);
    EXPECT_EQ(model.rowOf(u"b"_s), 2);
    EXPECT_EQ(model.rowOf(u"zz"_s), -1);
    model.setItems({}, kNow);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(NotificationCentreViews, ActionsLeadToTheirSection) {
    const QUuid id = QUuid::createUuid();
    const QList<std::pair<NotificationActionKind, QString>> cases = {
        {NotificationActionKind::openDocument, u"documents"_s},
        {NotificationActionKind::openProject, u"projects"_s},
        {NotificationActionKind::openStockItem, u"stock"_s},
        {NotificationActionKind::goToAccounting, u"accounting"_s},
        {NotificationActionKind::goToCalendar, u"calendar"_s},
    };
    for (const auto& [kind, key] : cases)
        EXPECT_EQ(notificationTarget({kind, id}), (NotificationTarget{key, id}))
            << key.toStdString();
    EXPECT_EQ(notificationTarget({NotificationActionKind::goToCalendar, std::nullopt})->recordID,
              QUuid());
    EXPECT_FALSE(notificationTarget({NotificationActionKind::none, id}));
}

TEST(NotificationCentreViews, NextChangeIsMidnightOrAnEarlierSnoozeEnd) {
    const QDateTime midnight =
        QDateTime(QDate(2025, 6, 11), QTime(0, 0), QTimeZone::systemTimeZone()).toUTC();
    NotificationStateMap states;
    EXPECT_EQ(nextNotificationChange(states, kNow), midnight);
    states[u"a"_s].snoozedUntil = kNow.addSecs(600);
    states[u"b"_s].snoozedUntil = kNow.addSecs(-600); // already over
    states[u"c"_s].snoozedUntil = kNow.addSecs(60);
    EXPECT_EQ(nextNotificationChange(states, kNow), kNow.addSecs(60));
    states.remove(u"c"_s);
    states[u"a"_s].snoozedUntil = kNow.addDays(2);
    EXPECT_EQ(nextNotificationChange(states, kNow), midnight);
}

TEST(NotificationCentreViews, ToastedOnceAndNeverAfterDismissal) {
    RecipeSession s;
    const QString fresh = u"stock.out.A"_s, toasted = u"stock.out.B"_s,
                  dismissed = u"stock.out.C"_s;
    s.db.notificationStates[dismissed].toastDismissed = true;
    SessionEdit edit(s.db, nullptr);
    ASSERT_TRUE(markNotificationsToasted(edit, {toasted}, kNow).ok());
    const NotificationStateMap& states = edit.session().notificationStates;
    EXPECT_EQ(states.value(toasted).firstToastedAt, kNow);
    EXPECT_TRUE(isNotificationToastDue(states, fresh));
    EXPECT_FALSE(isNotificationToastDue(states, toasted));
    EXPECT_FALSE(isNotificationToastDue(states, dismissed));
    EXPECT_FALSE(markNotificationsToasted(edit, {}, kNow).ok());
}

} // namespace
