// The end of a run: completion with its report actions, consecutive lists,
// cancellation, and the faults of the run's end that the window mends.
#include "TestWindowFixture.h"
#include "config/StationText.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using ::testing::ElementsAre;

namespace {

class RunEndTest : public TestWindowFixture {};

TEST_F(RunEndTest, PostTestActionsTellWhatWasDone)
{
    struct Case {
        const char* name;
        bool pdf, xls, tab, print, condensed, display, burnIn;
        const char* exportPath;
        const char* message;
        const char* calls;
    } cases[] = {
        {"all exports", true, true, true, false, false, false, false, "/tmp/reports",
         "Test report automatically exported to PDF file.\r\nTest report automatically exported to XLS file.\r\n"
         "Test report automatically exported to TXT file.\r\n",
         "EXPORT 1005 PDF 0 0|EXPORT 1005 XLS 0 0|EXPORT 1005 TAB 0 0"},
        {"condensed print and display", false, false, false, false, true, true, false, "",
         "Condensed test report automatically printed to Windows Default Printer.",
         "PRINT CONDENSED 1005|OPEN 1005 0 0"},
        {"print", false, false, false, true, false, false, false, "",
         "Test report automatically printed to Windows Default Printer.\r\n", "PRINT 1005 0 1"},
        {"burn-in exports the PDF", false, false, false, false, false, false, true, "/tmp/reports",
         "Test report automatically exported to PDF file.\r\n", "EXPORT 1005 PDF 0 0"},
        {"no export folder: nothing exported, nothing told", true, true, true, false, false, false, false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testLists.active.clear();
        recorder->nextGroup = 5;
        reports->calls.clear();
        prompts->shown.clear();
        settings.reports.exportPdfEnabled = c.pdf;
        settings.reports.exportExcelEnabled = c.xls;
        settings.reports.exportTabEnabled = c.tab;
        settings.reports.printEnabled = c.print;
        settings.reports.printCondensedEnabled = c.condensed;
        settings.reports.displayEnabled = c.display;
        settings.reports.exportPath = c.exportPath;
        unit1.plug(2);
        addStep("ACZ");
        form->startFirstTestSequence(true);
        form->state().burnInRunning = c.burnIn; // set by the calibration panel's burn-in while it runs
        runToEnd();
        EXPECT_EQ(reports->calls.join('|'), QString(c.calls));
        if (QString(c.message).isEmpty()) {
            EXPECT_TRUE(prompts->shown.isEmpty());
        } else {
            ASSERT_EQ(prompts->shown.size(), 1);
            EXPECT_EQ(prompts->shown[0].text, c.message);
            EXPECT_EQ(prompts->shown[0].title, "Post-Test Actions");
        }
        EXPECT_FALSE(form->state().burnInRunning);
    }
}

TEST_F(RunEndTest, AConsecutiveRunStartsTheSecondListAndSoundsOnlyAtItsEnd)
{
    unit1.plug(2);
    auto first = std::make_shared<testlists::TestStep>();
    first->initByString("ACZ,A1,1");
    auto second = std::make_shared<testlists::TestStep>();
    second->initByString("DCO,A1,1");
    form->state().lists.consecutive1 = {first};
    form->state().lists.consecutive2 = {second};
    form->testListPanel().consecutiveListsButton()->click();
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    ASSERT_TRUE(form->testRunning());
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000"));

    finishIteration();
    tick();
    // The first list completed; the second started at once, without the details window.
    EXPECT_EQ(completedSounds, 0);
    EXPECT_TRUE(form->testRunning());
    EXPECT_EQ(details->shown, 1);
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL ACZ 1100000000000000", "ALL DCO 1100000000000000"));

    runToEnd();
    EXPECT_EQ(completedSounds, 1);
    EXPECT_THAT(recorder->calls,
                ElementsAre("GROUP 5", "TEST ACZ", "COMPLETE GROUP 5", "GROUP 6", "TEST DCO", "COMPLETE GROUP 6"));
    EXPECT_FALSE(form->state().consecutiveListsMode);
}

TEST_F(RunEndTest, ConsecutiveModeRefusesWithOneListLoaded)
{
    unit1.plug(2);
    auto first = std::make_shared<testlists::TestStep>();
    first->initByString("ACZ,A1,1");
    form->state().lists.consecutive1 = {first};
    form->testListPanel().consecutiveListsButton()->click();
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    EXPECT_THAT(prompts->messages(), ElementsAre("Both Test Sequence Files must be loaded to start the tests."));
    EXPECT_FALSE(form->testRunning());
}

TEST_F(RunEndTest, CancelStopsTheUnitsAndClosesTheRunsGroup)
{
    unit1.plug(2, true);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    form->testListPanel().cancelButton()->click();

    EXPECT_FALSE(form->testRunning());
    EXPECT_TRUE(unit1.commands.contains("CANCEL ALL"));
    EXPECT_FALSE(unit1.testRunning);
    EXPECT_EQ(dischargeWarnings, 1);
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 5"));
    EXPECT_TRUE(form->operatorLog().text().endsWith("* Tests Cancelled\r\n"));
    EXPECT_FALSE(form->sequencer().testClockTimer().isEnabled());
    EXPECT_EQ(testLists.active[0]->executedTestCount(), 0);
}

// A run cancels only its own group: an ACZ30 zero run after a completed run
// has no group, and cancelling it leaves the completed group alone.
TEST_F(RunEndTest, CancellingALaterRunWithoutAGroupLeavesTheEarlierGroupAlone)
{
    unit1.plug(2, true);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    runToEnd();
    ASSERT_TRUE(recorder->calls.contains("COMPLETE GROUP 5"));
    EXPECT_EQ(form->services().recorder->groupId(), 0);

    form->runACZ30Zero();
    ASSERT_TRUE(form->testRunning());
    EXPECT_TRUE(form->state().acz30ZeroRun);
    form->testListPanel().cancelButton()->click();
    EXPECT_FALSE(recorder->calls.contains("CANCEL GROUP 5"));
}

TEST_F(RunEndTest, TheSupplyOfAnSdrStepIsSwitchedOffWhenTheRunEnds)
{
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "stopped" : "completed");
        unit1.commands.clear();
        testLists.active.clear();
        unit1.plug(2);
        addStep("SDR");
        addStep("ACZ");
        form->startFirstTestSequence(true);
        EXPECT_TRUE(unit1.master200V);
        finishIteration();
        tick(); // the ACZ step starts; the supply is still on
        EXPECT_FALSE(unit1.commands.contains("200V OFF"));
        if (cancel)
            form->stopTests();
        else
            runToEnd();
        EXPECT_THAT(unit1.sent("200V"), ElementsAre("200V ON", "200V OFF"));
        EXPECT_FALSE(unit1.master200V);
    }
}

