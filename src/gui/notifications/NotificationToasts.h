#pragma once

#include <QHash>
#include <QWidget>

namespace velmora::gui {

class NotificationCentre;

// The centre's toasts, stacked in the window's lower right corner, newest
// at the bottom. They never take the keyboard focus: a click on one opens
// its item, its link hides it for good.
class NotificationToasts : public QWidget {
    Q_OBJECT

public:
    NotificationToasts(NotificationCentre& centre, QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void place();
    QWidget* makeToast(const QString& id);

    NotificationCentre& m_centre;
    QWidget& m_window;
    QHash<QString, QWidget*> m_shown;
};

} // namespace velmora::gui
