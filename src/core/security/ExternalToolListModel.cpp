#include "core/security/ExternalToolListModel.h"

#include "core/security/ExternalToolForm.h"
#include "core/text/SearchFolding.h"

namespace velmora {

QString ExternalToolListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucun outil");
    return count == 1 ? QStringLiteral("1 outil") : QStringLiteral("%1 outils").arg(count);
}

QVariant ExternalToolListModel::recordData(const ExternalTool& tool, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return externalToolDisplayName(tool);
    case SortRole:
        if (Column(column) == createdColumn)
            return tool.createdAt;
        return externalToolDisplayName(tool);
    case SubtitleRole:
        return tool.login.trimmed().isEmpty() ? tool.websiteURL.trimmed() : tool.login.trimmed();
    case TagColorsRole:
        return tagColors(tool);
    default:
        return {};
    }
}

bool externalToolMatches(const ExternalTool& tool, const QString& query) {
    return matchesSearch(query, {tool.name, tool.login, tool.websiteURL, tool.notes});
}

} // namespace velmora
