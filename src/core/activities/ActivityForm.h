#pragma once

#include "core/Result.h"
#include "core/activities/ActivityTexts.h"
#include "core/model/AppDatabase.h"
#include "core/model/ProjectItem.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;

// The tags an activity may carry: those of the three activity tag lists.
QList<TagItem> activityTags(const AppDatabase& session);

// The form of a new or edited activity: its fields as typed, its milestones
// ("jalons"), its shortcuts to working files and its tags. Attachments are
// not the form's: they are added and removed at once (ActivityAttachments.h).
class ActivityForm {
public:
    static QString statusRequiredMessage() {
        return QStringLiteral("Choisissez un statut pour l'activité.");
    }
    static QString endBeforeStartMessage() {
        return QStringLiteral("La date de fin précède la date de début.");
    }
    static QString unnamedEventMessage() {
        return QStringLiteral("Chaque jalon doit avoir un nom.");
    }
    static QString filePathRequiredMessage(const QString& name) {
        return QStringLiteral("Indiquez le chemin de « ") + name + QStringLiteral(" ».");
    }
    static QString notFoundMessage() { return ActivityTexts::notFoundMessage(); }
    static QString filePathTypeName(ProjectFilePathType type) { return displayName(type); }

    // A new activity with a fresh id, for the client when given: status
    // "En cours" when the session has it (else its first status), type the
    // first of the session's types.
    explicit ActivityForm(const AppDatabase& session, std::optional<QUuid> clientID = {});
    // Edits the activity.
    explicit ActivityForm(const ProjectItem& project);

    bool isNew() const { return m_isNew; }

    // Appends an unnamed milestone on `date`; its id.
    QUuid addEvent(const QDateTime& date);
    bool removeEvent(const QUuid& id);
    // Appends a shortcut; its id.
    QUuid addFilePath(const QString& name, ProjectFilePathType type, const QString& path);
    bool removeFilePath(const QUuid& id);

    bool hasTag(const QUuid& tagID) const { return fields.tagIDs.contains(tagID); }
    void setTag(const QUuid& tagID, bool on);

    // The message that refuses the activity in `session`, or an empty text.
    QString validate(const AppDatabase& session) const;
    // The record as saved: title, milestones and shortcuts trimmed (info and
    // notes as typed), milestones and shortcuts with nothing typed left out,
    // a shortcut without a name named after its path, no blank icon name.
    ProjectItem written() const;
    // Validates, then adds or replaces the activity (tags the session does
    // not know are left out); the form holds the record once it is saved.
    // What changed meanwhile outside the form stays: cancellation, document
    // links, attachments, and the status when the form left it as it was.
    // `unchanged` when nothing differs from the session's record.
    Result<> apply(SessionEdit& edit);

    ProjectItem fields;

private:
    bool m_isNew = true;
    // The status as the form opened, to tell a status chosen in the form
    // from one set meanwhile by a cancellation or a rename.
    QString m_openedStatus;
};

} // namespace velmora
