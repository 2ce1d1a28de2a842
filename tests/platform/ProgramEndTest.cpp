// The end of the program: an end asked for while work holds it back waits
// for the last hold and runs once; and a wait on the clock still waits, its
// timers firing, once the end has told the event loops to exit (a loop then
// returns at once).

#include "platform/Clock.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

class ProgramEndTest : public ::testing::Test {
protected:
    void TearDown() override { platform::ProgramEnd::withdraw(); }
};

TEST_F(ProgramEndTest, AnEndAskedForUnderAHoldWaitsForTheLastOneAndRunsOnce)
{
    int ends = 0;
    platform::ProgramEnd::endWhenFree([&] { ++ends; });
    EXPECT_EQ(ends, 1) << "no hold: at once";
    EXPECT_FALSE(platform::ProgramEnd::stopAsked());

    std::optional<platform::ProgramEnd::Hold> outer(std::in_place);
    {
        const platform::ProgramEnd::Hold inner;
        platform::ProgramEnd::endWhenFree([&] {
            ++ends;
            EXPECT_TRUE(platform::ProgramEnd::stopAsked()) << "while it runs";
        });
        platform::ProgramEnd::endWhenFree([&] { ends += 10; });
        EXPECT_TRUE(platform::ProgramEnd::stopAsked());
    }
    EXPECT_EQ(ends, 1) << "the outer hold is still held";
    outer.reset();
    EXPECT_EQ(ends, 2);
    EXPECT_FALSE(platform::ProgramEnd::stopAsked());
}

TEST_F(ProgramEndTest, AWaitStillRunsItsTimersOnceTheEndHasToldTheLoopsToExit)
{
    bool fired = false;
    bool waited = false;
    qint64 waitedMs = -1;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        platform::ProgramEnd::request(0); // inside a loop: every loop is told to exit
        platform::Timer timer;
        timer.setInterval(100);
        QObject::connect(&timer, &platform::Timer::timeout, [&] { fired = true; });
        timer.setEnabled(true);
        QElapsedTimer elapsed;
        elapsed.start();
        waited = platform::Clock::waitUntil([&] { return fired; }, 5000);
        waitedMs = elapsed.elapsed();
    });
    loop.exec();
    // The application's own loop clears the exit for the tests that follow.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    EXPECT_TRUE(waited);
    EXPECT_TRUE(fired);
    EXPECT_GE(waitedMs, 90);
    EXPECT_LT(waitedMs, 2000);
}

} // namespace
