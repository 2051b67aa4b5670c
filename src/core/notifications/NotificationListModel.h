#pragma once

#include "core/notifications/NotificationItem.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QList>

#include <optional>

namespace velmora {

// The centre's list: the visible items in their order, each severity under
// a heading row of its own. Heading rows can be neither chosen nor acted on.
class NotificationListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        IsHeadingRole,
        MessageRole,
        // "aujourd'hui", "dans 3 j"…; empty for an item without a date.
        WhenRole,
        IconRole,
        SeverityRole, // the raw name: "critical", "warning", "info"
    };

    using QAbstractListModel::QAbstractListModel;

    // `items` in the centre's order (most urgent first); dates are told
    // relative to `now`.
    void setItems(QList<NotificationItem> items, const QDateTime& now);
    const QList<NotificationItem>& items() const { return m_items; }
    // Null on a heading row.
    const NotificationItem* itemAt(int row) const;
    int rowOf(const QString& id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A heading (its severity) or the index of an item.
    struct Row {
        std::optional<NotificationSeverity> heading;
        int item = -1;
    };
    QList<NotificationItem> m_items;
    QList<Row> m_rows;
    QDateTime m_now;
};

} // namespace velmora
