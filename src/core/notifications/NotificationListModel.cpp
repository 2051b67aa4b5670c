#include "core/notifications/NotificationListModel.h"

#include "core/notifications/NotificationTexts.h"

using namespace Qt::StringLiterals;

namespace velmora {

void NotificationListModel::setItems(QList<NotificationItem> items, const QDateTime& now) {
    beginResetModel();
    m_items = std::move(items);
    m_now = now;
    m_rows.clear();
    for (int i = 0; i < m_items.size(); ++i) {
        if (i == 0 || m_items[i].severity != m_items[i - 1].severity)
            m_rows.append({m_items[i].severity, -1});
        m_rows.append({std::nullopt, i});
    }
    endResetModel();
}

const NotificationItem* NotificationListModel::itemAt(int row) const {
    if (row < 0 || row >= m_rows.size() || m_rows[row].item < 0)
        return nullptr;
    return &m_items[m_rows[row].item];
}

int NotificationListModel::rowOf(const QString& id) const {
    for (int row = 0; row < m_rows.size(); ++row)
        if (const NotificationItem* item = itemAt(row); item && item->id == id)
            return row;
    return -1;
}

int NotificationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant NotificationListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    if (row.heading) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return notificationSeverityTitle(*row.heading);
        case IsHeadingRole:
            return true;
        case SeverityRole:
            return QString::fromLatin1(rawName(*row.heading));
        default:
            return {};
        }
    }
    const NotificationItem& item = m_items[row.item];
    const QString when = item.date ? relativeDayText(*item.date, m_now) : QString();
    switch (role) {
    case Qt::DisplayRole:
        return item.title;
    case Qt::AccessibleTextRole:
        return when.isEmpty() ? item.title + u", "_s + item.message
                              : item.title + u", "_s + item.message + u", "_s + when;
    case Qt::ToolTipRole:
        return item.message;
    case IdRole:
        return item.id;
    case IsHeadingRole:
        return false;
    case MessageRole:
        return item.message;
    case WhenRole:
        return when;
    case IconRole:
        return item.systemIcon;
    case SeverityRole:
        return QString::fromLatin1(rawName(item.severity));
    default:
        return {};
    }
}

Qt::ItemFlags NotificationListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.data(IsHeadingRole).toBool())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace velmora
