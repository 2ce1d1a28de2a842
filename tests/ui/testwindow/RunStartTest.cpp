// Starting a run from the test window: the checks and their messages, the
// commands of a step, iterations, and the pre-test details window.
#include "MainFormFixture.h"

#include <QPushButton>

using ::testing::ElementsAre;

namespace {

class RunStartTest : public MainFormFixture {};

TEST_F(RunStartTest, EachStartCheckShowsItsMessageInOrder)
{
    // No unit connected: that check comes before the empty list.
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    // Database closed: the run button refuses before the sequencer's checks.
    database->opens = false;
    unit1.Plug(2);
    AddStep("ACZ");
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    database->opens = true;
    // Empty list.
    Globals::ActiveTestList.clear();
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    // Running: the second start is refused.
    AddStep("ACZ");
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    ASSERT_TRUE(form->pTestRunning());
    form->StartFirstTestSequence(true);

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
        unit1.Plug(2, !c.zamo24, c.zamo24);
        unit1.lidClosed = false;
        AddStep("ACZ");
        form->StartFirstTestSequence(true);
        EXPECT_EQ(prompts->messages().last(), c.message);
        EXPECT_FALSE(form->pTestRunning());
        EXPECT_TRUE(unit1.commands.contains("LID"));
        EXPECT_TRUE(unit1.Sent("ALL").isEmpty());
    }
}

TEST_F(RunStartTest, AStepSendsOneAllChannelCommandPerUnitWithItsBitString)
{
    modMain::ApplyElectrodeString("A1-C1.B2");
    unit1.Plug(2);            // channel C1 is not present
    unit2.Plug(16);
    AddStep("ACZ");
    form->StartFirstTestSequence(true);

    EXPECT_THAT(unit1.Sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_THAT(unit2.Sent("ALL"), ElementsAre("ALL ACZ 0100000000000000"));
    EXPECT_TRUE(unit1.testRunning);
    EXPECT_TRUE(unit2.testRunning);
    EXPECT_THAT(recorder->calls, ElementsAre("GROUP 5", "TEST ACZ"));
    EXPECT_TRUE(form->operatorLog().text().contains("* ACZ test on Electrodes A1-C1.B2 started at 3/2/2026 10:00:00 AM"));
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
        if (form->pTestRunning())
            form->StopTests();
        unit1.commands.clear();
        unit1.Plug(16, true);
        modMain::ApplyElectrodeString(c.electrodes);
        Globals::ActiveTestList.clear();
        AddStep("ACLG");
        // No per-electrode expansion here: the plain ZAMO80 plan runs the list as it is.
        form->StartFirstTestSequence(true);
        EXPECT_THAT(unit1.Sent("CHARGE"), ElementsAre(c.charge));
        EXPECT_TRUE(unit1.Sent("ALL").isEmpty());
        EXPECT_TRUE(form->operatorLog().text().endsWith("Sending Defib Charge Command\r\n"));
    }
}

TEST_F(RunStartTest, AStepWithCountThreeRunsThreeIterationsEachWithItsRecords)
{
    unit1.Plug(2);
    AddStep("ACZ", 3);
    form->StartFirstTestSequence(true);
    RunToEnd();

    EXPECT_EQ(unit1.Sent("ALL ACZ").size(), 3);
    EXPECT_EQ(recorder->calls.count("TEST ACZ"), 3);
    EXPECT_EQ(recorder->calls.count("GROUP 5"), 1);
    EXPECT_TRUE(recorder->calls.contains("COMPLETE GROUP 5"));
    EXPECT_FALSE(form->pTestRunning());
    EXPECT_TRUE(form->operatorLog().text().contains("* Tests Completed"));
}

TEST_F(RunStartTest, ACancelledPreTestWindowSendsNothingAndCreatesNoGroup)
{
    unit1.Plug(2);
    unit1.master200V = true;
    unit2.master200V = true;
    details->accept = false;
    AddStep("SDR");
    form->StartFirstTestSequence(true);

    EXPECT_EQ(details->shown, 1);
    EXPECT_FALSE(form->pTestRunning());
    EXPECT_TRUE(unit1.commands.isEmpty());
    EXPECT_TRUE(recorder->calls.isEmpty());
    EXPECT_FALSE(unit1.master200V);
    EXPECT_FALSE(unit2.master200V);
    EXPECT_FALSE(form->Sequencer().TestSequenceTimer.isEnabled());
}

// The run takes the lot and notes entered; report options only where they
// were offered, and otherwise keeps those of the last run.
TEST_F(RunStartTest, TheRunKeepsWhatThePreTestDetailsEnteredAndItsReportOptionsWhereNoneWereOffered)
{
    unit1.Plug(2);
    AddStep("ACZ");
    form->State().reportOptions = {false, true};
    details->answer.lotNumber = "L-5";
    details->answer.notes = "N";
    form->StartFirstTestSequence(true);
    ASSERT_TRUE(form->pTestRunning());
    EXPECT_EQ(form->State().details.lotNumber, "L-5");
    EXPECT_EQ(form->State().details.notes, "N");
    EXPECT_TRUE(form->State().reportOptions.averageAclg);
    EXPECT_FALSE(form->State().reportOptions.showShortCircuit);
    form->StopTests();

    details->answer.reportOptions = ReportOptions{true, false};
    form->StartFirstTestSequence(true);
    ASSERT_TRUE(form->pTestRunning());
    EXPECT_TRUE(form->State().reportOptions.showShortCircuit);
    EXPECT_FALSE(form->State().reportOptions.averageAclg);
    form->StopTests();

    // A cancelled window leaves no lot behind.
    details->accept = false;
    form->StartFirstTestSequence(true);
    EXPECT_EQ(form->State().details.lotNumber, "");
    EXPECT_TRUE(form->State().reportOptions.showShortCircuit);
}

