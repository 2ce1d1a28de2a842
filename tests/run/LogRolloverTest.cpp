// The log file's day, on the run's timers.
#include "platform/Clock.h"
#include "run/LogRollover.h"
#include "run/RunFixture.h"

namespace {

class LogRolloverTest : public RunFixture {};

TEST_F(LogRolloverTest, ANewDayStartsANewLogOnlyOutsideARun)
{
    run::LogRollover rollover(stationLog, sequencer->stepTimer(), sequencer->testClockTimer());
    rollover.start();
    const QString first = stationLog.path();
    unit1.plug(2);
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);
    platform::Clock::setNow(QDateTime(QDate(2026, 3, 3), QTime(0, 0, 30)));
    rollover.check();
    EXPECT_EQ(stationLog.path(), first);
    sequencer->stopTests();
    rollover.check();
    EXPECT_NE(stationLog.path(), first);
    EXPECT_EQ(rollover.day(), 3);
}

} // namespace
