// The notification centre on screen: new items toasted once and posted to
// the desktop, the bell's count, a one-hour snooze that hides an item until
// the clock has moved, and the records a click or the desktop opens.

#include "SectionFixture.h"

#include "core/notifications/NotificationListModel.h"
#include "core/store/SessionEdit.h"
#include "gui/notifications/NotificationCentre.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTimeZone>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace velmora::gui::test {
namespace {

class NotificationCentreTest : public WidgetDriver<SectionFixture> {
protected:
    QWidget& driven() override { return window(); }

    // A late invoice (critical) and a quote that expires tomorrow (info).
    void openWithTwoItems() {
        openSection(u"clients"_s, [&](AppDatabase& db) {
            const QDateTime issued = QDateTime(QDate::currentDate().addDays(-20), QTime(12, 0),
                                               QTimeZone::systemTimeZone())
                                         .toUTC();
            CommercialDocumentItem late =
                documentOf(CommercialDocumentKind::invoice, u"F-2025-007"_s, u"Atelier"_s, {},
                           statusNamed(db.invoiceStatuses, u"Envoyé"_s), issued);
            late.dueDays = 10;
            CommercialDocumentItem quote =
                documentOf(CommercialDocumentKind::quote, u"D-2025-003"_s, u"Atelier"_s, {},
                           statusNamed(db.quoteStatuses, u"Envoyé"_s), issued);
            quote.validityDate = QDateTime::currentDateTimeUtc().addDays(1);
            db.documents = {late, quote};
            m_invoice = late.id;
        });
        settle();
    }
    void settle() {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }
    NotificationCentre& centre() {
        auto* found = window().findChild<NotificationCentre*>();
        EXPECT_NE(found, nullptr);
        return *found;
    }
    QString bell() { return find<QToolButton>(u"notificationBell"_s)->accessibleName(); }
    QString lateID() {
        return u"invoice.late."_s + m_invoice.toString(QUuid::WithoutBraces).toUpper();
    }
    QStringList toastTitles() {
        QStringList titles;
        for (const NotificationItem& toast : centre().toasts())
            titles << toast.title;
        return titles;
    }

    QUuid m_invoice;
};

TEST_F(NotificationCentreTest, NewItemsAreToastedOncePostedAndCountedOnTheBell) {
    openWithTwoItems();
    EXPECT_EQ(bell(), u"Notifications (2)"_s);
    EXPECT_EQ(toastTitles(), (QStringList{u"Facture en retard"_s, u"Devis bientôt expiré"_s}));
    ASSERT_EQ(m_notifications.pending.size(), 2);
    const NotificationRequest& posted = m_notifications.pending.first();
    EXPECT_EQ(posted.identifier, lateID());
    EXPECT_EQ(posted.body, u"F-2025-007 — 10 j de retard"_s);
    EXPECT_TRUE(posted.critical);
    EXPECT_FALSE(m_notifications.pending.last().critical);
    EXPECT_TRUE(store().session().notificationStates.value(lateID()).firstToastedAt);
    EXPECT_TRUE(sessionFile().contains("firstToastedAt"));

    // "Masquer" takes the toast away and keeps the item in the centre.
    auto* dismiss = find<QAbstractButton>(u"notificationToastDismiss"_s);
    ASSERT_NE(dismiss, nullptr);
    EXPECT_EQ(dismiss->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(dismiss, Qt::LeftButton);
    settle();
    EXPECT_EQ(toastTitles(), QStringList{u"Devis bientôt expiré"_s});
    EXPECT_TRUE(store().session().notificationStates.value(lateID()).toastDismissed);
    EXPECT_EQ(bell(), u"Notifications (2)"_s);

    // Toasted once in the session's life: not again after a restart.
    restartApp();
    openFromList(m_path);
    settle();
    EXPECT_EQ(bell(), u"Notifications (2)"_s);
    EXPECT_TRUE(centre().toasts().isEmpty());

    // A toast that comes while the search panel is open stays under it.
    click(u"spotlightButton"_s);
    ASSERT_TRUE(store().edit([](SessionEdit& edit) {
        CommercialDocumentItem again = edit.documents().first();
        again.id = QUuid::createUuid();
        again.number = u"F-2025-008"_s;
        edit.documents().append(again);
        return Result<>();
    }));
    QTRY_COMPARE(toastTitles(), QStringList{u"Facture en retard"_s});
    auto* panel = find<QWidget>(u"spotlightPanel"_s);
    const QObjectList stack = panel->parentWidget()->children();
    EXPECT_GT(stack.indexOf(panel), stack.indexOf(find<QWidget>(u"notificationToasts"_s)));
}

TEST_F(NotificationCentreTest, SnoozedForAnHourUntilTheClockHasMoved) {
    openWithTwoItems();
    click(u"notificationBell"_s);
    settle();
    EXPECT_EQ(shownText(u"notificationHeader"_s), u"Notifications (2)"_s);
    auto* list = find<QListView>(u"notificationList"_s);
    ASSERT_NE(list, nullptr);
    const int row = static_cast<NotificationListModel*>(list->model())->rowOf(lateID());
    ASSERT_EQ(row, 1); // under the "Urgent" heading
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &menuEvent);
    auto* menu = window().findChild<QMenu*>(u"notificationReactions"_s);
    ASSERT_NE(menu, nullptr);
    QAction* later = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == u"Rappeler plus tard"_s)
            later = action;
    ASSERT_TRUE(later && later->menu());
    const QList<QAction*> choices = later->menu()->actions();
    ASSERT_EQ(choices.first()->text(), u"Dans 1 heure"_s);
    const QDateTime before = m_clock.now();
    choices.first()->trigger();
    menu->close();
    settle();
    EXPECT_EQ(bell(), u"Notifications (1)"_s);
    EXPECT_EQ(shownText(u"notificationHeader"_s), u"Notifications (1)"_s);
    const QDateTime until = *store().session().notificationStates.value(lateID()).snoozedUntil;
    EXPECT_GE(before.secsTo(until), 3600);
    EXPECT_EQ(centre().nextChange(), until);

    m_clock.passed = 3599;
    centre().evaluate();
    EXPECT_EQ(bell(), u"Notifications (1)"_s);
    m_clock.passed = 3601;
    centre().evaluate();
    EXPECT_EQ(bell(), u"Notifications (2)"_s);
}

TEST_F(NotificationCentreTest, ClicksAndTheDesktopOpenTheRecord) {
    openWithTwoItems();
    ASSERT_TRUE(m_notifications.activated);
    m_notifications.activated(lateID());
    settle();
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    EXPECT_FALSE(toastTitles().contains(u"Facture en retard"_s));

    window().workspace().showSection(u"clients"_s);
    click(u"notificationBell"_s);
    settle();
    auto* list = find<QListView>(u"notificationList"_s);
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    settle();
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    EXPECT_FALSE(find<QWidget>(u"notificationPanel"_s)->isVisible());
}

} // namespace
} // namespace velmora::gui::test
