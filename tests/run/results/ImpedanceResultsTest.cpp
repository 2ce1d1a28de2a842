// ACZ and ACZ30 replies through the verdict rules: verdict lines and sounds,
// the data-error flow, the open-circuit thresholds, the pre-check flags,
// the start phase, calibration mode, and readings that are not numbers.
#include "ResultFixture.h"
#include "run/MeasurementSchedule.h"
#include "run/ReadingHandlers.h"

#include <limits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class ImpedanceResultsTest : public ResultFixture {};

const double NaN = std::numeric_limits<double>::quiet_NaN();

TEST_F(ImpedanceResultsTest, FinalReadingsAreJudgedRecordedAndCompleteTheStep)
{
    startStep("ACZ");
    unit1.calibrationExpired[1] = true;
    ACZ(0, 3000.001);
    ACZ(1, 2500.0); // marginal on an expired channel

    EXPECT_THAT(logLines(), ElementsAre("* ACZ Test Complete on Electrode A1", "* -> 3000.001 > 3000, FAILED",
                                        "* ACZ Test Complete on Electrode B1"));
    EXPECT_THAT(results->readings, ElementsAre("A1 20 3000.001 20", "B1 20 2500.000 20"));
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL", "B1 PASS*"));
    EXPECT_EQ(failureSounds, 1);
    EXPECT_TRUE(sequencer->state().activeTest->isTestIterationComplete());

    tick(); // the sequencer moves on: the one-step list is done
    EXPECT_FALSE(sequencer->state().testRunning);
    EXPECT_TRUE(host.log.text().contains("* Tests Completed"));
}

TEST_F(ImpedanceResultsTest, FourRetransmissionsThenTheFifthBadReplyEndsTheElectrode)
{
    struct Case {
        const char* what;
        double value;
        qint16 measureHigh;
        qint16 zero;
        qint16 vcc;
        const char* code;
        const char* line;
    } const cases[] = {
        {"high reading", 1500, 9999, 100, 100, "FAIL_O", "* -> Electrode A1, FAILED OPEN"},
        {"zero level 0", 1500, 0, 0, 100, "ERR", "* -> Electrode A1 Data Error"},
        {"base supply 0", 1500, 0, 100, 0, "ERR", "* -> Electrode A1 Data Error"},
        {"not a number", NaN, 0, 100, 100, "ERR", "* -> Electrode A1 Data Error"},
    };
    for (const Case& c : cases) {
        startStep("ACZ");
        for (int reply = 0; reply < 5; ++reply)
            ACZ(0, c.value, c.measureHigh, c.zero, false, c.vcc);

        const QStringList lines = logLines();
        EXPECT_EQ(lines.filter("* Data error detected on Electrode A1. Requesting retransmission.").size(), 4)
            << c.what;
        EXPECT_EQ(lines.filter("* ACZ Test Complete on Electrode A1").size(), 5) << c.what;
        EXPECT_EQ(lines.last(), c.line) << c.what;
        EXPECT_EQ(unit1.sent("RESEND 0").size(), 4) << c.what;
        EXPECT_THAT(results->results, ElementsAre(QString("A1 ") + c.code)) << c.what;
        EXPECT_THAT(results->readings, IsEmpty()) << c.what;
        EXPECT_EQ(failureSounds, 1) << c.what;
        EXPECT_FALSE(electrodeActive(0)) << c.what;
        EXPECT_EQ(sequencer->state().activeTest->getErrorCount(0), 0) << c.what;
    }
}

TEST_F(ImpedanceResultsTest, AGoodReplyAfterRetransmissionsEndsTheElectrodeNormally)
{
    startStep("ACZ");
    ACZ(0, 1500, 9999);
    ACZ(0, 1500, 0, 0);
    EXPECT_EQ(sequencer->state().activeTest->getErrorCount(0), 2);
    EXPECT_TRUE(electrodeActive(0));
    ACZ(0, 1500);
    EXPECT_THAT(results->results, ElementsAre("A1 PASS"));
    EXPECT_EQ(sequencer->state().activeTest->getErrorCount(0), 0);
    EXPECT_FALSE(electrodeActive(0));
    EXPECT_EQ(failureSounds, 0);
}

