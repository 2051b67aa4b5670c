#include "gui/common/SessionFollower.h"

#include "core/store/AppDataStore.h"

#include <QEvent>
#include <QWidget>

namespace velmora::gui {
namespace {

class SessionFollower : public QObject {
public:
    SessionFollower(QWidget* widget, SessionFields fields, std::function<void()> refresh)
        : QObject(widget), m_widget(widget), m_fields(fields), m_refresh(std::move(refresh)) {
        widget->installEventFilter(this);
    }

    void changed(const SessionFields& fields) {
        if (!fields.intersects(m_fields))
            return;
        if (m_widget->isVisibleTo(m_widget->window())) {
            m_stale = false;
            m_refresh();
        } else {
            m_stale = true;
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_widget && event->type() == QEvent::Show && m_stale) {
            m_stale = false;
            m_refresh();
        }
        return false;
    }

private:
    QWidget* m_widget;
    SessionFields m_fields;
    std::function<void()> m_refresh;
    bool m_stale = false;
};

} // namespace

void followSession(QWidget* widget, const AppDataStore& store, SessionFields fields,
                   std::function<void()> refresh) {
    auto* follower = new SessionFollower(widget, fields, std::move(refresh));
    QObject::connect(&store, &AppDataStore::sessionChanged, follower,
                     [follower](const SessionFields& changed) { follower->changed(changed); });
}

} // namespace velmora::gui
