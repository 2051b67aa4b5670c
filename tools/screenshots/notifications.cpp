// The notification centre: a new item's toast over the window, then the
// centre opened from the bell, with items of every severity.

#include "Tour.h"

#include "core/store/AppDataStore.h"
#include "core/store/SessionEdit.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootNotifications(Tour& tour) {
    tour.window.workspace().showSection(u"dashboard"_s);
    (void)tour.app.store().edit([](SessionEdit& edit) {
        StockItem paper;
        paper.id = QUuid::createUuid();
        paper.title = u"Papier baryté A3"_s;
        paper.quantity = 0;
        edit.stockItems().append(paper);
        URSSAFDeclaration quarter;
        quarter.id = QUuid::createUuid();
        quarter.year = QDate::currentDate().year();
        quarter.periodIndex = (QDate::currentDate().month() + 2) / 3;
        edit.urssafDeclarations().append(quarter);
        CustomCalendarEvent meeting;
        meeting.id = QUuid::createUuid();
        meeting.title = u"Rendez-vous avec Studio Nord"_s;
        meeting.date = QDateTime(QDate::currentDate(), QTime(16, 0), QTimeZone::systemTimeZone());
        meeting.createdAt = QDateTime::currentDateTimeUtc();
        edit.customCalendarEvents().append(meeting);
        return Result<>();
    });
    // The toasts once faded in.
    QTest::qWait(400);
    tour.settle();
    tour.shoot(tour.window, u"notifications-toast"_s);
    if (auto* bell = tour.window.findChild<QAbstractButton*>(u"notificationBell"_s)) {
        bell->click();
        tour.settle();
        tour.shoot(tour.window, u"notifications-centre"_s);
        bell->click();
        tour.settle();
    }
    tour.dismissToasts();
}

} // namespace velmora::tour
