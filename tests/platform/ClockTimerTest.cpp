#include "platform/Clock.h"
#include "platform/Timer.h"
#include "support/QtPrinters.h"

#include <QStringList>

#include <gtest/gtest.h>

using platform::Clock;
using platform::Timer;

namespace {

class VirtualClock : public ::testing::Test {
protected:
    void SetUp() override { platform::Clock::useVirtualTime(QDateTime(QDate(2026, 1, 5), QTime(8, 0))); }
    void TearDown() override { platform::Clock::useRealTime(); }
};

TEST_F(VirtualClock, TimersFireInDueOrderAsTimeAdvances)
{
    QStringList fired;
    platform::Timer fast, slow;
    fast.setInterval(150);
    slow.setInterval(1000);
    QObject::connect(&fast, &platform::Timer::timeout,
                     [&] { fired << QString("fast@%1").arg(platform::Clock::tickCount()); });
    QObject::connect(&slow, &platform::Timer::timeout,
                     [&] { fired << QString("slow@%1").arg(platform::Clock::tickCount()); });
    fast.start();
    slow.start();
    platform::Clock::advance(1000);
    EXPECT_EQ(fired,
              QStringList({"fast@150", "fast@300", "fast@450", "fast@600", "fast@750", "fast@900", "slow@1000"}));
    EXPECT_EQ(platform::Clock::now(), QDateTime(QDate(2026, 1, 5), QTime(8, 0, 1)));
}

TEST_F(VirtualClock, ZeroIntervalOrDisabledNeverFiresAndIntervalChangeRestartsCount)
{
    int count = 0;
    platform::Timer t;
    QObject::connect(&t, &platform::Timer::timeout, [&] { ++count; });
    t.start();
    platform::Clock::advance(5000);
    EXPECT_EQ(count, 0); // interval 0
    t.setInterval(100);
    platform::Clock::advance(50);
    t.setInterval(100); // restarts: next due at 150
    platform::Clock::advance(99);
    EXPECT_EQ(count, 0);
    platform::Clock::advance(1);
    EXPECT_EQ(count, 1);
    t.stop();
    platform::Clock::advance(1000);
    EXPECT_EQ(count, 1);
}

TEST_F(VirtualClock, WaitInsideAHandlerLetsOtherTimersRunAndSleepFiresNothing)
{
    QStringList fired;
    platform::Timer outer, other;
    outer.setInterval(100);
    other.setInterval(30);
    QObject::connect(&other, &platform::Timer::timeout,
                     [&] { fired << QString("other@%1").arg(platform::Clock::tickCount()); });
    QObject::connect(&outer, &platform::Timer::timeout, [&] {
        outer.stop();
        fired << "wait";
        platform::Clock::wait(50);
        fired << QString("back@%1").arg(platform::Clock::tickCount());
        platform::Clock::sleep(100);
        fired << QString("slept@%1").arg(platform::Clock::tickCount());
    });
    outer.start();
    other.start();
    platform::Clock::advance(100);
    EXPECT_EQ(fired, QStringList({"other@30", "other@60", "other@90", "wait", "other@120", "other@150", "back@150",
                                  "slept@250"}));
    // The timer that fell due during the sleep fires late, once, then on its period.
    fired.clear();
    platform::Clock::advance(0);
    EXPECT_EQ(fired, QStringList({"other@250"}));
}

TEST_F(VirtualClock, WaitUntilStopsWhenDoneOrAtTheLimit)
{
    bool flag = false;
    platform::Timer t;
    t.setInterval(40);
    QObject::connect(&t, &platform::Timer::timeout, [&] { flag = true; });
    t.start();
    EXPECT_TRUE(platform::Clock::waitUntil([&] { return flag; }, 1000));
    EXPECT_EQ(platform::Clock::tickCount(), 40);
    t.stop();
    flag = false;
    EXPECT_FALSE(platform::Clock::waitUntil([&] { return flag; }, 500));
    EXPECT_EQ(platform::Clock::tickCount(), 540);
}

} // namespace