TEST_F(ImpedanceResultsTest, OpenCircuitThresholdsAreSigned)
{
    struct Case {
        const char* type;
        double value;
        const char* code;
        bool openLine;
    } const cases[] = {
        {"ACZ", -100.0, "FAIL_O", true}, {"ACZ", -99.999, "PASS", false},  {"ACZ", 3500, "FAIL", false},
        {"ACZ", 100.0, "PASS", false},   {"ACZ30", -10.0, "FAIL_O", true}, {"ACZ30", -9.999, "FAIL", false},
        {"ACZ30", -4.5, "PASS?", false},
    };
    for (const Case& c : cases) {
        startStep(c.type);
        if (QString(c.type) == "ACZ")
            ACZ(0, c.value);
        else
            ACZ30(0, c.value);
        EXPECT_THAT(results->results, ElementsAre(QString("A1 ") + c.code)) << c.type << " " << c.value;
        EXPECT_EQ(logLines().contains("* -> Electrode A1, FAILED OPEN"), c.openLine) << c.type << " " << c.value;
        const bool fails = QString(c.code).startsWith("FAIL");
        EXPECT_EQ(failureSounds, fails ? 1 : 0) << c.type << " " << c.value;
    }
}

TEST_F(ImpedanceResultsTest, PreCheckFlagsFollowTheVerdictOnZamo80UnitsOnly)
{
    startStep("ACZ", true);
    run::RunState& state = sequencer->state();
    run::Zamo80RunPlan& plan = *sequencer->services().zamo80;
    constexpr run::UnitIndex unit = run::UnitIndex::first();
    state.preCheckRunning = true;
    plan.setOpenCircuit(unit, 0, true);
    unit1.calibrationExpired[0] = true;
    ACZ(0, 2500, 0, 100, true, 0); // PASS* (a ZAMO80 supply word of 0 is no data error)
    ACZ(1, 3500, 0, 100, true);    // FAIL: flagged although not open
    EXPECT_THAT(results->results, ElementsAre("A1 PASS*", "B1 FAIL"));
    EXPECT_FALSE(plan.openCircuit(unit, 0));
    EXPECT_TRUE(plan.openCircuit(unit, 1));

    // The fifth bad reply of an open electrode flags it.
    startStep("ACZ", true);
    state.preCheckRunning = true;
    for (int reply = 0; reply < 5; ++reply)
        ACZ(0, 1500, 9999, 100, true);
    EXPECT_TRUE(plan.openCircuit(unit, 0));

    // A base-model reading and an ACZ30 reading never touch the flags.
    plan.reset();
    startStep("ACZ");
    state.preCheckRunning = true;
    ACZ(0, -200);
    startStep("ACZ30", true);
    state.preCheckRunning = true;
    ACZ30(1, -20);
    EXPECT_FALSE(plan.openCircuit(unit, 0));
    EXPECT_FALSE(plan.openCircuit(unit, 1));
}

TEST_F(ImpedanceResultsTest, AFinalReplyInTheStartPhaseIsInterim)
{
    startStep("ACZ");
    run::RunState& state = sequencer->state();
    state.startPhase = true;
    ACZ(0, 3500); // no interval open yet: dropped
    EXPECT_TRUE(state.startPhase);
    schedule().setNextMeasurementTime("ACZ", false);
    ACZ(0, 3500); // the due interim reading ends the start phase; nothing stored
    EXPECT_FALSE(state.startPhase);
    EXPECT_THAT(logLines(), IsEmpty());
    EXPECT_THAT(results->readings, IsEmpty());
    EXPECT_TRUE(electrodeActive(0));

    ACZ(0, 3500);
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL"));
}

