#pragma once

#include "core/model/AppPreferences.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {

// Where the synchronisation stands, as the calendar screen and its panel say.
enum class CalendarSyncPhase { notConnected, creating, syncing, connected };

struct CalendarSyncStatus {
    CalendarSyncPhase phase = CalendarSyncPhase::notConnected;
    QString headline;
    QStringList details;
    QString error; // "Erreur : …", empty when the last run went well
};

// `running`: creating or syncing while a run goes on, else none.
// `calendarTitle`: the application calendar's title as the store lists it.
CalendarSyncStatus calendarSyncStatus(const AppPreferences& preferences,
                                      std::optional<CalendarSyncPhase> running,
                                      const std::optional<QString>& calendarTitle);

// "08/12/2026 à 14:30", local time.
QString calendarSyncDateText(const QDateTime& moment);
// The calendar screen's line: "Connecter le calendrier système", or
// "Connecté au calendrier système" with "Dernière sync. : …".
QString calendarScreenSyncText(const AppPreferences& preferences);

namespace calendarsync {
inline constexpr char16_t kAllowAccess[] = u"Autoriser l'accès au calendrier";
inline constexpr char16_t kSyncNow[] = u"Synchroniser maintenant";
inline constexpr char16_t kScope[] =
    u"La synchronisation avec le calendrier système concerne uniquement le Calendrier. Toutes "
    u"les autres données (clients, factures, etc.) restent dans votre fichier .cdb local.";
} // namespace calendarsync

} // namespace velmora
