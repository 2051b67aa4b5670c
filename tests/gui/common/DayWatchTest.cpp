// The day watch wakes once just after local midnight, not before it.

#include "gui/common/DayWatch.h"

#include "core/platform/Clock.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora::gui {
namespace {

class ShiftedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTimeUtc().addMSecs(shiftMs); }
    qint64 shiftMs = 0;
};

TEST(DayWatchTest, SignalsOnceJustAfterLocalMidnight) {
    ShiftedClock clock;
    const QDateTime real = QDateTime::currentDateTime();
    clock.shiftMs = real.msecsTo(QDateTime(real.date().addDays(1), QTime(0, 0))) - 600;
    DayWatch watch(clock);
    QSignalSpy changed(&watch, &DayWatch::dayChanged);
    QTest::qWait(400);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(changed.wait(3000));
    EXPECT_FALSE(changed.wait(600));
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
} // namespace velmora::gui
