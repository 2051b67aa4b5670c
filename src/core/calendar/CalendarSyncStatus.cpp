#include "core/calendar/CalendarSyncStatus.h"

using namespace Qt::StringLiterals;

namespace velmora {

QString calendarSyncDateText(const QDateTime& moment) {
    return moment.toLocalTime().toString(u"dd/MM/yyyy 'à' HH:mm"_s);
}

CalendarSyncStatus calendarSyncStatus(const AppPreferences& preferences,
                                      std::optional<CalendarSyncPhase> running,
                                      const std::optional<QString>& calendarTitle) {
    CalendarSyncStatus status;
    if (preferences.calendarSyncError && !preferences.calendarSyncError->isEmpty())
        status.error = u"Erreur : "_s + *preferences.calendarSyncError;
    if (running == CalendarSyncPhase::creating) {
        status.phase = *running;
        status.headline = u"Création du calendrier en cours…"_s;
        return status;
    }
    if (running == CalendarSyncPhase::syncing) {
        status.phase = *running;
        status.headline = u"Synchronisation en cours…"_s;
        return status;
    }
    if (!preferences.calendarICloudCalendarID) {
        status.headline = u"Connexion au calendrier système"_s;
        status.details = {
            u"Un calendrier « Velmora Core » sera automatiquement créé dans votre calendrier "
            u"système."_s,
            u"Une fois autorisé, Velmora Core crée automatiquement un calendrier « Velmora "
            u"Core » dans votre calendrier système et y synchronise tous vos événements "
            u"(factures, devis, activités, URSSAF, abonnements, encaissements, événements "
            u"personnels) — automatiquement à chaque modification."_s};
        return status;
    }
    status.phase = CalendarSyncPhase::connected;
    status.headline = u"Connecté au calendrier système"_s;
    if (calendarTitle)
        status.details << u"Calendrier : "_s + *calendarTitle;
    status.details << u"La synchronisation est automatique à chaque modification."_s;
    if (preferences.calendarLastSyncDate)
        status.details << u"Dernière synchronisation : "_s +
                              calendarSyncDateText(*preferences.calendarLastSyncDate);
    return status;
}

QString calendarScreenSyncText(const AppPreferences& preferences) {
    if (!preferences.calendarICloudCalendarID)
        return u"Connecter le calendrier système"_s;
    QString text = u"Connecté au calendrier système"_s;
    if (preferences.calendarLastSyncDate)
        text += u" · Dernière sync. : "_s + calendarSyncDateText(*preferences.calendarLastSyncDate);
    return text;
}

} // namespace velmora
