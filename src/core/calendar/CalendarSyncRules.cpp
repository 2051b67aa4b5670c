#include "core/calendar/CalendarSyncRules.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velmora {

SyncWindow syncWindow(const QDateTime& now) {
    return {now.addYears(-2), now.addYears(5)};
}

QDateTime oldestSyncedDate(const QDateTime& now) {
    return now.addDays(-30);
}

int durationMinutes(const QString& text) {
    constexpr int kDefault = 60;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return kDefault;
    static const QRegularExpression hoursForm(uR"((\d+)\s*h\s*(\d*))"_s);
    if (const QRegularExpressionMatch m = hoursForm.match(trimmed); m.hasMatch())
        return m.captured(1).toInt() * 60 + m.captured(2).toInt();
    const qsizetype colon = trimmed.indexOf(u':');
    if (colon < 0)
        return kDefault;
    bool hoursOk = false;
    bool minutesOk = false;
    const int hours = trimmed.left(colon).trimmed().toInt(&hoursOk);
    const int minutes = trimmed.mid(colon + 1).trimmed().toInt(&minutesOk);
    if (!hoursOk || !minutesOk || hours < 0 || minutes < 0)
        return kDefault;
    return hours * 60 + minutes;
}

SyncCounts syncCounts(int saved, int removed) {
    return {std::max(0, saved - removed), std::min(saved, removed)};
}

QString syncResultMessage(const SyncCounts& counts) {
    const QString plural = counts.added == 1 ? QString() : u"s"_s;
    return u"%1 événement%2 ajouté%2, %3 mis à jour."_s.arg(counts.added)
        .arg(plural)
        .arg(counts.updated);
}

} // namespace velmora
