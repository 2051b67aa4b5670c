#pragma once

#include "core/calendar/CalendarEventItem.h"

#include <QAbstractListModel>
#include <QList>

namespace velmora {

// A list of calendar items as the day panel and the upcoming list show
// them: the title, then when ("Toute la journée", "14:30", with the day for
// a list that spans several), the subtitle and the amount.
class CalendarEventListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        SubtitleRole = Qt::UserRole + 1,
        WhenRole,
        AmountRole,
        ColorRole,
        IsUserEventRole,
    };

    // `withDay`: the rows name their day, for a list over several days.
    explicit CalendarEventListModel(bool withDay, QObject* parent = nullptr);

    void setEvents(QList<CalendarEventItem> events);
    const QList<CalendarEventItem>& events() const { return m_events; }
    const CalendarEventItem* itemAt(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    bool m_withDay;
    QList<CalendarEventItem> m_events;
};

// "Toute la journée", "14:30", or "lun. 8 déc. · 14:30" with the day.
QString calendarEventWhen(const CalendarEventItem& item, bool withDay);

} // namespace velmora
