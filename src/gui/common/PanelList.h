#pragma once

class QAbstractItemDelegate;
class QAbstractItemModel;
class QFrame;
class QListView;
class QString;
class QWidget;

namespace velmora::gui {

// The list of a panel over the window (the notification centre, the global
// search): frameless, painted by `delegate`, hovered rows followed, scrolled
// by pixels, never sideways.
QListView* panelList(const QString& name, const QString& accessibleName, QAbstractItemModel* model,
                     QAbstractItemDelegate* delegate, QWidget* parent);

// A panel over the window: a card with its shadow, kept over the toasts.
void makeOverlayPanel(QFrame& panel);
// Puts the open panels of `window` back over what was just raised there.
void raiseOverlayPanels(QWidget& window);

} // namespace velmora::gui
