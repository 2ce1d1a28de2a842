// Starting a run from the test window: the checks and their messages, the
// commands of a step, iterations, and the pre-test details window.
#include "TestWindowFixture.h"

#include <QPushButton>

using ::testing::ElementsAre;

namespace {

class RunStartTest : public TestWindowFixture {};

TEST_F(RunStartTest, EachStartCheckShowsItsMessageInOrder)
{
    // No unit connected: that check comes before the empty list.
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    // Database closed: the run button refuses before the sequencer's checks.
    database->opens = false;
    unit1.plug(2);
    addStep("ACZ");
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    database->opens = true;
    // Empty list.
    testLists.active.clear();
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    // Running: the second start is refused.
    addStep("ACZ");
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    ASSERT_TRUE(form->testRunning());
    form->startFirstTestSequence(true);

    ASSERT_EQ(prompts->shown.size(), 4);
    EXPECT_EQ(prompts->shown[0].text, "No Connected ZAMO Units!");
    EXPECT_EQ(prompts->shown[0].title, "Error");
    EXPECT_EQ(prompts->shown[1].text, "Database not connected.  Aborting test.");
    EXPECT_EQ(prompts->shown[2].text, "No Tests Defined!");
    EXPECT_EQ(prompts->shown[3].text, "Tests already active!  You must stop the active tests first.");
}

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
        form->startFirstTestSequence(true);
        EXPECT_EQ(prompts->messages().last(), c.message);
        EXPECT_FALSE(form->testRunning());
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
    form->startFirstTestSequence(true);

    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_THAT(unit2.sent("ALL"), ElementsAre("ALL ACZ 0100000000000000"));
    EXPECT_TRUE(unit1.testRunning);
    EXPECT_TRUE(unit2.testRunning);
    EXPECT_THAT(recorder->calls, ElementsAre("GROUP 5", "TEST ACZ"));
    EXPECT_TRUE(
        form->operatorLog().text().contains("* ACZ test on Electrodes A1-C1.B2 started at 3/2/2026 10:00:00 AM"));
    EXPECT_FALSE(form->testListPanel().editButton()->isEnabled());
    EXPECT_FALSE(form->electrodePanel().saveAsDefaultsButton()->isEnabled());
}

TEST_F(RunStartTest, TheChargeChannelFollowsTheSelectedElectrodes)
{
    struct Case {
        const char* electrodes;
        const char* charge;
    } cases[] = {{"C1", "CHARGE 2"}, {"B1.D1", "CHARGE -1"}, {"A1-C1", "CHARGE 2"}, {"A1.B1.E1", "CHARGE 4"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.electrodes);
        if (form->testRunning())
            form->stopTests();
        unit1.commands.clear();
        unit1.plug(16, true);
        testLists.applyElectrodeString(c.electrodes);
        testLists.active.clear();
        // The step itself, as the run starts it on its electrodes.
        form->sequencer().startTest(addStep("ACLG"), true, true, true, true);
        EXPECT_THAT(unit1.sent("CHARGE"), ElementsAre(c.charge));
        EXPECT_TRUE(unit1.sent("ALL").isEmpty());
        EXPECT_TRUE(form->operatorLog().text().endsWith("Sending Defib Charge Command\r\n"));
    }
}

TEST_F(RunStartTest, AStepWithCountThreeRunsThreeIterationsEachWithItsRecords)
{
    unit1.plug(2);
    addStep("ACZ", 3);
    form->startFirstTestSequence(true);
    runToEnd();

    EXPECT_EQ(unit1.sent("ALL ACZ").size(), 3);
    EXPECT_EQ(recorder->calls.count("TEST ACZ"), 3);
    EXPECT_EQ(recorder->calls.count("GROUP 5"), 1);
    EXPECT_TRUE(recorder->calls.contains("COMPLETE GROUP 5"));
    EXPECT_FALSE(form->testRunning());
    EXPECT_TRUE(form->operatorLog().text().contains("* Tests Completed"));
}

