#include "gui/common/PressOutside.h"

#include <QEvent>
#include <QWidget>

namespace velmora::gui {

bool isPressOutside(QObject* watched, const QEvent* event, const QWidget& window,
                    const QWidget& panel, const QWidget& anchor) {
    if (event->type() != QEvent::MouseButtonPress || !panel.isVisible())
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == &window && widget != &panel &&
           !panel.isAncestorOf(widget) && widget != &anchor && !anchor.isAncestorOf(widget);
}

} // namespace velmora::gui
