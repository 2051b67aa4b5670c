// The calendar screen: a user event added from the month lands in the day's
// list and the session, a filter chip hides it, and once connected the
// system calendar folder follows the session by itself.

#include "SectionFixture.h"

#include "core/calendar/CalendarMonthModel.h"
#include "core/lists/RecordListModelBase.h"
#include "gui/calendar/CalendarPage.h"
#include "gui/calendar/CalendarSyncService.h"

#include <QDir>
#include <QTableView>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace velmora::gui::test {
namespace {

class CalendarPageTest : public WidgetDriver<SectionFixture> {
protected:
    QWidget& driven() override { return window(); }

    QStringList dayRows() {
        auto* list = find<QListView>(u"calendarDayList"_s);
        QStringList rows;
        for (int row = 0; list && list->isVisibleTo(&window()) && row < list->model()->rowCount();
             ++row)
            rows << list->model()->index(row, 0).data().toString();
        return rows;
    }
    QStringList vdirFiles() {
        QStringList files;
        QDir root(m_vdir.path());
        for (const QString& calendar : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            files << QDir(root.filePath(calendar)).entryList({u"*.ics"_s}, QDir::Files);
        return files;
    }

    QTemporaryDir m_vdir;
};

TEST_F(CalendarPageTest, AnEventAddedFromTheMonthIsListedStoredAndFiltered) {
    openSection(u"calendar"_s);
    QCoreApplication::processEvents();
    auto* grid = find<QTableView>(u"calendarMonth"_s);
    ASSERT_NE(grid, nullptr);
    const QDate today = QDate::currentDate();
    const QDate day(today.year(), today.month(), 15);
    auto* month = static_cast<CalendarMonthModel*>(grid->model());
    const QModelIndex cell = month->indexOf(day);
    ASSERT_TRUE(cell.isValid());
    // A click selects the day; a double click on it opens a new event there.
    const QPoint centre = grid->visualRect(cell).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(shownText(u"calendarDayTitle"_s), calendarDayTitle(day));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);

    auto* save = find<QAbstractButton>(u"calendarEventFormSave"_s);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), u"Ajouter"_s);
    type(u"calendarEventTitle"_s, u"Rendez-vous banque"_s);
    click(u"calendarEventFormSave"_s);
    // The list is built again once the event loop turns; its chips show on the next turn.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    ASSERT_EQ(store().session().customCalendarEvents.size(), 1);
    const CustomCalendarEvent& stored = store().session().customCalendarEvents.first();
    EXPECT_EQ(stored.title, u"Rendez-vous banque"_s);
    EXPECT_EQ(stored.date.toLocalTime().date(), day);
    EXPECT_TRUE(sessionFile().contains("Rendez-vous banque"));
    EXPECT_EQ(dayRows(), QStringList{u"Rendez-vous banque"_s});
    EXPECT_EQ(month->indexOf(day).data(CalendarMonthModel::TitlesRole).toStringList(),
              QStringList{u"Rendez-vous banque"_s});
    // The list view names the month's items with their day; next month has none.
    click(u"calendarViewList"_s);
    auto* list = find<QListView>(u"calendarMonthList"_s);
    EXPECT_TRUE(list->isVisibleTo(&window()));
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), u"Rendez-vous banque"_s);
    click(u"calendarNextMonth"_s);
    EXPECT_TRUE(isShown(u"calendarMonthEmpty"_s));
    click(u"calendarPreviousMonth"_s);
    click(u"calendarViewMonth"_s);
    EXPECT_TRUE(grid->isVisibleTo(&window()));

    // Untagged user events have their own filter; switching it off hides them.
    click(u"calendarFilter_custom_untagged"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(store().session().preferences.calendarDisabledCategories,
              QList<QString>{u"custom_untagged"_s});
    EXPECT_TRUE(dayRows().isEmpty());
    EXPECT_EQ(shownText(u"calendarDayEmpty"_s), u"Ce jour n'a aucun événement programmé."_s);
}

TEST_F(CalendarPageTest, ADerivedItemOpensItsRecordAndAPurchaseItsExpense) {
    AccountingPurchaseItem paper;
    paper.id = QUuid::createUuid();
    paper.customProductName = u"Papier photo"_s;
    paper.priceTTC = 42;
    paper.purchaseDate = QDateTime::currentDateTimeUtc();
    CommercialDocumentItem due;
    openSection(u"calendar"_s, [&](AppDatabase& db) {
        due = documentOf(CommercialDocumentKind::invoice, u"F-2026-031"_s, u"Tirages"_s, {},
                         statusNamed(db.invoiceStatuses, u"Envoyé"_s),
                         QDateTime::currentDateTimeUtc().addDays(-20));
        due.dueDays = 30;
        db.documents = {due};
        db.accountingPurchases = {paper};
    });
    QCoreApplication::processEvents();
    auto* upcoming = find<QListView>(u"calendarUpcomingList"_s);
    ASSERT_NE(upcoming, nullptr);
    ASSERT_EQ(upcoming->model()->rowCount(), 2);
    const auto open = [&](int row) {
        window().workspace().showSection(u"calendar"_s);
        upcoming->setFocus();
        upcoming->setCurrentIndex(upcoming->model()->index(row, 0));
        QTest::keyClick(upcoming, Qt::Key_Return);
    };
    open(0);
    EXPECT_EQ(window().workspace().currentSection(), u"accounting"_s);
    EXPECT_EQ(find<QListView>(u"expensesList"_s)->currentIndex().data(RecordListModelBase::IdRole),
              paper.id);
    open(1);
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    EXPECT_EQ(shownText(u"documentCardTitle"_s), u"Facture F-2026-031"_s);
}

TEST_F(CalendarPageTest, ConnectingWritesTheFolderAndAChangeFollowsAfterThePause) {
    ASSERT_TRUE(m_vdir.isValid());
    m_defaults.setValue(CalendarSyncService::folderSetting(), m_vdir.path());
    openSection(u"calendar"_s);
    QCoreApplication::processEvents();
    click(u"calendarSyncStatus"_s);
    EXPECT_EQ(find<QAbstractButton>(u"calendarSyncAction"_s)->text(),
              u"Autoriser l'accès au calendrier"_s);
    m_dialogs.answerNext(u"OK"_s);
    click(u"calendarSyncAction"_s);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return store().session().preferences.calendarICloudCalendarID.has_value(); }, 10000));
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Synchronisation terminée"_s);
    EXPECT_FALSE(store().session().preferences.calendarSyncError.has_value());
    EXPECT_TRUE(find<QLabel>(u"calendarSyncHeadline"_s)->text() ==
                u"Connecté au calendrier système"_s);
    EXPECT_TRUE(vdirFiles().isEmpty());

    CustomCalendarEvent event;
    event.id = QUuid::createUuid();
    event.title = u"Salon des artisans"_s;
    event.date =
        QDateTime(QDate::currentDate().addDays(3), QTime(10, 0), QTimeZone::systemTimeZone());
    store().edit([&](SessionEdit& edit) {
        edit.customCalendarEvents().append(event);
        return Result<>();
    });
    // Nothing is written before the pause after the last change.
    QTest::qWait(CalendarSyncService::debounceMs / 2);
    EXPECT_TRUE(vdirFiles().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return vdirFiles().size() == 1; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return store().session().preferences.calendarLastSyncDate.has_value(); }, 5000));
}

} // namespace
} // namespace velmora::gui::test
