#include "gui/common/WheelGuard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>

namespace velmora::gui {

namespace {

bool takesWheel(QObject* object) {
    return qobject_cast<QComboBox*>(object) || qobject_cast<QAbstractSpinBox*>(object);
}

// One filter for every guarded form. It follows the children as they are
// added, since lines and rows are built long after the form.
class WheelFilter final : public QObject {
public:
    using QObject::QObject;

    void watch(QWidget* widget) {
        QList<QWidget*> all = widget->findChildren<QWidget*>();
        all.prepend(widget);
        for (QWidget* w : all) {
            w->installEventFilter(this);
            if (takesWheel(w))
                w->setFocusPolicy(Qt::StrongFocus);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ChildAdded:
            // Still being built: what it is will be known at its first event.
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                watch(child);
            break;
        case QEvent::Polish:
            // The default focus policy would let the wheel take the focus too.
            if (takesWheel(watched))
                static_cast<QWidget*>(watched)->setFocusPolicy(Qt::StrongFocus);
            break;
        case QEvent::Wheel:
            // Ignored, the event goes on to the parents: the form scrolls.
            if (takesWheel(watched) && !static_cast<QWidget*>(watched)->hasFocus()) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void guardWheel(QWidget* form) {
    static WheelFilter* const filter = new WheelFilter(qApp);
    filter->watch(form);
}

} // namespace velmora::gui
