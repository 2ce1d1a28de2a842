#include "platform/KeepAwake.h"
#include "platform/Sounds.h"
#include "platform/Timer.h"
#include "support/ShellFixture.h"
#include "ui/shell/HelpBox.h"

#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

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

TEST(SoundsTest, EachRoutinePlaysItsOwnEmbeddedSound)
{
    QList<int> played;
    platform::setPlayerForTesting([&](int id) { played << id; });
    platform::playFailureSound();
    platform::playTestsCompletedSound();
    platform::playPaceRollPromptSound();
    platform::setPlayerForTesting({});
    EXPECT_EQ(played, (QList<int>{102, 103, 104}));
    for (int id : played) {
        QFile wave(QString::fromLatin1(platform::soundResource(id)).mid(3)); // "qrc:/x" -> ":/x"
        ASSERT_TRUE(wave.open(QIODevice::ReadOnly)) << id;
        EXPECT_TRUE(wave.read(12).startsWith("RIFF")) << id;
    }
}

class HelpBoxTest : public ShellFixture {};

TEST_F(HelpBoxTest, ShowsTheVersionAndCopiesAContactForThreeSecondsAfterTheLastClick)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 3), QTime(10, 0, 0)));
    ui::HelpBox* help = ui::StationWindows::helpBox();
    EXPECT_EQ(help->windowTitle(), "Help");
    EXPECT_EQ(help->headerLabel->text(), "ZAMO 1.0.0");
    EXPECT_TRUE(help->copiedLabel->isHidden());

    help->copyLabel(help->emailLabel);
    EXPECT_FALSE(help->copiedLabel->isHidden());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), help->emailLabel->text());
    platform::Clock::advance(2000);
    QTest::mouseClick(help->phoneLabel, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), help->phoneLabel->text());
    platform::Clock::advance(2900);
    EXPECT_FALSE(help->copiedLabel->isHidden());
    platform::Clock::advance(100);
    EXPECT_TRUE(help->copiedLabel->isHidden());
    EXPECT_FALSE(help->clipboardTimer->isEnabled());
}

} // namespace
