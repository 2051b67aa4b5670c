#include "core/calendar/CalendarMonthModel.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

const QLocale& french() {
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

} // namespace

QString calendarEventColor(const CalendarEventItem& item) {
    return item.customTagHex ? *item.customTagHex : calendarCategoryColor(item.category);
}

QString calendarMonthTitle(const QDate& month) {
    return french().standaloneMonthName(month.month(), QLocale::LongFormat) + u' ' +
           QString::number(month.year());
}

QString calendarDayTitle(const QDate& day) {
    return french().toString(day, u"dddd d MMMM yyyy"_s);
}

CalendarMonthModel::CalendarMonthModel(QObject* parent) : QAbstractTableModel(parent) {}

void CalendarMonthModel::setMonth(const QDate& day) {
    const QDate month(day.year(), day.month(), 1);
    if (month == m_month)
        return;
    m_month = month;
    m_first = month.addDays(1 - month.dayOfWeek());
    refreshAll();
}

void CalendarMonthModel::setToday(const QDate& today) {
    if (today == m_today)
        return;
    m_today = today;
    refreshAll();
}

void CalendarMonthModel::setEvents(QMap<QDate, QList<CalendarEventItem>> byDay) {
    m_byDay = std::move(byDay);
    refreshAll();
}

void CalendarMonthModel::refreshAll() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(weeks - 1, 6));
}

QDate CalendarMonthModel::dateAt(const QModelIndex& index) const {
    return index.isValid() ? m_first.addDays(index.row() * 7 + index.column()) : QDate();
}

QModelIndex CalendarMonthModel::indexOf(const QDate& day) const {
    const qint64 offset = m_first.daysTo(day);
    if (!day.isValid() || offset < 0 || offset >= weeks * 7)
        return {};
    return index(int(offset / 7), int(offset % 7));
}

int CalendarMonthModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_month.isValid() ? 0 : weeks;
}

int CalendarMonthModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 7;
}

QVariant CalendarMonthModel::data(const QModelIndex& index, int role) const {
    const QDate day = dateAt(index);
    if (!day.isValid())
        return {};
    const auto items = m_byDay.constFind(day);
    const qsizetype count = items == m_byDay.constEnd() ? 0 : items->size();
    switch (role) {
    case Qt::DisplayRole:
        return day.day();
    case Qt::AccessibleTextRole: {
        const QString title = calendarDayTitle(day);
        if (count == 0)
            return title;
        return title + u" : "_s + (count == 1 ? u"1 événement"_s : u"%1 événements"_s.arg(count));
    }
    case DateRole:
        return day;
    case InMonthRole:
        return day.month() == m_month.month();
    case TodayRole:
        return day == m_today;
    case TitlesRole:
    case ColorsRole: {
        QStringList texts;
        if (count > 0)
            for (const CalendarEventItem& item : *items)
                texts << (role == TitlesRole ? item.title : calendarEventColor(item));
        return texts;
    }
    default:
        return {};
    }
}

QVariant CalendarMonthModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section > 6)
        return {};
    if (role == Qt::DisplayRole)
        return french().dayName(section + 1, QLocale::ShortFormat);
    if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
        return french().dayName(section + 1, QLocale::LongFormat);
    return {};
}

} // namespace velmora
