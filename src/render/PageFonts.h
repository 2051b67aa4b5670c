#pragma once

#include <QFont>

namespace velmora {

// "Liberation Sans" (metric-compatible with Helvetica) at a size in page
// points. Pixel sizes and no hinting keep the layout identical on the PDF and
// on a scaled preview.
QFont pageFont(int size, QFont::Weight weight = QFont::Normal, bool italic = false);

} // namespace velmora
