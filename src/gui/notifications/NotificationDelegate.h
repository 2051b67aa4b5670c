#pragma once

#include "core/notifications/NotificationItem.h"

#include <QColor>
#include <QStyledItemDelegate>

namespace velmora::gui {

// The tint of an item's symbol: red, orange or the accent.
QColor severityColor(NotificationSeverity severity);

// A row of the centre: a heading in small capitals, or an item with its
// tinted symbol, its title and relative date, its message, and the "…" of
// its reactions where the pointer or the selection is.
class NotificationDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The area of a row that opens the reactions' menu.
    static QRect menuArea(const QRect& row);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace velmora::gui
