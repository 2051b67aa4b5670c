#pragma once

#include "core/calendar/CalendarEventItem.h"
#include "gui/main/SectionPage.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <QTimer>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace velmora {
class AppDataStore;
class CalendarEventListModel;
class CalendarMonthModel;
} // namespace velmora

namespace velmora::gui {

class CalendarSyncService;
class Dialogs;
class FlowLayout;
struct SectionServices;

// "Calendrier": the month with each day's items as coloured chips, the
// selected day's list and the upcoming list beside it, the filter bar over
// them and a search field; user events are created, edited and deleted
// here, any other item opens its record in its section. The list is built
// from the session when it changes and the page is on screen.
class CalendarPage : public SectionPage {
    Q_OBJECT

public:
    explicit CalendarPage(const SectionServices& services, QWidget* parent = nullptr);

    QDate selectedDay() const { return m_selected; }
    void selectDay(const QDate& day);
    void reveal(const QUuid& id) override;
    bool holds(const QUuid& id) const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuild();
    void applyFilters();
    void showDay();
    void refreshFilterBar();
    void refreshSync();
    void showMonth(const QDate& day);
    void refreshMonthList();

    void newEvent();
    void editEvent(const QUuid& eventID);
    void deleteEvent(const QUuid& eventID);
    void openItem(const CalendarEventItem& item);
    // The user event of the day list's current row, if it is one.
    std::optional<QUuid> currentUserEvent() const;

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    CalendarSyncService* m_sync = nullptr;

    QList<CalendarEventItem> m_events; // unfiltered, as built
    QHash<QUuid, QString> m_searchText;
    QMap<QDate, QList<CalendarEventItem>> m_byDay;
    bool m_dirty = true;
    QDate m_builtOn;
    QDate m_selected;
    QTimer m_rebuild;

    CalendarMonthModel* m_month = nullptr;
    CalendarEventListModel* m_day = nullptr;
    CalendarEventListModel* m_upcoming = nullptr;
    QLabel* m_monthTitle = nullptr;
    QLineEdit* m_search = nullptr;
    QPushButton* m_syncButton = nullptr;
    QWidget* m_filterBar = nullptr;
    FlowLayout* m_filterFlow = nullptr;
    QTableView* m_grid = nullptr;
    // The month as a list, in place of the grid.
    QStackedWidget* m_views = nullptr;
    CalendarEventListModel* m_monthEvents = nullptr;
    QListView* m_monthList = nullptr;
    QLabel* m_monthEmpty = nullptr;
    QLabel* m_dayTitle = nullptr;
    QListView* m_dayList = nullptr;
    QLabel* m_dayEmpty = nullptr;
    QListView* m_upcomingList = nullptr;
    QWidget* m_upcomingEmpty = nullptr;
};

} // namespace velmora::gui
