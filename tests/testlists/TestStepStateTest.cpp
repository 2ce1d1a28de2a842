#include "config/PaceSettings.h"
#include "config/Zamo80Delays.h"
#include "platform/Clock.h"
#include "testlists/TestStep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

class TestStepState : public ::testing::Test {
protected:
    void SetUp() override { platform::Clock::useVirtualTime(QDateTime(QDate(2024, 3, 5), QTime(10, 0, 0))); }
    void TearDown() override { platform::Clock::useRealTime(); }

    // The settings the durations follow.
    config::Zamo80Delays delays;
    config::PaceSettings pace;

    static testlists::TestStep step(const char* line)
    {
        testlists::TestStep s;
        s.initByString(line);
        return s;
    }

private:
};

} // namespace

TEST_F(TestStepState, ANewStepIsEmptyAndComplete)
{
    testlists::TestStep s;
    EXPECT_EQ(s.testType(), "");
    EXPECT_EQ(s.testCount(), 0);
    EXPECT_EQ(s.executedTestCount(), 0);
    for (qint16 i = 0; i < 32; ++i) {
        EXPECT_FALSE(s.electrodeSelected(i));
        EXPECT_FALSE(s.isElectrodeTestActive(i));
        EXPECT_EQ(s.getErrorCount(i), 0);
    }
    EXPECT_TRUE(s.testCompleted());
    EXPECT_EQ(s.singleTestDuration(delays, pace), 0);
    EXPECT_EQ(s.totalExpectedRemainingDuration(delays, pace), 0);
}

