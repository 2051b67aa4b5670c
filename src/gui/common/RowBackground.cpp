#include "gui/common/RowBackground.h"

#include <QPainter>

namespace velmora::gui {

void paintRowBackground(QPainter* painter, const QStyleOptionViewItem& option, const QRect& area) {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected || (option.state & QStyle::State_MouseOver)) {
        QColor fill = option.palette.color(QPalette::Highlight);
        fill.setAlphaF(selected ? 0.22f : 0.08f);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(area, 6, 6);
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(area, 6, 6);
    }
}

} // namespace velmora::gui