TEST_F(RunEndTest, EachRunStartsFromItsOwnState)
{
    // A ZAMO80 run leaves its lists and its pre-check flag behind...
    unit1.plug(2, true);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    form->stopTests();
    form->state().lists.expanded = testLists.active;
    form->state().lists.pace = testLists.active;
    form->state().preCheckRunning = true;
    // ...a base-unit run does not take them on.
    unit1.plug(2);
    form->startFirstTestSequence(true);
    EXPECT_TRUE(form->state().lists.expanded.isEmpty());
    EXPECT_TRUE(form->state().lists.pace.isEmpty());
    EXPECT_FALSE(form->state().preCheckRunning);
    EXPECT_TRUE(form->operatorLog().text().endsWith(
        QString("* ACZ test on Electrodes A1-B1 started at 3/2/2026 10:00:00 AM\r\n")));
    form->stopTests();

    // A cancelled consecutive run leaves no consecutive flags for the next run.
    auto first = std::make_shared<testlists::TestStep>();
    first->initByString("ACZ,A1,1");
    form->state().lists.consecutive1 = {first};
    form->state().lists.consecutive2 = {first};
    form->testListPanel().consecutiveListsButton()->click();
    form->runController().runTestList(form->testListPanel().consecutiveListsChosen());
    ASSERT_TRUE(form->state().consecutiveListsMode);
    form->testListPanel().cancelButton()->click();
    EXPECT_FALSE(form->state().consecutiveListsMode);
    EXPECT_FALSE(form->state().secondListRunning);
}

// A clock that stops the run at a BIAS step's end, as an overrun does.
class StoppingClock : public run::TestClock {
public:
    explicit StoppingClock(run::RunSequencer& s) : m_sequencer(s) {}
    void tick() override {}
    void setNextMeasurementTime(bool) override {}
    void checkBiasTestDuration() override { m_sequencer.stopTests(); }

private:
    run::RunSequencer& m_sequencer;
};