TEST_F(TestStepState, SingleTestDurationOfEveryType)
{
    delays.defibCharge = 54;
    pace.zamo24PaceRollAckDelay = 60;
    struct Case {
        const char* line;
        qint64 seconds;
    };
    const Case cases[] = {
        {"DCO,A1,1", 65},
        {"SDR,A1,1", 50},
        {"ACZ,A1,1", 25},
        {"NOISE,A1,1", 365},
        {"BIAS,8/30,1", 28800},
        {"ACZ30,A1,1", 25},
        {"ACLG,A1,1", 69},
        {"DEFR,A1,1", 119},
        {"PACE1,A1,60,0,0", 3600},
        {"PACE1,A1,60,-1,0", 3660},
        {"PACE2,A1,45,-1,-1", 2760},
        {"ACZ30ZERO,A1,1", 25},
        {"SGROLL,A1,1", 10},
        {"XYZ,A1,1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(step(c.line).singleTestDuration(delays, pace), c.seconds) << c.line;

    delays.defibCharge = 30;
    pace.zamo24PaceRollAckDelay = 90;
    EXPECT_EQ(step("ACLG,A1,1").singleTestDuration(delays, pace), 45);
    EXPECT_EQ(step("DEFR,A1,1").singleTestDuration(delays, pace), 95);
    EXPECT_EQ(step("PACE1,A1,10,-1,0").singleTestDuration(delays, pace), 690);
    EXPECT_EQ(step("PACE1,A1,10,0,0").singleTestDuration(delays, pace), 600);
}

TEST_F(TestStepState, RemainingDurationThroughTheIterations)
{
    testlists::TestStep s = step("ACZ,A1-P2,3");
    const QString allOn(16, QLatin1Char('1'));
    EXPECT_EQ(s.totalExpectedRemainingDuration(delays, pace), 75);
    s.incrementIteration();
    s.setElectrodesActive(allOn, 1);
    EXPECT_EQ(s.totalExpectedRemainingDuration(delays, pace), 75);
    s.incrementIteration();
    EXPECT_EQ(s.totalExpectedRemainingDuration(delays, pace), 50);
    s.incrementIteration();
    EXPECT_EQ(s.totalExpectedRemainingDuration(delays, pace), 25);
    EXPECT_FALSE(s.testCompleted());
    for (qint16 i = 0; i < 16; ++i)
        s.setElectrodeTestComplete(i);
    EXPECT_TRUE(s.isTestIterationComplete());
    EXPECT_TRUE(s.testCompleted());
    EXPECT_EQ(s.totalExpectedRemainingDuration(delays, pace), 0);
}

TEST_F(TestStepState, RemainingDurationOfTheLargestStepsDoesNotOverflow)
{
    // 32767 iterations of a 32767-hour BIAS step: far beyond 32 bits.
    testlists::TestStep bias = step("BIAS,32767/1,32767");
    EXPECT_EQ(bias.singleTestDuration(delays, pace), qint64(32767) * 3600);
    EXPECT_EQ(bias.totalExpectedRemainingDuration(delays, pace), qint64(32767) * 32767 * 3600);
    EXPECT_GT(bias.totalExpectedRemainingDuration(delays, pace), std::numeric_limits<qint32>::max());

    testlists::TestStep noise = step("NOISE,A1,32767");
    EXPECT_EQ(noise.totalExpectedRemainingDuration(delays, pace), qint64(32767) * 365);
}

TEST_F(TestStepState, SetElectrodesActiveMarksByUnitAndNeverClears)
{
    struct Case {
        QString bits;
        qint16 unit;
        std::vector<int> active;
    };
    const Case cases[] = {
        {QString(15, QLatin1Char('0')) + "1", 2, {31}},
        {"1", 1, {0}},
        {"1" + QString(15, QLatin1Char('0')), 2, {16}},
        {QString(16, QLatin1Char('0')), 1, {}},
        {"0101", 1, {1, 3}},
    };
    for (const Case& c : cases) {
        testlists::TestStep s;
        s.setElectrodesActive(c.bits, c.unit);
        for (int i = 0; i < 32; ++i) {
            const bool expected = std::find(c.active.begin(), c.active.end(), i) != c.active.end();
            EXPECT_EQ(s.isElectrodeTestActive(qint16(i)), expected) << c.bits.toStdString() << i;
        }
    }

    testlists::TestStep s;
    s.setElectrodesActive("1", 1);
    s.setElectrodesActive("01", 1);
    EXPECT_TRUE(s.isElectrodeTestActive(0));
    EXPECT_TRUE(s.isElectrodeTestActive(1));
}

TEST_F(TestStepState, IndexOutsideTheRangeFailsAndChangesNothing)
{
    testlists::TestStep s = step("ACZ,A1,1");
    EXPECT_THROW(s.electrodeSelected(32), std::out_of_range);
    EXPECT_THROW(s.getErrorCount(-1), std::out_of_range);
    EXPECT_THROW(s.incrementErrorCount(32), std::out_of_range);
    EXPECT_THROW(s.setElectrodeTestActive(-1), std::out_of_range);
    EXPECT_THROW(s.setElectrodeSelected(40, true), std::out_of_range);

    testlists::TestStep partial;
    EXPECT_THROW(partial.setElectrodesActive("1" + QString(15, '0') + "1", 2), std::out_of_range);
    EXPECT_TRUE(partial.isElectrodeTestActive(16));
}

TEST_F(TestStepState, ErrorCountsCountAndStopAt32767)
{
    testlists::TestStep s;
    for (int n = 0; n < 4; ++n)
        s.incrementErrorCount(7);
    EXPECT_EQ(s.incrementErrorCount(7), 5);
    EXPECT_EQ(s.getErrorCount(7), 5);
    s.incrementErrorCount(8);
    s.clearElectrodeErrorCount(7);
    EXPECT_EQ(s.getErrorCount(7), 0);
    EXPECT_EQ(s.getErrorCount(8), 1);
    s.clearAllErrorCount();
    EXPECT_EQ(s.getErrorCount(8), 0);

    for (int n = 0; n < 32767; ++n)
        s.incrementErrorCount(3);
    EXPECT_THROW(s.incrementErrorCount(3), std::overflow_error);
    EXPECT_EQ(s.getErrorCount(3), 32767);

    for (int n = 0; n < 32767; ++n)
        s.incrementIteration();
    EXPECT_THROW(s.incrementIteration(), std::overflow_error);
    EXPECT_EQ(s.executedTestCount(), 32767);
}

TEST_F(TestStepState, BiasClockEndsAfterItsHours)
{
    testlists::TestStep s = step("BIAS,2/10,1");
    s.startBiasTest();
    EXPECT_EQ(s.biasStart().toDateTime(), platform::Clock::now());
    platform::Clock::advance(2 * 3600 * 1000 - 1);
    EXPECT_FALSE(s.isBiasTestComplete());
    platform::Clock::advance(1);
    EXPECT_FALSE(s.isBiasTestComplete());
    platform::Clock::advance(1);
    EXPECT_TRUE(s.isBiasTestComplete());
}

TEST_F(TestStepState, PaceDurationCountReadsElapsedSeconds)
{
    testlists::TestStep s = step("PACE1,A1,60,0,0");
    s.setPaceDurationCount(500);
    EXPECT_EQ(s.paceDurationCount(), 0);
    s.startPaceClock();
    platform::Clock::advance(90500);
    EXPECT_EQ(s.paceDurationCount(), 90);
}

// The pace clock counts steady ticks: a wall clock set an hour forward or
// back during the pace changes neither its end nor its duration.
TEST_F(TestStepState, ThePaceClockIgnoresTheWallClock)
{
    for (const qint64 jump : {3600, -3600}) {
        testlists::TestStep s = step("PACE1,A1,1,0,0");
        EXPECT_TRUE(s.paceDue());
        s.setPaceStartTick(platform::Clock::tickCount() + 5000);
        EXPECT_FALSE(s.paceDue());
        platform::Clock::advance(5000);
        EXPECT_TRUE(s.paceDue());
        s.startPaceClock();
        platform::Clock::advance(20000);
        platform::Clock::setNow(platform::Clock::now().addSecs(jump));
        EXPECT_FALSE(s.paceTimeUp()) << jump;
        EXPECT_EQ(s.paceDurationCount(), 20) << jump;
        platform::Clock::advance(39999);
        EXPECT_FALSE(s.paceTimeUp()) << jump;
        platform::Clock::advance(1);
        EXPECT_TRUE(s.paceTimeUp()) << jump;
        EXPECT_EQ(s.paceDurationCount(), 60) << jump;
    }
}

TEST_F(TestStepState, TheTwoResetsClearWhatEachOwns)
{
    const auto prepared = [] {
        testlists::TestStep s = step("PACE1,A1,60,0,0");
        s.incrementIteration();
        s.setElectrodeTestActive(5);
        s.incrementErrorCount(5);
        s.setId(3);
        s.setParentID(2);
        s.startPaceClock();
        s.setPaceDurationCount(12);
        s.setPaceRunning(true);
        s.setPaceRollPromptLoaded(true);
        s.setPaceDBTestUnitID1(11);
        s.setPaceDBTestUnitID2(12);
        s.setPaceDBTestID(13);
        s.setPaceDBTestResultID1(14);
        s.setPaceDBTestResultID2(15);
        s.setPaceDBPropertiesID1(16);
        s.setPaceDBPropertiesID2(17);
        return s;
    };

    testlists::TestStep counts = prepared();
    counts.resetCounts();
    EXPECT_EQ(counts.executedTestCount(), 0);
    EXPECT_FALSE(counts.paceStartTick());
    EXPECT_FALSE(counts.paceTimeUp());
    EXPECT_FALSE(counts.paceRunning());
    EXPECT_FALSE(counts.paceRollPromptLoaded());
    EXPECT_TRUE(counts.isElectrodeTestActive(5));
    EXPECT_EQ(counts.paceDBTestUnitID1(), 11);
    EXPECT_EQ(counts.paceDBPropertiesID2(), 17);
    EXPECT_EQ(counts.getErrorCount(5), 1);
    EXPECT_EQ(counts.id(), 3);
    EXPECT_EQ(counts.parentID(), 2);
    EXPECT_EQ(counts.testString(), "PACE1,A1,60,0,0");

    testlists::TestStep props = prepared();
    props.resetTestProperties();
    EXPECT_EQ(props.executedTestCount(), 0);
    EXPECT_FALSE(props.isElectrodeTestActive(5));
    EXPECT_FALSE(props.paceStartTick());
    EXPECT_FALSE(props.paceRunning());
    EXPECT_FALSE(props.paceRollPromptLoaded());
    for (qint32 id :
         {props.paceDBTestUnitID1(), props.paceDBTestUnitID2(), props.paceDBTestID(), props.paceDBTestResultID1(),
          props.paceDBTestResultID2(), props.paceDBPropertiesID1(), props.paceDBPropertiesID2()})
        EXPECT_EQ(id, 0);
    EXPECT_EQ(props.getErrorCount(5), 1);
    EXPECT_EQ(props.id(), 3);
}
