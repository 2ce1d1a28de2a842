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

    static clsTestSequence step(const char* line)
    {
        clsTestSequence s;
        s.InitByString(line);
        return s;
    }

private:
};

} // namespace

TEST_F(TestStepState, ANewStepIsEmptyAndComplete)
{
    clsTestSequence s;
    EXPECT_EQ(s.TestType(), "");
    EXPECT_EQ(s.TestCount(), 0);
    EXPECT_EQ(s.ExecutedTestCount(), 0);
    for (qint16 i = 0; i < 32; ++i) {
        EXPECT_FALSE(s.ElectrodeSelected(i));
        EXPECT_FALSE(s.IsElectrodeTestActive(i));
        EXPECT_EQ(s.GetErrorCount(i), 0);
    }
    EXPECT_TRUE(s.TestCompleted());
    EXPECT_EQ(s.SingleTestDuration(delays, pace), 0);
    EXPECT_EQ(s.TotalExpectedRemainingDuration(delays, pace), 0);
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
        EXPECT_EQ(step(c.line).SingleTestDuration(delays, pace), c.seconds) << c.line;

    delays.defibCharge = 30;
    pace.zamo24PaceRollAckDelay = 90;
    EXPECT_EQ(step("ACLG,A1,1").SingleTestDuration(delays, pace), 45);
    EXPECT_EQ(step("DEFR,A1,1").SingleTestDuration(delays, pace), 95);
    EXPECT_EQ(step("PACE1,A1,10,-1,0").SingleTestDuration(delays, pace), 690);
    EXPECT_EQ(step("PACE1,A1,10,0,0").SingleTestDuration(delays, pace), 600);
}

TEST_F(TestStepState, RemainingDurationThroughTheIterations)
{
    clsTestSequence s = step("ACZ,A1-P2,3");
    const QString allOn(16, QLatin1Char('1'));
    EXPECT_EQ(s.TotalExpectedRemainingDuration(delays, pace), 75);
    s.IncrementItteration();
    s.SetElectrodesActive(allOn, 1);
    EXPECT_EQ(s.TotalExpectedRemainingDuration(delays, pace), 75);
    s.IncrementItteration();
    EXPECT_EQ(s.TotalExpectedRemainingDuration(delays, pace), 50);
    s.IncrementItteration();
    EXPECT_EQ(s.TotalExpectedRemainingDuration(delays, pace), 25);
    EXPECT_FALSE(s.TestCompleted());
    for (qint16 i = 0; i < 16; ++i)
        s.SetElectrodeTestComplete(i);
    EXPECT_TRUE(s.IsTestItterationComplete());
    EXPECT_TRUE(s.TestCompleted());
    EXPECT_EQ(s.TotalExpectedRemainingDuration(delays, pace), 0);
}

TEST_F(TestStepState, RemainingDurationOfTheLargestStepsDoesNotOverflow)
{
    // 32767 iterations of a 32767-hour BIAS step: far beyond 32 bits.
    clsTestSequence bias = step("BIAS,32767/1,32767");
    EXPECT_EQ(bias.SingleTestDuration(delays, pace), qint64(32767) * 3600);
    EXPECT_EQ(bias.TotalExpectedRemainingDuration(delays, pace), qint64(32767) * 32767 * 3600);
    EXPECT_GT(bias.TotalExpectedRemainingDuration(delays, pace), std::numeric_limits<qint32>::max());

    clsTestSequence noise = step("NOISE,A1,32767");
    EXPECT_EQ(noise.TotalExpectedRemainingDuration(delays, pace), qint64(32767) * 365);
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
        clsTestSequence s;
        s.SetElectrodesActive(c.bits, c.unit);
        for (int i = 0; i < 32; ++i) {
            const bool expected = std::find(c.active.begin(), c.active.end(), i) != c.active.end();
            EXPECT_EQ(s.IsElectrodeTestActive(qint16(i)), expected) << c.bits.toStdString() << i;
        }
    }

    clsTestSequence s;
    s.SetElectrodesActive("1", 1);
    s.SetElectrodesActive("01", 1);
    EXPECT_TRUE(s.IsElectrodeTestActive(0));
    EXPECT_TRUE(s.IsElectrodeTestActive(1));
}

TEST_F(TestStepState, IndexOutsideTheRangeFailsAndChangesNothing)
{
    clsTestSequence s = step("ACZ,A1,1");
    EXPECT_THROW(s.ElectrodeSelected(32), std::out_of_range);
    EXPECT_THROW(s.GetErrorCount(-1), std::out_of_range);
    EXPECT_THROW(s.IncrementErrorCount(32), std::out_of_range);
    EXPECT_THROW(s.SetElectrodeTestActive(-1), std::out_of_range);
    EXPECT_THROW(s.SetElectrodeSelected(40, true), std::out_of_range);

    clsTestSequence partial;
    EXPECT_THROW(partial.SetElectrodesActive("1" + QString(15, '0') + "1", 2), std::out_of_range);
    EXPECT_TRUE(partial.IsElectrodeTestActive(16));
}

