#include "core/calendar/LocalZoneTable.h"

#include <QTimeZone>

#include <algorithm>

namespace velmora {
namespace {

constexpr qint64 kDayMSecs = 86'400'000;
constexpr qint64 kUnixEpochJulianDay = 2'440'588;

// The offset as the C library gives it, which is what local QDateTimes use.
qint64 localOffsetAt(qint64 msecs) {
    return qint64(QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC).toLocalTime().offsetFromUtc()) *
           1000;
}

} // namespace

LocalZoneTable::LocalZoneTable(const QDateTime& from, const QDateTime& to) {
    if (!from.isValid() || !to.isValid() || to <= from)
        return;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    QList<qint64> bounds{from.toMSecsSinceEpoch()};
    for (const QTimeZone::OffsetData& change : zone.transitions(from, to)) {
        if (const qint64 at = change.atUtc.toMSecsSinceEpoch(); at > bounds.last())
            bounds.append(at);
    }
    bounds.append(to.toMSecsSinceEpoch());
    for (qsizetype i = 0; i + 1 < bounds.size(); ++i) {
        const Span span{bounds[i], bounds[i + 1], localOffsetAt(bounds[i])};
        // The zone database and the C library could disagree, one of them
        // seeing a change the other does not: the table then answers nothing.
        const QDateTime start = QDateTime::fromMSecsSinceEpoch(span.from, Qt::UTC);
        if (qint64(zone.offsetFromUtc(start)) * 1000 != span.offset ||
            localOffsetAt(span.from + (span.to - span.from) / 2) != span.offset ||
            localOffsetAt(span.to - 1) != span.offset) {
            m_spans.clear();
            return;
        }
        m_spans.append(span);
    }
}

std::optional<std::pair<QDate, QTime>> LocalZoneTable::local(const QDateTime& moment) const {
    if (!moment.isValid())
        return std::nullopt;
    const qint64 msecs = moment.toMSecsSinceEpoch();
    const auto after = std::upper_bound(m_spans.cbegin(), m_spans.cend(), msecs,
                                        [](qint64 t, const Span& s) { return t < s.from; });
    if (after == m_spans.cbegin() || msecs >= std::prev(after)->to)
        return std::nullopt;
    const qint64 wall = msecs + std::prev(after)->offset;
    const qint64 days = wall >= 0 ? wall / kDayMSecs : (wall + 1) / kDayMSecs - 1;
    return std::pair{QDate::fromJulianDay(days + kUnixEpochJulianDay),
                     QTime::fromMSecsSinceStartOfDay(int(wall - days * kDayMSecs))};
}

std::optional<QDateTime> LocalZoneTable::utc(QDate day, QTime time) const {
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    const qint64 wall =
        (day.toJulianDay() - kUnixEpochJulianDay) * kDayMSecs + time.msecsSinceStartOfDay();
    // Wall-clock spans follow each other as UTC ones do, each shifted by its
    // offset; a day's margin keeps clear of any repeated or skipped hour.
    const auto after =
        std::upper_bound(m_spans.cbegin(), m_spans.cend(), wall,
                         [](qint64 w, const Span& s) { return w < s.from + s.offset + kDayMSecs; });
    if (after == m_spans.cbegin())
        return std::nullopt;
    const Span& span = *std::prev(after);
    if (wall >= span.to + span.offset - kDayMSecs)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(wall - span.offset, Qt::UTC);
}

} // namespace velmora
