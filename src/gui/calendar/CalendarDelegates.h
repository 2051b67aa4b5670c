#pragma once

#include <QStyledItemDelegate>

namespace velmora::gui {

// A day of the month view: its number (circled today), then the day's items
// as chips of their colour, as many as fit, then "+N".
class CalendarDayDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A row of the day panel or the upcoming list: a bar of the item's colour,
// the title with the amount at the end, then when and the subtitle.
class CalendarEventDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace velmora::gui
