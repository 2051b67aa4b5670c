#pragma once

#include "core/model/AppDatabase.h"
#include "core/platform/Clock.h"

#include <optional>

namespace velmora::test {

// The states a save loop goes through are numbered. State n differs from the
// one before it by the session name, by the notes of one document (each step
// a different one, so a lost earlier step shows) and by the quantity of the
// first stock item. Whoever knows state 0 can rebuild any state from n alone.

inline QString saveLoopStateName(qint64 n) {
    return QStringLiteral("État %1").arg(n);
}

inline std::optional<qint64> saveLoopStateOf(const std::optional<QString>& sessionName) {
    static const QString prefix = QStringLiteral("État ");
    if (!sessionName || !sessionName->startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const qint64 n = sessionName->mid(prefix.size()).toLongLong(&ok);
    return ok && n >= 0 ? std::optional(n) : std::nullopt;
}

// The step from state n - 1 to state n (from the loaded session for n = 0).
inline void applySaveLoopStep(qint64 n, std::optional<QString>& sessionName,
                              QList<CommercialDocumentItem>& documents,
                              QList<StockItem>& stockItems) {
    sessionName = saveLoopStateName(n);
    if (!documents.isEmpty())
        documents[qsizetype(n % documents.size())].notes = QStringLiteral("Révision %1").arg(n);
    if (!stockItems.isEmpty())
        stockItems.first().quantity = n;
}

// Decoding fills fresh ids and dates from the clock: the saving process and
// the one that checks its files read with the same moment.
inline FixedClock saveLoopClock() {
    return FixedClock(QDateTime::fromString(QStringLiteral("2025-06-10T09:00:00Z"), Qt::ISODate));
}

} // namespace velmora::test
