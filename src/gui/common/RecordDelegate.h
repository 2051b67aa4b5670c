#pragma once

#include <QStyledItemDelegate>

namespace velmora::gui {

// A row of a section's list: the record's name, its second line, the dots
// of its tags and, at the end, its badge (a status pill or a price), from
// the roles of RecordListModelBase.
class RecordDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace velmora::gui
