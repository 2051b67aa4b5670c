#include "core/activities/ProjectStatusSettings.h"

#include "core/documents/DocumentStatus.h"
#include "core/model/OpenedSession.h"

namespace velmora {
namespace {

qsizetype indexOfStatus(const QList<TagItem>& statuses, const QUuid& id) {
    for (qsizetype i = 0; i < statuses.size(); ++i) {
        if (statuses.at(i).id == id)
            return i;
    }
    return -1;
}

bool carries(const ProjectItem& project, const QString& name) {
    return project.status.trimmed() == name ||
           (project.preCancelStatus && project.preCancelStatus->trimmed() == name);
}

// The names follow the coloured statuses, as opening a session rebuilds them.
void syncOptions(SessionEdit& edit) {
    QList<QString> names;
    for (const TagItem& status : edit.session().projectStatuses)
        names.append(status.name);
    if (names != edit.session().projectStatusOptions)
        edit.projectStatusOptions() = names;
}

Result<> statusGone() {
    return Result<>::notFound(ProjectStatusSettings::notFoundMessage());
}

} // namespace

ProjectStatusLocks ProjectStatusLocks::of(const AppDatabase& session) {
    const QList<QUuid>& before = session.protectedProjectStatusIDs;
    ProjectStatusSets sets =
        projectStatusSets(session.projectStatuses, QSet<QUuid>(before.cbegin(), before.cend()));
    return {std::move(sets.protectedIds), std::move(sets.nameLockedIds)};
}

std::optional<QString> ProjectStatusSettings::lockHelp(const QUuid& id,
                                                       const ProjectStatusLocks& locks) {
    if (locks.canDelete(id))
        return std::nullopt;
    return locks.canRename(id) ? defaultLockHelp() : systemLockHelp();
}

QString ProjectStatusSettings::inUseMessage(const QString& name, qsizetype activities) {
    return QStringLiteral("Le statut « %1 » est porté par %2 : choisissez-leur un autre statut "
                          "avant de le supprimer.")
        .arg(name, activities == 1 ? QStringLiteral("1 activité")
                                   : QStringLiteral("%1 activités").arg(activities));
}

QString ProjectStatusSettings::checkName(const AppDatabase& session, const QString& name,
                                         const std::optional<QUuid>& id) {
    if (name.trimmed().isEmpty())
        return emptyNameMessage();
    // "Fini" would become "Terminé" at the next opening of the session.
    const QString key = normalizedStatusName(projectStatusNameAsRead(name));
    for (const TagItem& status : session.projectStatuses) {
        if (status.id != id && normalizedStatusName(status.name) == key)
            return duplicateNameMessage(status.name);
    }
    return {};
}

qsizetype ProjectStatusSettings::activitiesWithStatus(const AppDatabase& session,
                                                      const QString& name) {
    const QString trimmed = name.trimmed();
    return std::count_if(session.projects.cbegin(), session.projects.cend(),
                         [&](const ProjectItem& project) { return carries(project, trimmed); });
}

Alert ProjectStatusSettings::deleteConfirmation(const TagItem& status) {
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Supprimer le statut ?"),
                 QStringLiteral("Le statut « ") + status.name +
                     QStringLiteral(" » sera supprimé définitivement."),
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

Result<> ProjectStatusSettings::move(SessionEdit& edit, qsizetype from, qsizetype to) {
    const qsizetype count = edit.session().projectStatuses.size();
    if (from < 0 || from >= count || to < 0 || to >= count)
        return statusGone();
    if (from == to)
        return Result<>::unchanged();
    edit.projectStatuses().move(from, to);
    syncOptions(edit);
    return Result<>();
}

Result<> ProjectStatusSettings::setColor(SessionEdit& edit, const QUuid& id, TagColorOption color) {
    const qsizetype index = indexOfStatus(edit.session().projectStatuses, id);
    if (index < 0)
        return statusGone();
    if (edit.session().projectStatuses.at(index).color == color)
        return Result<>::unchanged();
    edit.projectStatuses()[index].color = color;
    return Result<>();
}

Result<> ProjectStatusSettings::rename(SessionEdit& edit, const ProjectStatusLocks& locks,
                                       const QUuid& id, const QString& name) {
    const qsizetype index = indexOfStatus(edit.session().projectStatuses, id);
    if (index < 0)
        return statusGone();
    const QString oldName = edit.session().projectStatuses.at(index).name;
    const QString newName = name.trimmed();
    if (newName == oldName)
        return Result<>::unchanged();
    if (!locks.canRename(id))
        return Result<>::invalid(nameLockedMessage());
    if (const QString message = checkName(edit.session(), newName, id); !message.isEmpty())
        return Result<>::invalid(message);

    edit.projectStatuses()[index].name = newName;
    syncOptions(edit);
    const QList<ProjectItem>& projects = edit.session().projects;
    for (qsizetype i = 0; i < projects.size(); ++i) {
        if (!carries(projects.at(i), oldName))
            continue;
        ProjectItem& project = edit.projects()[i];
        if (project.status.trimmed() == oldName)
            project.status = newName;
        if (project.preCancelStatus && project.preCancelStatus->trimmed() == oldName)
            project.preCancelStatus = newName;
    }
    return Result<>();
}

Result<QUuid> ProjectStatusSettings::add(SessionEdit& edit, const QString& name,
                                         TagColorOption color) {
    if (const QString message = checkName(edit.session(), name); !message.isEmpty())
        return Result<QUuid>::invalid(message);
    const TagItem status{QUuid::createUuid(), name.trimmed(), color};
    edit.projectStatuses().append(status);
    syncOptions(edit);
    return status.id;
}

Result<> ProjectStatusSettings::remove(SessionEdit& edit, const ProjectStatusLocks& locks,
                                       const QUuid& id) {
    const qsizetype index = indexOfStatus(edit.session().projectStatuses, id);
    if (index < 0)
        return statusGone();
    if (!locks.canDelete(id))
        return Result<>::invalid(protectedMessage());
    const QString name = edit.session().projectStatuses.at(index).name;
    if (const qsizetype used = activitiesWithStatus(edit.session(), name); used > 0)
        return Result<>::invalid(inUseMessage(name, used));
    edit.projectStatuses().removeAt(index);
    syncOptions(edit);
    return Result<>();
}

} // namespace velmora
