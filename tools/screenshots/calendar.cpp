// The calendar: the month with user events beside the derived ones, a busy
// day's list, the event form, the settings and the synchronisation panel
// before and after connecting.

#include "Tour.h"

#include "core/store/AppDataStore.h"
#include "core/store/SessionEdit.h"
#include "gui/app/Application.h"
#include "gui/calendar/CalendarEventFormSheet.h"
#include "gui/calendar/CalendarPage.h"
#include "gui/calendar/CalendarSettingsSheet.h"
#include "gui/calendar/CalendarSyncService.h"
#include "gui/calendar/CalendarSyncSheet.h"
#include "gui/main/MainWindow.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace velmora::tour {

namespace {

QDate dayOfMonth(int day) {
    const QDate today = QDate::currentDate();
    return QDate(today.year(), today.month(), std::min(day, today.daysInMonth()));
}

void addSampleEvents(AppDataStore& store) {
    (void)store.edit([](SessionEdit& edit) {
        const CustomCalendarTag meetings{QUuid::createUuid(), u"Rendez-vous"_s, u"#30D158"_s};
        const CustomCalendarTag personal{QUuid::createUuid(), u"Perso"_s, u"#BF5AF2"_s};
        edit.customCalendarTags() = {meetings, personal};
        const QList<std::tuple<QString, int, int, std::optional<QUuid>, QString>> events{
            {u"Point avec l’agence Horizon"_s, 9, 10, meetings.id, u"Visio"_s},
            {u"Shooting catalogue printemps"_s, 9, 14, meetings.id, u"Studio Lumière, Lyon"_s},
            {u"Dépôt des tirages"_s, 9, 17, std::nullopt, QString()},
            {u"Salon de la photo"_s, 17, 9, meetings.id, u"Paris Expo"_s},
            {u"Anniversaire de Léa"_s, 22, 19, personal.id, QString()},
            {u"Préparer la déclaration"_s, 27, 9, std::nullopt, QString()},
        };
        for (const auto& [title, day, hour, tag, place] : events) {
            CustomCalendarEvent e;
            e.id = QUuid::createUuid();
            e.title = title;
            e.date = QDateTime(dayOfMonth(day), QTime(hour, 0), QTimeZone::systemTimeZone());
            e.customTagID = tag;
            e.location = place;
            e.createdAt = QDateTime::currentDateTimeUtc();
            edit.customCalendarEvents().append(e);
        }
        CustomCalendarEvent weekly;
        weekly.id = QUuid::createUuid();
        weekly.title = u"Retouches de la semaine"_s;
        weekly.date = QDateTime(dayOfMonth(1), QTime(8, 30), QTimeZone::systemTimeZone());
        weekly.recurrence = u"weekly"_s;
        weekly.createdAt = weekly.date;
        edit.customCalendarEvents().append(weekly);
        return Result<>();
    });
}

// Waits for the synchronisation started by the panel.
void waitForSync(Tour& tour, gui::CalendarSyncService& sync) {
    (void)QTest::qWaitFor([&] { return sync.state() == gui::CalendarSyncService::State::idle; },
                          10000);
    tour.settle();
}

} // namespace

void shootCalendar(Tour& tour) {
    addSampleEvents(tour.app.store());
    tour.app.environment().userDefaults.setValue(gui::CalendarSyncService::folderSetting(),
                                                 tour.folder + u"/calendars"_s);
    tour.window.workspace().showSection(u"calendar"_s);
    auto* page = qobject_cast<gui::CalendarPage*>(tour.window.sections().page(u"calendar"_s));
    if (!page)
        return;
    tour.dismissToasts();
    page->selectDay(dayOfMonth(9));
    tour.shoot(tour.window, u"calendar-month"_s);
    page->selectDay(QDate::currentDate());
    tour.shoot(tour.window, u"calendar-day"_s);
    for (const auto& [view, shot] : {std::pair{u"calendarViewList"_s, u"calendar-list"_s},
                                     std::pair{u"calendarViewMonth"_s, QString()}}) {
        if (auto* button = tour.window.findChild<QAbstractButton*>(view))
            button->click();
        tour.settle();
        if (!shot.isEmpty())
            tour.shoot(tour.window, shot);
    }

    page->selectDay(dayOfMonth(9));
    page->command(gui::SectionCommand::create)->trigger();
    tour.shootDialog<gui::CalendarEventFormSheet>(tour.window, u"calendar-form"_s);
    page->findChild<QAbstractButton*>(u"calendarSettings"_s)->click();
    tour.shootDialog<gui::CalendarSettingsSheet>(tour.window, u"calendar-settings"_s);

    auto* sync = gui::sessionService<gui::CalendarSyncService>(tour.window.sections().services());
    auto* status = page->findChild<QAbstractButton*>(u"calendarSyncStatus"_s);
    if (!sync || !status)
        return;
    status->click();
    tour.settle();
    if (auto* sheet = tour.window.findChild<gui::CalendarSyncSheet*>()) {
        tour.shoot(*sheet, u"calendar-sync"_s);
        tour.dialogs.answerNext(u"OK"_s);
        sheet->findChild<QAbstractButton*>(u"calendarSyncAction"_s)->click();
        waitForSync(tour, *sync);
        tour.shoot(*sheet, u"calendar-sync-connected"_s);
        sheet->reject();
    }
    tour.shoot(tour.window, u"calendar-connected"_s);
}

} // namespace velmora::tour
