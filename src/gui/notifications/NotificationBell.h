#pragma once

#include <QToolButton>

namespace velmora::gui {

class NotificationCentre;
class NotificationPanel;

// The toolbar's bell: the count of visible items on a badge; a click opens
// the centre over the window. It also hosts the toasts.
class NotificationBell : public QToolButton {
    Q_OBJECT

public:
    NotificationBell(NotificationCentre& centre, QWidget& window);

    NotificationPanel& panel() { return *m_panel; }

private:
    void refresh();

    NotificationCentre& m_centre;
    NotificationPanel* m_panel = nullptr;
};

} // namespace velmora::gui