TEST_F(ImpedanceResultsTest, CalibrationModeJudgesAndLogsButStoresNothing)
{
    startStep("ACZ");
    sequencer->state().calibrationMode = true;
    ACZ(0, 1500, 0, 0); // bad data: not counted, no retransmission
    ACZ(1, 3500);
    ACZ(1, NaN);
    EXPECT_THAT(logLines(), ElementsAre("* ACZ Test Complete on Electrode A1", "* ACZ Test Complete on Electrode B1",
                                        "* -> 3500.000 > 3000, FAILED", "* ACZ Test Complete on Electrode B1",
                                        "* -> Electrode B1 Data Error"));
    EXPECT_EQ(failureSounds, 2);
    EXPECT_THAT(results->readings, IsEmpty());
    EXPECT_THAT(results->results, IsEmpty());
    EXPECT_TRUE(unit1.sent("RESEND").isEmpty());
    EXPECT_EQ(sequencer->state().activeTest->getErrorCount(0), 0);

    // A burn-in records as a run does.
    sequencer->state().burnInRunning = true;
    ACZ(1, 3500);
    EXPECT_THAT(results->results, ElementsAre("B1 FAIL"));
}

TEST_F(ImpedanceResultsTest, ACZ30ZeroCompletesItsElectrodeOnlyInAZeroRun)
{
    startStep("ACZ30ZERO", true);
    handlers().handle({1, 1, unit::Acz30Zero{55}});
    EXPECT_TRUE(electrodeActive(1));
    sequencer->state().acz30ZeroRun = true;
    handlers().handle({1, 1, unit::Acz30Zero{55}});
    EXPECT_FALSE(electrodeActive(1));
    EXPECT_THAT(logLines(), ElementsAre("* ACZ30 Zero Test Complete on Electrode B1",
                                        "* ACZ30 Zero Test Complete on Electrode B1"));
    EXPECT_THAT(results->results, IsEmpty());
}

TEST_F(ImpedanceResultsTest, AReplyThatCannotBeHandledIsLoggedAndTheLinkGoesOn)
{
    startStep("ACZ");
    results->failResults = true;
    EXPECT_NO_THROW(ACZ(0, 1500));
    EXPECT_TRUE(logText().contains("* ACZ reply not handled: results table locked"));
    EXPECT_FALSE(electrodeActive(0));
}

// The interim side of the verdict flow, as the offset, noise, bias and ACLG
// handlers use it: one reading per channel and interval, bad data replaced
// by the unit's last reading.
TEST_F(ImpedanceResultsTest, OneInterimReadingPerChannelAndInterval)
{
    startStep("DCO");
    run::ResultReplyFlow& flow = dynamic_cast<run::ResultHandlers&>(handlers()).flow();
    run::RunState& state = sequencer->state();
    const run::UnitIndex unit = run::UnitIndex::first();
    EXPECT_FALSE(flow.takeInterim(unit, 0)); // before the first interval

    schedule().setElapsedSeconds(20);
    sequencer->services().clock->setNextMeasurementTime(false);
    state.activeTest->incrementErrorCount(0);
    unit1.lastMeasurement[1] = 7.25;
    ASSERT_TRUE(flow.takeInterim(unit, 0));
    flow.recordInterim(unit, 0, 12.5, true, "20", 20);
    EXPECT_FALSE(flow.takeInterim(unit, 0)); // its reading of this interval is in
    ASSERT_TRUE(flow.takeInterim(unit, 1));
    flow.recordInterim(unit, 1, NaN, true, "20", 20);
    EXPECT_THAT(results->readings, ElementsAre("A1 20 12.500 20", "B1 20 7.250 20"));
    EXPECT_EQ(state.activeTest->getErrorCount(0), 0);
    EXPECT_TRUE(electrodeActive(0));

    // The next interval makes every reading due again.
    schedule().setElapsedSeconds(40);
    sequencer->services().clock->setNextMeasurementTime(false);
    EXPECT_TRUE(flow.takeInterim(unit, 0));
    EXPECT_EQ(schedule().previousMeasurementTime(), 40);
}

} // namespace
