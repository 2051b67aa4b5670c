#pragma once

class QAbstractItemDelegate;
class QAbstractItemModel;
class QListView;
class QString;
class QWidget;

namespace velmora::gui {

// The list of a panel over the window (the notification centre, the global
// search): frameless, painted by `delegate`, hovered rows followed, scrolled
// by pixels, never sideways.
QListView* panelList(const QString& name, const QString& accessibleName, QAbstractItemModel* model,
                     QAbstractItemDelegate* delegate, QWidget* parent);

} // namespace velmora::gui
