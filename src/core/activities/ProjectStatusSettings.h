#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/store/SessionEdit.h"

#include <QSet>
#include <QUuid>

#include <optional>

namespace velmora {

// Which activity statuses the settings may not delete or rename: the
// session's protected ones and those named as the seeded ones, and the two
// whose names the application relies on.
struct ProjectStatusLocks {
    QSet<QUuid> protectedIds;
    QSet<QUuid> nameLockedIds;

    static ProjectStatusLocks of(const AppDatabase& session);
    bool canDelete(const QUuid& id) const { return !protectedIds.contains(id); }
    bool canRename(const QUuid& id) const { return !nameLockedIds.contains(id); }
};

// The activity statuses of the settings: their order, colours and names,
// kept in `projectStatuses` and, by name, in `projectStatusOptions`. Each
// change is a flow of its own on a session edit.
class ProjectStatusSettings {
public:
    static QString systemLockHelp() {
        return QStringLiteral("Statut système — nom et suppression verrouillés");
    }
    static QString defaultLockHelp() {
        return QStringLiteral("Statut par défaut — modifiable mais non supprimable");
    }
    // The help of the lock a protected status carries; none for the others.
    static std::optional<QString> lockHelp(const QUuid& id, const ProjectStatusLocks& locks);

    static QString emptyNameMessage() {
        return QStringLiteral("Le nom du statut ne peut pas être vide.");
    }
    static QString duplicateNameMessage(const QString& name) {
        return QStringLiteral("Un statut nommé « %1 » existe déjà.").arg(name);
    }
    static QString nameLockedMessage() {
        return QStringLiteral("Ce statut est utilisé par l'application : son nom ne peut pas "
                              "être modifié.");
    }
    static QString protectedMessage() {
        return QStringLiteral("Ce statut fait partie des statuts par défaut : il ne peut pas être "
                              "supprimé.");
    }
    static QString inUseMessage(const QString& name, qsizetype activities);
    static QString notFoundMessage() { return QStringLiteral("Ce statut n'existe plus."); }

    // The message for a name typed for a status (`id`, or a new one), or an
    // empty text. Names compare trimmed and without case, as status keys do.
    static QString checkName(const AppDatabase& session, const QString& name,
                             const std::optional<QUuid>& id = std::nullopt);
    // Activities carrying the status, as their status or the one they will
    // get back on reactivation.
    static qsizetype activitiesWithStatus(const AppDatabase& session, const QString& name);

    // "Supprimer le statut ?"
    static Alert deleteConfirmation(const TagItem& status);

    // Moves the status at `from` so that it ends at `to`.
    static Result<> move(SessionEdit& edit, qsizetype from, qsizetype to);
    static Result<> setColor(SessionEdit& edit, const QUuid& id, TagColorOption color);
    // Renames the status, and the activities that carry it, trimmed.
    static Result<> rename(SessionEdit& edit, const ProjectStatusLocks& locks, const QUuid& id,
                           const QString& name);
    // Appends a status; its id.
    static Result<QUuid> add(SessionEdit& edit, const QString& name, TagColorOption color);
    // Refused for a protected status and for one that activities still carry.
    static Result<> remove(SessionEdit& edit, const ProjectStatusLocks& locks, const QUuid& id);
};

} // namespace velmora
