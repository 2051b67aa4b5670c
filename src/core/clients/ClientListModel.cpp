#include "core/clients/ClientListModel.h"

#include "core/text/ClientDisplayName.h"

#include <QStringList>

namespace velmora {

QString ClientListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucun client");
    return count == 1 ? QStringLiteral("1 client") : QStringLiteral("%1 clients").arg(count);
}

QVariant ClientListModel::recordData(const ClientItem& client, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return column == kindColumn ? displayName(client.kind) : clientDisplayName(client);
    case SortRole:
        // Companies and private clients apart, each by name.
        return column == kindColumn
                   ? QString(displayName(client.kind) + QChar(0x1f) + clientDisplayName(client))
                   : clientDisplayName(client);
    case SubtitleRole: {
        QStringList parts;
        for (const QString& part : {client.email.trimmed(), client.phone.trimmed()})
            if (!part.isEmpty())
                parts << part;
        return parts.join(QStringLiteral(" · "));
    }
    case BadgeRole:
        return displayName(client.kind);
    case TagColorsRole:
        return tagColors(client);
    default:
        return {};
    }
}

} // namespace velmora
