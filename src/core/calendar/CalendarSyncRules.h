#pragma once

#include <QDateTime>
#include <QString>

namespace velmora {

// The title of the calendar the application owns in the system store.
inline constexpr char16_t kAppCalendarTitle[] = u"Velmora Core";

namespace calendarsync {
inline constexpr char16_t kAccessDenied[] = u"Accès au calendrier non autorisé";
inline constexpr char16_t kNoCalendarConfigured[] = u"Aucun calendrier configuré";
inline constexpr char16_t kNoSource[] = u"Aucune source de calendrier trouvée";
inline constexpr char16_t kCalendarMissing[] = u"Calendrier introuvable — recréation nécessaire";
inline constexpr char16_t kResultTitle[] = u"Synchronisation terminée";
} // namespace calendarsync

// The span of the application's calendar a run empties and writes again.
struct SyncWindow {
    QDateTime from;
    QDateTime to;
};
SyncWindow syncWindow(const QDateTime& now);

// Items dated before this moment are not written.
QDateTime oldestSyncedDate(const QDateTime& now);

// Minutes of an activity's duration text ("1h30", "2 h", "1:30"); an empty
// or unreadable text counts as one hour.
int durationMinutes(const QString& text);

// What a run did, from what it saved and removed: the events beyond those
// removed are new, the others were rewritten.
struct SyncCounts {
    int added = 0;
    int updated = 0;
    bool operator==(const SyncCounts&) const = default;
};
SyncCounts syncCounts(int saved, int removed);

// "3 événements ajoutés, 2 mis à jour."
QString syncResultMessage(const SyncCounts& counts);

} // namespace velmora
