#pragma once

#include <QStyleOptionViewItem>

class QPainter;

namespace velmora::gui {

// The selection or hover behind a painted cell or row, and its focus ring.
void paintRowBackground(QPainter* painter, const QStyleOptionViewItem& option, const QRect& area);

} // namespace velmora::gui
