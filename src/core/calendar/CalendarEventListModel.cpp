#include "core/calendar/CalendarEventListModel.h"

#include "core/calendar/CalendarMonthModel.h"
#include "core/text/MoneyFormat.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace velmora {

QString calendarEventWhen(const CalendarEventItem& item, bool withDay) {
    const QDateTime local = item.date.toLocalTime();
    const QString time = item.isAllDay ? u"Toute la journée"_s : local.time().toString(u"HH:mm"_s);
    if (!withDay)
        return time;
    static const QLocale french(QLocale::French, QLocale::France);
    return french.toString(local.date(), u"ddd d MMM"_s) + u" · "_s + time;
}

CalendarEventListModel::CalendarEventListModel(bool withDay, QObject* parent)
    : QAbstractListModel(parent), m_withDay(withDay) {}

void CalendarEventListModel::setEvents(QList<CalendarEventItem> events) {
    beginResetModel();
    m_events = std::move(events);
    endResetModel();
}

const CalendarEventItem* CalendarEventListModel::itemAt(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= m_events.size())
        return nullptr;
    return &m_events.at(index.row());
}

int CalendarEventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_events.size());
}

QVariant CalendarEventListModel::data(const QModelIndex& index, int role) const {
    const CalendarEventItem* item = itemAt(index);
    if (!item)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return item->title;
    case Qt::AccessibleTextRole: {
        QStringList parts{item->title, calendarEventWhen(*item, m_withDay)};
        if (!item->subtitle.isEmpty())
            parts << item->subtitle;
        if (item->amount)
            parts << formatMoney(*item->amount);
        return parts.join(u", "_s);
    }
    case Qt::ToolTipRole:
        return item->location.isEmpty() ? item->title : item->title + u" — "_s + item->location;
    case SubtitleRole:
        return item->subtitle;
    case WhenRole:
        return calendarEventWhen(*item, m_withDay);
    case AmountRole:
        return item->amount ? formatMoney(*item->amount) : QString();
    case ColorRole:
        return calendarEventColor(*item);
    case IsUserEventRole:
        return item->customEventID.has_value();
    default:
        return {};
    }
}

} // namespace velmora