TEST_F(RunStartTest, ACancelledPreTestWindowSendsNothingAndCreatesNoGroup)
{
    unit1.plug(2);
    unit1.master200V = true;
    unit2.master200V = true;
    details->accept = false;
    addStep("SDR");
    form->startFirstTestSequence(true);

    EXPECT_EQ(details->shown, 1);
    EXPECT_FALSE(form->testRunning());
    EXPECT_TRUE(unit1.commands.isEmpty());
    EXPECT_TRUE(recorder->calls.isEmpty());
    EXPECT_FALSE(unit1.master200V);
    EXPECT_FALSE(unit2.master200V);
    EXPECT_FALSE(form->sequencer().stepTimer().isEnabled());
}

// The run takes the lot and notes entered; report options only where they
// were offered, and otherwise keeps those of the last run.
TEST_F(RunStartTest, TheRunKeepsWhatThePreTestDetailsEnteredAndItsReportOptionsWhereNoneWereOffered)
{
    unit1.plug(2);
    addStep("ACZ");
    form->state().reportOptions = {false, true};
    details->answer.lotNumber = "L-5";
    details->answer.notes = "N";
    form->startFirstTestSequence(true);
    ASSERT_TRUE(form->testRunning());
    EXPECT_EQ(form->state().details.lotNumber, "L-5");
    EXPECT_EQ(form->state().details.notes, "N");
    EXPECT_TRUE(form->state().reportOptions.averageAclg);
    EXPECT_FALSE(form->state().reportOptions.showShortCircuit);
    form->stopTests();

    details->answer.reportOptions = run::ReportOptions{true, false};
    form->startFirstTestSequence(true);
    ASSERT_TRUE(form->testRunning());
    EXPECT_TRUE(form->state().reportOptions.showShortCircuit);
    EXPECT_FALSE(form->state().reportOptions.averageAclg);
    form->stopTests();

    // A cancelled window leaves no lot behind.
    details->accept = false;
    form->startFirstTestSequence(true);
    EXPECT_EQ(form->state().details.lotNumber, "");
    EXPECT_TRUE(form->state().reportOptions.showShortCircuit);
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
        if (form->testRunning())
            form->stopTests();
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
        form->startFirstTestSequence(true);

        EXPECT_EQ(form->testRunning(), c.starts);
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
    form->startFirstTestSequence(true);
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_THAT(recorder->calls, ElementsAre("GROUP 5", "TEST ACZ"));
    const QString operatorLog = form->operatorLog().text();
    EXPECT_TRUE(operatorLog.contains("* Test step \",,0\" left out: it is not a test the station knows"));
    EXPECT_TRUE(operatorLog.contains("* Test step \"XYZ,,0\" left out: it is not a test the station knows"));
    EXPECT_FALSE(operatorLog.contains("*  test on Electrodes"));
    form->stopTests();

    testLists.active.clear();
    addStep("XYZ");
    prompts->shown.clear();
    form->startFirstTestSequence(true);
    EXPECT_FALSE(form->testRunning());
    EXPECT_EQ(prompts->messages(), QStringList{"No Tests Defined!"});
}

TEST_F(RunStartTest, StepsAreNumberedAndLoggedAtTheStart)
{
    unit1.plug(2);
    addStep("DCO");
    addStep("ACZ", 2);
    form->startFirstTestSequence(true);
    EXPECT_EQ(testLists.active[0]->id(), 1);
    EXPECT_EQ(testLists.active[1]->id(), 2);
    EXPECT_TRUE(logText().contains("Test #2; ACZ,A1-B1,2"));
    EXPECT_TRUE(schedule().resyncPending(run::MeasurementSchedule::Resync::Dco));
    EXPECT_EQ(schedule().resendSecond(), 75);
    EXPECT_EQ(schedule().abortSecond(), 85);
}

} // namespace

namespace {

TEST_F(RunStartTest, AZamo80RunPassesThePreCheckPointBeforeItsSecondStep)
{
    unit1.plug(2, true);
    addStep("ACZ");
    addStep("DCO");
    form->startFirstTestSequence(true);
    EXPECT_TRUE(form->state().preCheckRunning);
    EXPECT_TRUE(form->operatorLog().text().contains("* Open Circuit test on Electrodes A1-B1 started at"));

    finishIteration();
    tick(); // position 2: the pre-check point, nothing started
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_TRUE(form->services().zamo80->preCheckHandled());
    EXPECT_FALSE(form->state().preCheckRunning);
    tick(); // the next tick starts the step, on its one electrode
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000", "ALL ACZ 1000000000000000"));
}

} // namespace
