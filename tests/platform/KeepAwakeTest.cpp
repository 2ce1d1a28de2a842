// The keep-awake calls: the mouse nudge of each minute and the request that
// the session does not sleep.
#include "platform/KeepAwake.h"
#include "platform/MouseNudge.h"

#include <QCursor>

#include <gtest/gtest.h>

namespace {

class MouseNudgeTest : public ::testing::Test {
protected:
    platform::MouseNudge mouse;
};

TEST_F(MouseNudgeTest, ARestingPointerStepsOutAndBackEveryMinute)
{
    QCursor::setPos(100, 200);
    for (int minute = 0; minute < 2; ++minute) {
        mouse.nudgeMousePointer(); // second 59
        EXPECT_EQ(QCursor::pos(), QPoint(105, 205));
        mouse.nudgeMousePointer(); // second 0
        EXPECT_EQ(QCursor::pos(), QPoint(100, 200));
    }
}

TEST_F(MouseNudgeTest, APointerTheUserMovedIsLeftAloneAndBecomesTheReference)
{
    QCursor::setPos(100, 200);
    mouse.nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(105, 205));
    QCursor::setPos(300, 300); // the operator moves it
    mouse.nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(300, 300));
    mouse.nudgeMousePointer(); // the direction stayed "back"
    EXPECT_EQ(QCursor::pos(), QPoint(295, 295));
}

TEST_F(MouseNudgeTest, APointerAtTheTopLeftCornerIsNudgedToo)
{
    QCursor::setPos(0, 0);
    mouse.nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(5, 5));
    mouse.nudgeMousePointer();
    EXPECT_EQ(QCursor::pos(), QPoint(0, 0));
}

TEST(KeepAwakeTest, PreventSleepWithoutADesktopIsNoError)
{
    platform::preventSleep(); // no session bus in the test: nothing happens
    SUCCEED();
}

} // namespace
