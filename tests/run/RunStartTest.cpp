// Starting a run: the checks and their messages, the commands of a step,
// iterations, and the pre-test details.
#include "run/RunFixture.h"
#include "support/QtPrinters.h"

using ::testing::ElementsAre;

namespace {

class RunStartTest : public RunFixture {};

TEST_F(RunStartTest, AnOpenLidRefusesTheRunWithTheModelsMessage)
{
    struct Case {
        bool zamo24;
        const char* message;
    } cases[] = {{false, "ZAMO80 Lid is open!  Close Lid before starting the tests."},
                 {true, "ZAMO2-4 Lid is open!  Close Lid before starting the tests."}};
    for (const Case& c : cases) {
        unit1.plug(2, !c.zamo24, c.zamo24);
        unit1.isLidClosed = false;
        addStep("ACZ");
        sequencer->startFirstTestSequence(true);
        EXPECT_EQ(prompts->messages().last(), c.message);
        EXPECT_FALSE(testRunning());
        EXPECT_TRUE(unit1.commands.contains("LID"));
        EXPECT_TRUE(unit1.sent("ALL").isEmpty());
    }
}

TEST_F(RunStartTest, AStepSendsOneAllChannelCommandPerUnitWithItsBitString)
{
    testLists.applyElectrodeString("A1-C1.B2");
    unit1.plug(2); // channel C1 is not present
    unit2.plug(16);
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);

    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_THAT(unit2.sent("ALL"), ElementsAre("ALL ACZ 0100000000000000"));
    EXPECT_TRUE(unit1.testRunning);
    EXPECT_TRUE(unit2.testRunning);
    EXPECT_THAT(recorder->calls, ElementsAre("GROUP 5", "TEST ACZ"));
    EXPECT_TRUE(operatorLog().contains("* ACZ test on Electrodes A1-C1.B2 started at 3/2/2026 10:00:00 AM"));
    EXPECT_TRUE(host.controlsLocked); // Edit and Save as Defaults
}

TEST_F(RunStartTest, TheChargeChannelFollowsTheSelectedElectrodes)
{
    struct Case {
        const char* electrodes;
        const char* charge;
    } cases[] = {{"C1", "CHARGE 2"}, {"B1.D1", "CHARGE -1"}, {"A1-C1", "CHARGE 2"}, {"A1.B1.E1", "CHARGE 4"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.electrodes);
        if (testRunning())
            sequencer->stopTests();
        unit1.commands.clear();
        unit1.plug(16, true);
        testLists.applyElectrodeString(c.electrodes);
        testLists.active.clear();
        // The step itself, as the run starts it on its electrodes.
        sequencer->startTest(addStep("ACLG"), true, true, true, true);
        EXPECT_THAT(unit1.sent("CHARGE"), ElementsAre(c.charge));
        EXPECT_TRUE(unit1.sent("ALL").isEmpty());
        EXPECT_TRUE(operatorLog().endsWith("Sending Defib Charge Command\r\n"));
    }
}

TEST_F(RunStartTest, AStepWithCountThreeRunsThreeIterationsEachWithItsRecords)
{
    unit1.plug(2);
    addStep("ACZ", 3);
    sequencer->startFirstTestSequence(true);
    runToEnd();

    EXPECT_EQ(unit1.sent("ALL ACZ").size(), 3);
    EXPECT_EQ(recorder->calls.count("TEST ACZ"), 3);
    EXPECT_EQ(recorder->calls.count("GROUP 5"), 1);
    EXPECT_TRUE(recorder->calls.contains("COMPLETE GROUP 5"));
    EXPECT_FALSE(testRunning());
    EXPECT_TRUE(operatorLog().contains("* Tests Completed"));
}

TEST_F(RunStartTest, ACancelledPreTestWindowSendsNothingAndCreatesNoGroup)
{
    unit1.plug(2);
    unit1.master200V = true;
    unit2.master200V = true;
    details->accept = false;
    addStep("SDR");
    sequencer->startFirstTestSequence(true);

    EXPECT_EQ(details->shown, 1);
    EXPECT_FALSE(testRunning());
    EXPECT_TRUE(unit1.commands.isEmpty());
    EXPECT_TRUE(recorder->calls.isEmpty());
    EXPECT_FALSE(unit1.master200V);
    EXPECT_FALSE(unit2.master200V);
    EXPECT_FALSE(sequencer->stepTimer().isEnabled());
}

