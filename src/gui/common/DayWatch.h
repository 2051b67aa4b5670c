#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>

namespace velmora {
class Clock;
}

namespace velmora::gui {

// Tells when the local day changes, for screens that show "today" and stay
// open across midnight. The wait is cut into hours at most: a timer stops
// while the machine sleeps, and the day is read again at each wake.
class DayWatch : public QObject {
    Q_OBJECT

public:
    explicit DayWatch(const Clock& clock, QObject* parent = nullptr);

signals:
    void dayChanged();

private:
    void check();
    void arm();

    const Clock& m_clock;
    QDate m_day;
    QTimer m_timer;
};

} // namespace velmora::gui
