#include "core/activities/ActivityStatuses.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

const QString& finishedName() {
    static const QString name = QStringLiteral("Terminé");
    return name;
}

} // namespace

QList<TagItem> seededProjectStatuses() {
    return freshTags({{QStringLiteral("En cours"), TagColorOption::blue},
                      {QStringLiteral("À venir"), TagColorOption::orange},
                      {QStringLiteral("Terminé"), TagColorOption::green},
                      {QStringLiteral("Annulé"), TagColorOption::red}});
}

QString projectStatusNameAsRead(const QString& name) {
    return name.trimmed() == QLatin1String("Fini") ? finishedName() : name;
}

ProjectStatusSets projectStatusSets(const QList<TagItem>& statuses,
                                    const QSet<QUuid>& protectedBefore) {
    const QList<TagItem> seeds = seededProjectStatuses();
    ProjectStatusSets sets;
    for (const TagItem& tag : statuses) {
        const bool seeded = std::any_of(seeds.cbegin(), seeds.cend(),
                                        [&](const TagItem& seed) { return seed.name == tag.name; });
        if (seeded || protectedBefore.contains(tag.id))
            sets.protectedIds.insert(tag.id);
        if (tag.name == finishedName() || tag.name == u"Annulé")
            sets.nameLockedIds.insert(tag.id);
    }
    return sets;
}

ProjectStatusSets normalizeProjectStatuses(QList<ProjectItem>& projects, QList<TagItem>& statuses,
                                           QList<QString>& options,
                                           const QSet<QUuid>& protectedBefore) {
    for (qsizetype i = 0; i < projects.size(); ++i) {
        if (const QString name = projectStatusNameAsRead(projects.at(i).status);
            name != projects.at(i).status)
            projects[i].status = name;
    }

    // One coloured status per trimmed name, in the order of the names, then
    // any coloured status that has no name entry yet: nothing is dropped.
    QList<TagItem> rebuilt;
    QSet<QString> seen;
    const auto existing = [&statuses](const QString& name) -> std::optional<TagItem> {
        for (const TagItem& tag : std::as_const(statuses)) {
            if (tag.name.trimmed() == name)
                return tag;
        }
        return std::nullopt;
    };
    const QList<TagItem> seeds = seededProjectStatuses();
    const auto seededColor = [&seeds](const QString& name) {
        for (const TagItem& seed : seeds) {
            if (seed.name == name)
                return seed.color;
        }
        return TagColorOption::gray;
    };
    for (const QString& option : std::as_const(options)) {
        const QString name = projectStatusNameAsRead(option).trimmed();
        if (name.isEmpty() || seen.contains(name))
            continue;
        seen.insert(name);
        TagItem tag =
            existing(name).value_or(TagItem{QUuid::createUuid(), name, seededColor(name)});
        tag.name = name;
        rebuilt.append(tag);
    }
    for (TagItem tag : std::as_const(statuses)) {
        const QString name = projectStatusNameAsRead(tag.name).trimmed();
        if (name.isEmpty() || seen.contains(name))
            continue;
        seen.insert(name);
        tag.name = name;
        rebuilt.append(tag);
    }

    QList<QString> names;
    for (const TagItem& tag : std::as_const(rebuilt))
        names.append(tag.name);
    const ProjectStatusSets sets = projectStatusSets(rebuilt, protectedBefore);
    // Unchanged lists keep sharing their data with the caller's other copies.
    if (rebuilt != statuses)
        statuses = rebuilt;
    if (names != options)
        options = names;
    return sets;
}

QList<QUuid> sortedIds(const QSet<QUuid>& ids) {
    QList<QUuid> list(ids.cbegin(), ids.cend());
    std::sort(list.begin(), list.end(),
              [](const QUuid& a, const QUuid& b) { return a.toString() < b.toString(); });
    return list;
}

QList<QUuid> sortedIds(const QList<QUuid>& ids) {
    return sortedIds(QSet<QUuid>(ids.cbegin(), ids.cend()));
}

void normalizeActivityStatuses(AppDatabase& db) {
    const ProjectStatusSets sets = normalizeProjectStatuses(
        db.projects, db.projectStatuses, db.projectStatusOptions,
        QSet<QUuid>(db.protectedProjectStatusIDs.cbegin(), db.protectedProjectStatusIDs.cend()));
    db.protectedProjectStatusIDs = sortedIds(sets.protectedIds);
}

} // namespace velmora