TEST_F(RunEndTest, ARunStoppedInsideTheTickIsStoppedOnceAndNothingMoreStarts)
{
    form->services().clock = std::make_unique<StoppingClock>(form->sequencer());
    unit1.plug(2);
    addStep("BIAS");
    addStep("ACZ");
    form->startFirstTestSequence(true);
    tick();
    form->stopTests(); // a second stop of the same run does nothing
    tick();

    EXPECT_EQ(form->operatorLog().text().count("* Tests Cancelled"), 1);
    EXPECT_EQ(recorder->calls.count("CANCEL GROUP 5"), 1);
    EXPECT_TRUE(unit1.sent("ALL ACZ").isEmpty());
    EXPECT_EQ(unit1.commands.count("CANCEL ALL"), 1);
}

TEST_F(RunEndTest, RepliesAfterTheEndOfTheRunAreLoggedAndGoNoFurther)
{
    unit1.plug(2);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    EXPECT_TRUE(form->sequencer().acceptResultReply(1, 0, "ACZ"));
    runToEnd();
    EXPECT_FALSE(form->sequencer().acceptResultReply(1, 1, "ACZ"));
    EXPECT_TRUE(logText().contains("* ACZ reply from Electrode B1 after the end of the run ignored"));
    form->state().calibrationMode = true;
    EXPECT_TRUE(form->sequencer().acceptResultReply(1, 1, "ACZ"));
}

TEST_F(RunEndTest, QuittingDuringARunAsksAndCancelsTheGroupOnYes)
{
    unit1.plug(2);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    int ended = 0;
    form->otherWindows().endProgram = [&] { ++ended; };

    prompts->messageAnswers = {platform::MsgResult::No};
    EXPECT_FALSE(form->queryClose());
    EXPECT_TRUE(form->testRunning());
    EXPECT_EQ(prompts->shown.last().text, "Are you sure you want to quit?");
    EXPECT_EQ(prompts->shown.last().title, "Exit");

    // The unit dropped meanwhile: the group is cancelled all the same.
    unit1.isConnected = false;
    prompts->messageAnswers = {platform::MsgResult::Yes};
    EXPECT_TRUE(form->queryClose());
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 5"));
    EXPECT_EQ(database->closes, 1);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(logText().contains("Application Terminated"));
}

TEST_F(RunEndTest, CancelAtAUnitErrorDuringARunCancelsTheGroupAndLeaves)
{
    unit1.plug(2);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    int ended = 0;
    form->otherWindows().endProgram = [&] { ++ended; };
    prompts->messageAnswers = {platform::MsgResult::Cancel};
    form->connectionEvents().unitFailed(1, "read failed");

    EXPECT_THAT(prompts->messages(),
                ElementsAre("There is an error communicating with the device. \r\n\r\nPlease disconnect and "
                            "reconnect the device, and then click 'OK'",
                            "Exiting application."));
    EXPECT_TRUE(unit1.commands.contains("DISABLE POLLING"));
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 5"));
    EXPECT_TRUE(form->exitingApplication);
    EXPECT_EQ(ended, 1);
}

TEST_F(RunEndTest, AChannelReportOrReconnectDuringARunLeavesEditAndRunAsTheRunSetThem)
{
    unit1.plug(2);
    form->connectionEvents().channelsFound(1);
    ASSERT_TRUE(form->testListPanel().runButton()->isEnabled());
    addStep("ACZ");
    form->startFirstTestSequence(true);
    // The link drops and comes back during the run.
    form->disableTestControls();
    unit1.isReconnecting = true;
    form->connectionEvents().unitConnected(1);
    form->connectionEvents().channelsFound(1);
    EXPECT_FALSE(form->testListPanel().editButton()->isEnabled());
    EXPECT_FALSE(form->testListPanel().runButton()->isEnabled());

    form->stopTests();
    EXPECT_TRUE(form->testListPanel().editButton()->isEnabled());
    EXPECT_TRUE(form->testListPanel().runButton()->isEnabled());
}

TEST_F(RunEndTest, TheEstimatedCompletionFollowsTheRemainingSteps)
{
    unit1.plug(2);
    addStep("ACZ");
    addStep("SDR", 4);
    form->startFirstTestSequence(true);
    tick(); // the ACZ iteration is still running
    // ACZ (25 s, running) + 4 SDR (50 s each) = 225 s from now.
    const QDateTime now = platform::Clock::now();
    EXPECT_EQ(form->frame().completionTimeLabel->text(),
              "Estimated Completion Time: " + config::StationText::generalDate(now.addSecs(225)));
    runToEnd();
    EXPECT_EQ(form->frame().completionTimeLabel->text(), QString());
}

} // namespace
