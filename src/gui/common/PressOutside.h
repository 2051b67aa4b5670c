#pragma once

class QEvent;
class QObject;
class QWidget;

namespace velmora::gui {

// A mouse press in `window` that lands neither in `panel` nor on `anchor`,
// the control that opened it: the press that closes a panel shown over the
// window.
bool isPressOutside(QObject* watched, const QEvent* event, const QWidget& window,
                    const QWidget& panel, const QWidget& anchor);

} // namespace velmora::gui