TEST_F(RunStartTest, ARunWithNoSelectedElectrodeOnAConnectedUnitIsRefusedBeforeThePreTestDetails)
{
    const QString refusal = "The selected electrodes are not on a connected ZAMO unit!  "
                            "Connect their unit, or select electrodes of a connected unit.";
    struct Case {
        const char* electrodes;
        bool unit2;       // unit 2 connected beside unit 1 (two channels each)
        bool starts;
    } cases[] = {
        {"P1", false, false},        // unit 1 has no channel P
        {"A2-P2", false, false},     // unit 2 is not connected
        {"C1.C2", true, false},      // neither unit has channel C
        {"A1.A2", false, true},      // A2 is left out, A1 runs
        {"C1.B2", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.electrodes);
        if (form->pTestRunning())
            form->StopTests();
        prompts->shown.clear();
        recorder->calls.clear();
        details->shown = 0;
        unit1.Plug(2);
        if (c.unit2)
            unit2.Plug(2);
        else
            unit2.connected = false;
        modMain::ApplyElectrodeString(c.electrodes);
        Globals::ActiveTestList.clear();
        AddStep("BIAS");
        form->StartFirstTestSequence(true);

        EXPECT_EQ(form->pTestRunning(), c.starts);
        EXPECT_EQ(details->shown, c.starts ? 1 : 0);
        EXPECT_EQ(recorder->calls.isEmpty(), !c.starts);   // no group, no records
        EXPECT_EQ(prompts->messages(), c.starts ? QStringList() : QStringList{refusal});
        if (!c.starts) {
            EXPECT_EQ(prompts->shown.last().title, "Error");
            EXPECT_TRUE(unit1.Sent("ALL").isEmpty());
        }
    }
}

TEST_F(RunStartTest, StepsAreNumberedAndLoggedAtTheStart)
{
    unit1.Plug(2);
    AddStep("DCO");
    AddStep("ACZ", 2);
    form->StartFirstTestSequence(true);
    EXPECT_EQ(Globals::ActiveTestList[0]->id(), 1);
    EXPECT_EQ(Globals::ActiveTestList[1]->id(), 2);
    EXPECT_TRUE(LogText().contains("Test #2; ACZ,A1-B1,2"));
    EXPECT_TRUE(form->State().DCOResyncPending);
    EXPECT_EQ(form->State().TestResendSecond, 75);
    EXPECT_EQ(form->State().TestAbortSecond, 85);
}

} // namespace

namespace {

// The ZAMO80 run plan's calls, in order, over the plain plan's behaviour.
class RecordingZamo80Plan : public PlainZamo80RunPlan {
public:
    using PlainZamo80RunPlan::PlainZamo80RunPlan;
    QStringList calls;
    void BuildElectrodeTestLists() override
    {
        calls << "Build";
        PlainZamo80RunPlan::BuildElectrodeTestLists();
    }
    void OpenCircuitPoint() override
    {
        calls << "OpenCircuitPoint";
        PlainZamo80RunPlan::OpenCircuitPoint();
    }
    void StartDuePaceTests() override { calls << "StartDuePace"; }
    void EndDuePaceTests() override { calls << "EndDuePace"; }
    void ActivatePaceTest(const QString& electrodes) override { calls << "Activate " + electrodes; }
};

TEST_F(RunStartTest, AZamo80RunPassesThePreCheckPointBeforeItsSecondStep)
{
    auto plan = std::make_unique<RecordingZamo80Plan>(form->State());
    RecordingZamo80Plan* calls = plan.get();
    form->Services().zamo80 = std::move(plan);
    unit1.Plug(2, true);
    AddStep("ACZ");
    AddStep("DCO");
    form->StartFirstTestSequence(true);
    EXPECT_TRUE(form->State().PreCheckRunning);
    EXPECT_TRUE(form->operatorLog().text().contains("* Open Circuit test on Electrodes A1-B1 started at"));

    FinishIteration();
    Tick();   // position 2: the pre-check point, nothing started
    EXPECT_THAT(unit1.Sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));
    EXPECT_TRUE(form->State().PreCheckHandled);
    Tick();   // the next tick starts the step
    EXPECT_THAT(unit1.Sent("ALL"), ElementsAre("ALL ACZ 1100000000000000", "ALL DCO 1100000000000000"));
    EXPECT_THAT(calls->calls, ElementsAre("Build", "OpenCircuitPoint", "StartDuePace", "Activate A1-B1", "EndDuePace",
                                          "StartDuePace"));
}

} // namespace
