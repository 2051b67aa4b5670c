#include "gui/common/OverlayPanel.h"

#include "gui/common/Theme.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>

namespace velmora::gui {

OverlayPanel::OverlayPanel(QWidget& window, QWidget& anchor)
    : QFrame(&window), m_host(window), m_anchor(anchor) {
    theme::setRole(this, "card");
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(26);
    shadow->setOffset(0, 5);
    shadow->setColor(QColor(0, 0, 0, 85));
    setGraphicsEffect(shadow);
    m_host.installEventFilter(this);
    hide();
}

void OverlayPanel::open() {
    if (isHidden()) {
        aboutToOpen();
        show();
        raise();
        // Presses and keys anywhere in the application reach eventFilter.
        qApp->installEventFilter(this);
        emit shownChanged(true);
    }
    place();
    opened();
}

void OverlayPanel::close() {
    if (isHidden())
        return;
    qApp->removeEventFilter(this);
    hide();
    emit shownChanged(false);
    m_anchor.setFocus(Qt::OtherFocusReason);
}

void OverlayPanel::toggle() {
    if (isVisible())
        close();
    else
        open();
}

void OverlayPanel::raiseOpenPanels(QWidget& window) {
    for (auto* panel : window.findChildren<OverlayPanel*>(Qt::FindDirectChildrenOnly))
        if (panel->isVisible())
            panel->raise();
}

bool OverlayPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_host && event->type() == QEvent::Resize && isVisible())
        place();
    if (event->type() == QEvent::KeyPress && isVisible() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !QApplication::activePopupWidget()) {
        close();
        return true;
    }
    if (isPressOutside(watched, event))
        close();
    return QFrame::eventFilter(watched, event);
}

// Neither in the panel nor on the control that opened it, which toggles it.
bool OverlayPanel::isPressOutside(QObject* watched, const QEvent* event) const {
    if (event->type() != QEvent::MouseButtonPress || !isVisible())
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == &m_host && widget != this && !isAncestorOf(widget) &&
           widget != &m_anchor && !m_anchor.isAncestorOf(widget);
}

} // namespace velmora::gui
