#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QTime>

#include <optional>
#include <utility>

namespace velmora {

// The local time zone's offsets from UTC between two moments, read once, so
// that converting many moments costs a binary search instead of a call into
// the C library. Wall-clock times within a day of an offset change, where
// summer time skips or repeats an hour, are left to the caller, as are
// moments outside the table: there the answer is none.
class LocalZoneTable {
public:
    LocalZoneTable(const QDateTime& from, const QDateTime& to);

    // The local day and time of a moment.
    std::optional<std::pair<QDate, QTime>> local(const QDateTime& moment) const;
    // The moment of a local wall-clock time, in UTC.
    std::optional<QDateTime> utc(QDate day, QTime time) const;

private:
    struct Span {
        qint64 from;   // milliseconds since 1970 UTC, included
        qint64 to;     // excluded
        qint64 offset; // milliseconds added to UTC
    };
    QList<Span> m_spans;
};

} // namespace velmora
