// The test window's Run commands: the start checks and their messages,
// consecutive lists, Cancel, and the state each run starts from.
#include "TestWindowFixture.h"
#include "support/QtPrinters.h"

#include <QPushButton>
#include <QRadioButton>

using ::testing::ElementsAre;

namespace {

class RunCommandsTest : public TestWindowFixture {};

TEST_F(RunCommandsTest, EachStartCheckShowsItsMessageInOrder)
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

TEST_F(RunCommandsTest, AConsecutiveRunStartsTheSecondListAndSoundsOnlyAtItsEnd)
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

TEST_F(RunCommandsTest, ConsecutiveModeRefusesWithOneListLoaded)
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

TEST_F(RunCommandsTest, CancelStopsTheUnitsAndClosesTheRunsGroup)
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
TEST_F(RunCommandsTest, CancellingALaterRunWithoutAGroupLeavesTheEarlierGroupAlone)
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

TEST_F(RunCommandsTest, EachRunStartsFromItsOwnState)
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

} // namespace