TEST_F(TestStepState, ErrorCountsCountAndStopAt32767)
{
    clsTestSequence s;
    for (int n = 0; n < 4; ++n)
        s.IncrementErrorCount(7);
    EXPECT_EQ(s.IncrementErrorCount(7), 5);
    EXPECT_EQ(s.GetErrorCount(7), 5);
    s.IncrementErrorCount(8);
    s.ClearElectrodeErrorCount(7);
    EXPECT_EQ(s.GetErrorCount(7), 0);
    EXPECT_EQ(s.GetErrorCount(8), 1);
    s.ClearAllErrorCount();
    EXPECT_EQ(s.GetErrorCount(8), 0);

    for (int n = 0; n < 32767; ++n)
        s.IncrementErrorCount(3);
    EXPECT_THROW(s.IncrementErrorCount(3), std::overflow_error);
    EXPECT_EQ(s.GetErrorCount(3), 32767);

    for (int n = 0; n < 32767; ++n)
        s.IncrementItteration();
    EXPECT_THROW(s.IncrementItteration(), std::overflow_error);
    EXPECT_EQ(s.ExecutedTestCount(), 32767);
}

TEST_F(TestStepState, BiasClockEndsAfterItsHours)
{
    clsTestSequence s = step("BIAS,2/10,1");
    s.StartBiasTest();
    EXPECT_EQ(s.BiasStart().toDateTime(), platform::Clock::now());
    platform::Clock::advance(2 * 3600 * 1000 - 1);
    EXPECT_FALSE(s.IsBiasTestComplete());
    platform::Clock::advance(1);
    EXPECT_FALSE(s.IsBiasTestComplete());
    platform::Clock::advance(1);
    EXPECT_TRUE(s.IsBiasTestComplete());
}

TEST_F(TestStepState, PaceDurationCountReadsElapsedSeconds)
{
    clsTestSequence s = step("PACE1,A1,60,0,0");
    s.setPaceDurationCount(500);
    EXPECT_EQ(s.PaceDurationCount(), 0);
    s.setPaceStartTime(platform::OleDate::fromDateTime(platform::Clock::now()));
    platform::Clock::advance(90500);
    EXPECT_EQ(s.PaceDurationCount(), 90);
}

TEST_F(TestStepState, TheTwoResetsClearWhatEachOwns)
{
    const auto prepared = [] {
        clsTestSequence s = step("PACE1,A1,60,0,0");
        s.IncrementItteration();
        s.SetElectrodeTestActive(5);
        s.IncrementErrorCount(5);
        s.setId(3);
        s.setParentID(2);
        s.setPaceStartTime(platform::OleDate(45000.5));
        s.setPaceEndTime(platform::OleDate(45000.6));
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

    clsTestSequence counts = prepared();
    counts.ResetCounts();
    EXPECT_EQ(counts.ExecutedTestCount(), 0);
    EXPECT_TRUE(counts.PaceStartTime().isZero());
    EXPECT_TRUE(counts.PaceEndTime().isZero());
    EXPECT_FALSE(counts.PaceRunning());
    EXPECT_FALSE(counts.PaceRollPromptLoaded());
    EXPECT_TRUE(counts.IsElectrodeTestActive(5));
    EXPECT_EQ(counts.PaceDBTestUnitID1(), 11);
    EXPECT_EQ(counts.PaceDBPropertiesID2(), 17);
    EXPECT_EQ(counts.GetErrorCount(5), 1);
    EXPECT_EQ(counts.id(), 3);
    EXPECT_EQ(counts.ParentID(), 2);
    EXPECT_EQ(counts.TestString(), "PACE1,A1,60,0,0");

    clsTestSequence props = prepared();
    props.ResetTestProperties();
    EXPECT_EQ(props.ExecutedTestCount(), 0);
    EXPECT_FALSE(props.IsElectrodeTestActive(5));
    EXPECT_TRUE(props.PaceStartTime().isZero());
    EXPECT_FALSE(props.PaceRunning());
    EXPECT_FALSE(props.PaceRollPromptLoaded());
    for (qint32 id : {props.PaceDBTestUnitID1(), props.PaceDBTestUnitID2(), props.PaceDBTestID(),
                      props.PaceDBTestResultID1(), props.PaceDBTestResultID2(),
                      props.PaceDBPropertiesID1(), props.PaceDBPropertiesID2()})
        EXPECT_EQ(id, 0);
    EXPECT_EQ(props.GetErrorCount(5), 1);
    EXPECT_EQ(props.id(), 3);
}
