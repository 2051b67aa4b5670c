#pragma once

#include <QStyledItemDelegate>

namespace velmora::gui {

// A row of the search panel: a section's heading in small capitals with its
// count on the right, or a hit with its tinted symbol, its title, its
// subtitle and, on the right, its badge.
class SpotlightDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace velmora::gui
