#include "platform/KeepAwake.h"
#include "platform/Sounds.h"
#include "platform/WavePlayer.h"
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
        const std::optional<platform::WaveData> data = platform::parseWave(wave.readAll());
        ASSERT_TRUE(data) << id;
        EXPECT_EQ(data->format.sampleFormat(), QAudioFormat::UInt8) << id;
        EXPECT_EQ(data->format.sampleRate(), 8000) << id;
        EXPECT_GT(data->samples.size(), 100) << id;
    }
}

TEST(SoundsTest, AFileThatIsNoPcmWaveFileIsSilence)
{
    QFile wave(QStringLiteral(":/WAVE/102"));
    ASSERT_TRUE(wave.open(QIODevice::ReadOnly));
    const QByteArray good = wave.readAll();
    QByteArray otherEncoding = good;
    otherEncoding[20] = 3; // the format tag of floating-point samples
    QByteArray overlong = good;
    overlong[good.indexOf("data") + 4] = char(0xff);
    overlong[good.indexOf("data") + 7] = char(0x7f);
    for (const QByteArray& file : {QByteArray(), good.left(30), good.left(good.indexOf("data")), otherEncoding,
                                   overlong, QByteArray("RIFF\0\0\0\0AVI LIST")})
        EXPECT_FALSE(platform::parseWave(file)) << file.left(40).toHex().constData();
    platform::WavePlayer player;
    player.play(QStringLiteral(":/no/such/sound")); // nothing to play, nothing thrown
    player.play(QStringLiteral(":/WAVE/102"));       // without a sound output: silence
    player.stop();
}

class HelpBoxTest : public ShellFixture {};

TEST_F(HelpBoxTest, ShowsTheVersionAndCopiesAContactForThreeSecondsAfterTheLastClick)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 3), QTime(10, 0, 0)));
    ui::HelpBox* help = ui::StationWindows::helpBox();
    EXPECT_EQ(help->windowTitle(), "Help");
    EXPECT_EQ(help->headerLabel->text(), "ZAMO 1.0.0");
    EXPECT_TRUE(help->copiedLabel->isHidden());

    help->copyLabel(help->Label2);
    EXPECT_FALSE(help->copiedLabel->isHidden());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), help->Label2->text());
    platform::Clock::advance(2000);
    QTest::mouseClick(help->Label4, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), help->Label4->text());
    platform::Clock::advance(2900);
    EXPECT_FALSE(help->copiedLabel->isHidden());
    platform::Clock::advance(100);
    EXPECT_TRUE(help->copiedLabel->isHidden());
    EXPECT_FALSE(help->clipboardTimer->isEnabled());
}

} // namespace
