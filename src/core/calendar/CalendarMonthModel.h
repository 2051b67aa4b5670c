#pragma once

#include "core/calendar/CalendarEventItem.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QMap>

namespace velmora {

// The colour an item is drawn in: its tag's for a user event, else its
// category's.
QString calendarEventColor(const CalendarEventItem& item);

// "décembre 2026".
QString calendarMonthTitle(const QDate& month);
// "mardi 8 décembre 2026".
QString calendarDayTitle(const QDate& day);

// The month view: six weeks of seven days from the Monday on or before the
// first of the month, so every month fits the same grid. Each cell is a day
// with the items of that day.
class CalendarMonthModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int weeks = 6;

    enum Role {
        DateRole = Qt::UserRole + 1,
        InMonthRole,
        TodayRole,
        // The titles and colours of the day's items, in list order.
        TitlesRole,
        ColorsRole,
    };

    explicit CalendarMonthModel(QObject* parent = nullptr);

    // Any day of the month to show.
    void setMonth(const QDate& day);
    QDate month() const { return m_month; }
    void setToday(const QDate& today);
    void setEvents(QMap<QDate, QList<CalendarEventItem>> byDay);

    QDate dateAt(const QModelIndex& index) const;
    QModelIndex indexOf(const QDate& day) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void refreshAll();

    QDate m_month; // its first day
    QDate m_first; // the first day of the grid
    QDate m_today;
    QMap<QDate, QList<CalendarEventItem>> m_byDay;
};

} // namespace velmora
