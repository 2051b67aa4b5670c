#include "core/calendar/CalendarEventForm.h"

#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

QString eventNotFound() {
    return u"Cet événement n’existe plus."_s;
}

} // namespace

const QList<AlertChoice>& alertChoices() {
    static const QList<AlertChoice> choices = {
        {u"Aucune"_s, std::nullopt}, {u"Au moment de l'événement"_s, 0},
        {u"5 minutes avant"_s, 5},   {u"10 minutes avant"_s, 10},
        {u"15 minutes avant"_s, 15}, {u"30 minutes avant"_s, 30},
        {u"1 heure avant"_s, 60},    {u"2 heures avant"_s, 120},
        {u"1 jour avant"_s, 1440},   {u"2 jours avant"_s, 2880},
    };
    return choices;
}

const QList<RepetitionChoice>& repetitionChoices() {
    static const QList<RepetitionChoice> choices = {
        {u"Jamais"_s, std::nullopt},
        {u"Tous les jours"_s, u"daily"_s},
        {u"Toutes les semaines"_s, u"weekly"_s},
        {u"Tous les mois"_s, u"monthly"_s},
        {u"Tous les ans"_s, u"yearly"_s},
    };
    return choices;
}

CalendarEventForm::CalendarEventForm(const QDate& day, const QDateTime& now)
    : day(day), m_id(QUuid::createUuid()) {
    const QTime local = now.toLocalTime().time();
    time = QTime(std::min(local.hour() + 1, 23), 0);
}

CalendarEventForm::CalendarEventForm(const CustomCalendarEvent& event)
    : title(event.title), day(event.date.toLocalTime().date()),
      time(event.date.toLocalTime().time()), isAllDay(event.isAllDay), location(event.location),
      alertMinutes(event.alertMinutes), recurrence(event.recurrence),
      customTagID(event.customTagID), linkedClientIDs(event.linkedClientIDs),
      linkedProjectIDs(event.linkedProjectIDs), linkedDocumentIDs(event.linkedDocumentIDs),
      notes(event.notes), m_id(event.id), m_createdAt(event.createdAt), m_isNew(false) {}

QString CalendarEventForm::sheetTitle() const {
    return m_isNew ? u"Nouvel événement"_s : u"Modifier l'événement"_s;
}

QString CalendarEventForm::saveButtonText() const {
    return m_isNew ? u"Ajouter"_s : u"Enregistrer"_s;
}

QDateTime CalendarEventForm::date() const {
    const QDateTime local(day, isAllDay ? QTime(0, 0) : time, QTimeZone::systemTimeZone());
    return local.toUTC();
}

CustomCalendarEvent CalendarEventForm::written() const {
    CustomCalendarEvent e;
    e.id = m_id;
    e.title = title.trimmed();
    e.notes = notes;
    e.date = date();
    e.isAllDay = isAllDay;
    e.customTagID = customTagID;
    e.location = location.trimmed();
    e.alertMinutes = alertMinutes;
    e.recurrence = recurrence;
    e.linkedClientIDs = linkedClientIDs;
    e.linkedProjectIDs = linkedProjectIDs;
    e.linkedDocumentIDs = linkedDocumentIDs;
    e.createdAt = m_createdAt;
    return e;
}

Result<> CalendarEventForm::apply(SessionEdit& edit, const QDateTime& now) {
    CustomCalendarEvent event = written();
    if (event.title.isEmpty() || !event.date.isValid())
        return Result<>::unchanged();
    if (m_isNew)
        event.createdAt = now;
    return putRecord(
        edit.session().customCalendarEvents,
        [&]() -> QList<CustomCalendarEvent>& { return edit.customCalendarEvents(); }, event,
        m_isNew, eventNotFound());
}

Alert calendarEventDeletionConfirmation(const QString& title) {
    return Alert{
        Alert::Kind::warning,
        u"Supprimer l’événement ?"_s,
        u"L’événement « %1 » sera supprimé définitivement du calendrier."_s.arg(title.trimmed()),
        {AlertButton{u"Annuler"_s, AlertRole::cancel},
         AlertButton{u"Supprimer"_s, AlertRole::destructive}}};
}

Alert calendarTagDeletionConfirmation(const QString& name) {
    return Alert{
        Alert::Kind::warning,
        u"Supprimer le tag ?"_s,
        u"Le tag « %1 » sera supprimé. Ses événements restent au calendrier, en gris."_s.arg(
            name.trimmed()),
        {AlertButton{u"Annuler"_s, AlertRole::cancel},
         AlertButton{u"Supprimer"_s, AlertRole::destructive}}};
}

Result<> deleteCalendarEvent(SessionEdit& edit, const QUuid& eventID) {
    const QList<CustomCalendarEvent>& list = edit.session().customCalendarEvents;
    const auto found = std::find_if(list.cbegin(), list.cend(),
                                    [&](const CustomCalendarEvent& e) { return e.id == eventID; });
    if (found == list.cend())
        return Result<>::notFound(eventNotFound());
    edit.customCalendarEvents().removeAt(found - list.cbegin());
    return Result<>();
}

Result<> addCalendarTag(SessionEdit& edit, const QString& name, const QString& hexColor) {
    if (name.trimmed().isEmpty())
        return Result<>::unchanged();
    static const QRegularExpression hex(u"^#[0-9A-Fa-f]{6}$"_s);
    const QString color = hex.match(hexColor).hasMatch() ? hexColor : defaultCalendarTagColor();
    edit.customCalendarTags().append({QUuid::createUuid(), name.trimmed(), color});
    return Result<>();
}

Result<> deleteCalendarTag(SessionEdit& edit, const QUuid& tagID) {
    const QList<CustomCalendarTag>& list = edit.session().customCalendarTags;
    const auto found = std::find_if(list.cbegin(), list.cend(),
                                    [&](const CustomCalendarTag& t) { return t.id == tagID; });
    if (found == list.cend())
        return Result<>::notFound(u"Ce tag n’existe plus."_s);
    edit.customCalendarTags().removeAt(found - list.cbegin());
    return Result<>();
}

} // namespace velmora
