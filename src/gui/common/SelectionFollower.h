#pragma once

class QAbstractItemView;

namespace velmora::gui {

// Makes the row selected in `view` its current row, however it was chosen:
// a screen reader or voice control selects through the accessibility
// action, which moves the selection but not the current row that the pages
// follow. Call once the view has its model.
void followSelection(QAbstractItemView& view);

} // namespace velmora::gui
