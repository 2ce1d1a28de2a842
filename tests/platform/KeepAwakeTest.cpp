// The keep-awake calls: the mouse nudge of each minute and the request that
// the session does not sleep.
#include "platform/KeepAwake.h"

#include <QCursor>

#include <gtest/gtest.h>

namespace {

class MouseNudgeTest : public ::testing::Test {
protected:
    void SetUp() override { platform::resetForTesting(); }
    void TearDown() override { platform::resetForTesting(); }
};

TEST_F(MouseNudgeTest, ARestingPointerStepsOutAndBackEveryMinute)
{
    QCursor::setPos(100, 200);
    for (int minute = 0; minute < 2; ++minute) {
        platform::nudgeMousePointer(); // second 59
        EXPECT_EQ(QCursor::pos(), QPoint(105, 205));
        platform::nudgeMousePointer(); // second 0
        EXPECT_EQ(QCursor::pos(), QPoint(100, 200));
    }
}

TEST_F(MouseNudgeTest, APointerTheUserMovedIsLeftAloneAndBecomesTheReference)
{
    QCursor::setPos(100, 200);
    platform::nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(105, 205));
    QCursor::setPos(300, 300); // the operator moves it
    platform::nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(300, 300));
    platform::nudgeMousePointer(); // the direction stayed "back"
    EXPECT_EQ(QCursor::pos(), QPoint(295, 295));
}

TEST_F(MouseNudgeTest, APointerAtTheTopLeftCornerIsNudgedToo)
{
    QCursor::setPos(0, 0);
    platform::nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(5, 5));
    platform::nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(0, 0));
}

TEST(KeepAwakeTest, PreventSleepWithoutADesktopIsNoError)
{
    platform::preventSleep(); // no session bus in the test: nothing happens
    SUCCEED();
}

} // namespace