// The run takes the lot and notes entered; report options only where they
// were offered, and otherwise keeps those of the last run.
TEST_F(RunStartTest, TheRunKeepsWhatThePreTestDetailsEnteredAndItsReportOptionsWhereNoneWereOffered)
{
    unit1.plug(2);
    addStep("ACZ");
    state().reportOptions = {false, true};
    details->answer.lotNumber = "L-5";
    details->answer.notes = "N";
    sequencer->startFirstTestSequence(true);
    ASSERT_TRUE(testRunning());
    EXPECT_EQ(state().details.lotNumber, "L-5");
    EXPECT_EQ(state().details.notes, "N");
    EXPECT_TRUE(state().reportOptions.averageAclg);
    EXPECT_FALSE(state().reportOptions.showShortCircuit);
    sequencer->stopTests();

    details->answer.reportOptions = run::ReportOptions{true, false};
    sequencer->startFirstTestSequence(true);
    ASSERT_TRUE(testRunning());
    EXPECT_TRUE(state().reportOptions.showShortCircuit);
    EXPECT_FALSE(state().reportOptions.averageAclg);
    sequencer->stopTests();

    // A cancelled window leaves no lot behind.
    details->accept = false;
    sequencer->startFirstTestSequence(true);
    EXPECT_EQ(state().details.lotNumber, "");
    EXPECT_TRUE(state().reportOptions.showShortCircuit);
}

TEST_F(RunStartTest, ARunWithNoSelectedElectrodeOnAConnectedUnitIsRefusedBeforeThePreTestDetails)
{
    const QString refusal = "The selected electrodes are not on a connected ZAMO unit!  "
                            "Connect their unit, or select electrodes of a connected unit.";
    struct Case {
        const char* electrodes;
        bool unit2; // unit 2 connected beside unit 1 (two channels each)
        bool starts;
    } cases[] = {
        {"P1", false, false},    // unit 1 has no channel P
        {"A2-P2", false, false}, // unit 2 is not connected
        {"C1.C2", true, false},  // neither unit has channel C
        {"A1.A2", false, true},  // A2 is left out, A1 runs
        {"C1.B2", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.electrodes);
        if (testRunning())
            sequencer->stopTests();
        prompts->shown.clear();
        recorder->calls.clear();
        details->shown = 0;
        unit1.plug(2);
        if (c.unit2)
            unit2.plug(2);
        else
            unit2.isConnected = false;
        testLists.applyElectrodeString(c.electrodes);
        testLists.active.clear();
        addStep("BIAS");
        sequencer->startFirstTestSequence(true);

        EXPECT_EQ(testRunning(), c.starts);
        EXPECT_EQ(details->shown, c.starts ? 1 : 0);
        EXPECT_EQ(recorder->calls.isEmpty(), !c.starts); // no group, no records
        EXPECT_EQ(prompts->messages(), c.starts ? QStringList() : QStringList{refusal});
        if (!c.starts) {
            EXPECT_EQ(prompts->shown.last().title, "Error");
            EXPECT_TRUE(unit1.sent("ALL").isEmpty());
        }
    }
}

// A list can hold a step of no known type from anywhere (a list built in
// code, a line parsed without a look at the result): the run leaves it out
// and says so, and a list of nothing else does not start.
TEST_F(RunStartTest, AStepOfNoKnownTypeIsLeftOutOfTheRunAndNeverStarted)
{
    unit1.plug(2);
    addStep("");
    addStep("XYZ");
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_THAT(recorder->calls, ElementsAre("GROUP 5", "TEST ACZ"));
    const QString lines = operatorLog();
    EXPECT_TRUE(lines.contains("* Test step \",,0\" left out: it is not a test the station knows"));
    EXPECT_TRUE(lines.contains("* Test step \"XYZ,,0\" left out: it is not a test the station knows"));
    EXPECT_FALSE(lines.contains("*  test on Electrodes"));
    sequencer->stopTests();

    testLists.active.clear();
    addStep("XYZ");
    prompts->shown.clear();
    sequencer->startFirstTestSequence(true);
    EXPECT_FALSE(testRunning());
    EXPECT_EQ(prompts->messages(), QStringList{"No Tests Defined!"});
}

TEST_F(RunStartTest, StepsAreNumberedAndLoggedAtTheStart)
{
    unit1.plug(2);
    addStep("DCO");
    addStep("ACZ", 2);
    sequencer->startFirstTestSequence(true);
    EXPECT_EQ(testLists.active[0]->id(), 1);
    EXPECT_EQ(testLists.active[1]->id(), 2);
    EXPECT_TRUE(logText().contains("Test #2; ACZ,A1-B1,2"));
    EXPECT_TRUE(schedule().resyncPending(run::MeasurementSchedule::Resync::Dco));
    EXPECT_EQ(schedule().resendSecond(), 75);
    EXPECT_EQ(schedule().abortSecond(), 85);
}

TEST_F(RunStartTest, AZamo80RunPassesThePreCheckPointBeforeItsSecondStep)
{
    unit1.plug(2, true);
    addStep("ACZ");
    addStep("DCO");
    sequencer->startFirstTestSequence(true);
    EXPECT_TRUE(state().preCheckRunning);
    EXPECT_TRUE(operatorLog().contains("* Open Circuit test on Electrodes A1-B1 started at"));

    finishIteration();
    tick(); // position 2: the pre-check point, nothing started
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_TRUE(sequencer->services().zamo80->preCheckHandled());
    EXPECT_FALSE(state().preCheckRunning);
    tick(); // the next tick starts the step, on its one electrode
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000", "ALL ACZ 1000000000000000"));
}

} // namespace
