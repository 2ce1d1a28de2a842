// The test window during a run: the controls a run locks and what gives
// them back, the estimated completion, quitting, and a unit error.
#include "TestWindowFixture.h"
#include "config/StationText.h"
#include "support/QtPrinters.h"

#include <QLabel>
#include <QPushButton>

using ::testing::ElementsAre;

namespace {

class TestWindowRunTest : public TestWindowFixture {};

TEST_F(TestWindowRunTest, ARunLocksEditAndSaveAsDefaultsUntilItEnds)
{
    unit1.plug(2);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    EXPECT_FALSE(form->testListPanel().editButton()->isEnabled());
    EXPECT_FALSE(form->electrodePanel().saveAsDefaultsButton()->isEnabled());
    form->stopTests();
    EXPECT_TRUE(form->electrodePanel().saveAsDefaultsButton()->isEnabled());
}

TEST_F(TestWindowRunTest, AChannelReportOrReconnectDuringARunLeavesEditAndRunAsTheRunSetThem)
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

TEST_F(TestWindowRunTest, TheEstimatedCompletionFollowsTheRemainingSteps)
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

TEST_F(TestWindowRunTest, QuittingDuringARunAsksAndCancelsTheGroupOnYes)
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

TEST_F(TestWindowRunTest, CancelAtAUnitErrorDuringARunCancelsTheGroupAndLeaves)
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

} // namespace
