#include "gui/common/DayWatch.h"

#include "core/platform/Clock.h"

#include <QDateTime>

#include <algorithm>

namespace velmora::gui {

namespace {

constexpr qint64 kLongestWaitMs = 3'600'000;

} // namespace

DayWatch::DayWatch(const Clock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_day(clock.now().toLocalTime().date()) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &DayWatch::check);
    arm();
}

void DayWatch::check() {
    const QDate day = m_clock.now().toLocalTime().date();
    arm();
    if (day != m_day) {
        m_day = day;
        emit dayChanged();
    }
}

void DayWatch::arm() {
    const QDateTime now = m_clock.now();
    const QDateTime midnight = QDateTime(now.toLocalTime().date().addDays(1), QTime(0, 0));
    // Just past midnight, so that the day read then is the new one.
    m_timer.start(int(std::clamp<qint64>(now.msecsTo(midnight) + 50, 0, kLongestWaitMs)));
}

} // namespace velmora::gui
