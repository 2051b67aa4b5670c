#include "core/activities/ActivityListModel.h"

#include "core/activities/ActivityTexts.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/FrenchDates.h"
#include "core/text/SearchFolding.h"

#include <QStringList>

#include <limits>

namespace velmora {

namespace {

bool sameStatusName(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Dated activities first, in date order, then those without the date.
qint64 dateKey(const std::optional<QDateTime>& date) {
    return date && date->isValid() ? date->toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
}

} // namespace

void ActivityListModel::setContext(const QList<ClientItem>& clients,
                                   const QList<TagItem>& statuses) {
    QHash<QUuid, QString> names;
    names.reserve(clients.size());
    for (const ClientItem& client : clients)
        names.insert(client.id, clientDisplayName(client));
    if (names == m_clientNames && statuses == m_statuses)
        return;
    m_clientNames = std::move(names);
    m_statuses = statuses;
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnTotal - 1));
}

QString ActivityListModel::clientName(const ProjectItem& project) const {
    return project.linkedClientID ? m_clientNames.value(*project.linkedClientID) : QString();
}

std::optional<TagItem> ActivityListModel::status(const ProjectItem& project) const {
    for (const TagItem& status : m_statuses)
        if (sameStatusName(status.name, project.status))
            return status;
    return std::nullopt;
}

int ActivityListModel::statusOrder(const ProjectItem& project) const {
    for (qsizetype i = 0; i < m_statuses.size(); ++i)
        if (sameStatusName(m_statuses[i].name, project.status))
            return int(i);
    return int(m_statuses.size());
}

QString ActivityListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucune activité");
    return count == 1 ? QStringLiteral("1 activité") : QStringLiteral("%1 activités").arg(count);
}

QString ActivityListModel::datesText(const ProjectItem& project) {
    const bool start = project.startDate && project.startDate->isValid();
    const bool end = project.endDate && project.endDate->isValid();
    if (start && end)
        return QStringLiteral("Du %1 au %2")
            .arg(formatMediumDate(*project.startDate), formatMediumDate(*project.endDate));
    if (start)
        return QStringLiteral("À partir du %1").arg(formatMediumDate(*project.startDate));
    if (end)
        return QStringLiteral("Jusqu’au %1").arg(formatMediumDate(*project.endDate));
    return {};
}

QVariant ActivityListModel::recordData(const ProjectItem& project, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (column) {
        case statusColumn:
            return project.status;
        case startColumn:
            return project.startDate ? formatMediumDate(*project.startDate) : QString();
        case endColumn:
            return project.endDate ? formatMediumDate(*project.endDate) : QString();
        default:
            return ActivityTexts::title(project);
        }
    case SortRole:
        switch (column) {
        case statusColumn:
            // By the order of the settings, each status by title.
            return QStringLiteral("%1").arg(statusOrder(project), 6, 10, QLatin1Char('0')) +
                   QChar(0x1f) + ActivityTexts::title(project);
        case startColumn:
            return dateKey(project.startDate);
        case endColumn:
            return dateKey(project.endDate);
        default:
            return ActivityTexts::title(project);
        }
    case SubtitleRole: {
        QStringList parts;
        for (const QString& part : {clientName(project), datesText(project)})
            if (!part.isEmpty())
                parts << part;
        return parts.join(QStringLiteral(" · "));
    }
    case BadgeRole:
        return project.status;
    case BadgeColorRole:
        if (const std::optional<TagItem> found = status(project))
            return int(found->color);
        return {};
    case TagColorsRole:
        return tagColors(project);
    default:
        return {};
    }
}

bool activityMatches(const ProjectItem& project, const QString& clientName, const QString& query) {
    return matchesSearch(query, {project.title, project.info, project.notes, clientName});
}

} // namespace velmora
