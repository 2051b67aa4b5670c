#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/CalendarRecords.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;

struct AlertChoice {
    QString label;
    std::optional<qint64> minutes; // none: no alert
};
struct RepetitionChoice {
    QString label;
    std::optional<QString> rule; // none: never repeated
};

// "Aucune", "Au moment de l'événement", … "2 jours avant".
const QList<AlertChoice>& alertChoices();
// "Jamais", "Tous les jours", … "Tous les ans".
const QList<RepetitionChoice>& repetitionChoices();

// The form of a user event ("Nouvel événement", "Modifier l'événement").
// The day and the time of day are picked apart and stored as one moment: an
// all-day event at the start of its local day, others at the chosen local
// time.
class CalendarEventForm {
public:
    static QString placePlaceholder() { return QStringLiteral("ex. 12 rue de la Paix, Paris"); }
    static QString noTagLabel() { return QStringLiteral("Aucun tag"); }

    // A new event on `day` at the next whole hour after `now`.
    CalendarEventForm(const QDate& day, const QDateTime& now);
    explicit CalendarEventForm(const CustomCalendarEvent& event);

    bool isNew() const { return m_isNew; }
    QString sheetTitle() const;
    QString saveButtonText() const;

    QDateTime date() const;
    CustomCalendarEvent written() const;

    // Adds or replaces the event; an empty title saves nothing.
    Result<> apply(SessionEdit& edit, const QDateTime& now);

    QString title;
    QDate day;
    QTime time;
    bool isAllDay = false;
    QString location;
    std::optional<qint64> alertMinutes;
    std::optional<QString> recurrence;
    std::optional<QUuid> customTagID;
    QList<QUuid> linkedClientIDs;
    QList<QUuid> linkedProjectIDs;
    QList<QUuid> linkedDocumentIDs;
    QString notes;

private:
    QUuid m_id;
    QDateTime m_createdAt;
    bool m_isNew = true;
};

Alert calendarEventDeletionConfirmation(const QString& title);
Result<> deleteCalendarEvent(SessionEdit& edit, const QUuid& eventID);

// Tags of user events. A new tag starts in this colour.
inline QString defaultCalendarTagColor() {
    return QStringLiteral("#0A84FF");
}
// A blank name adds nothing.
Result<> addCalendarTag(SessionEdit& edit, const QString& name, const QString& hexColor);
Alert calendarTagDeletionConfirmation(const QString& name);
// Events keep the deleted tag's id: they turn grey and its filter goes away.
Result<> deleteCalendarTag(SessionEdit& edit, const QUuid& tagID);

} // namespace velmora
