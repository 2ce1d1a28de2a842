// A ZAMO80-mode run: the open-circuit pre-check and its box, the pace steps
// beside the run list, and the countdown of their roll prompts.
#include "platform/Clock.h"
#include "run/PaceRollPrompt.h"
#include "run/RunFixture.h"
#include "run/Zamo80RunSteps.h"
#include "support/QtPrinters.h"

using ::testing::ElementsAre;

namespace {

class Zamo80RunTest : public Zamo80RunSteps<RunFixture> {
protected:
    // The pre-check has ended with open circuits on these electrodes.
    void endPreCheckWithOpen(std::initializer_list<int> electrodes)
    {
        for (int index : electrodes)
            sequencer->services().zamo80->setOpenCircuit(run::UnitIndex::fromNumber(index / 16 + 1).value(),
                                                         std::size_t(index % 16), true);
        finishIteration();
    }
    // The minutes after start at which unit 1 was sent a pace step, while time runs for the minutes given.
    QList<double> paceStartsOver(int minutes, const QDateTime& start)
    {
        QList<double> starts;
        for (int s = 0; s < minutes * 60; s += 5) {
            const int before = unit1.sent("ALL PACE1").size();
            tick();
            if (unit1.sent("ALL PACE1").size() > before)
                starts << start.secsTo(platform::Clock::now()) / 60.0;
        }
        return starts;
    }
};

TEST_F(Zamo80RunTest, OpenCircuitsAskTheOperatorWhoDropsTheirStepsOrCancels)
{
    testLists.applyElectrodeString("A1-C1");
    for (platform::MsgResult answer : {platform::MsgResult::Ok, platform::MsgResult::Cancel}) {
        SCOPED_TRACE(answer == platform::MsgResult::Ok ? "OK" : "Cancel");
        unit1.plug(3, true);
        prompts->shown.clear();
        addStep("ACZ");
        addStep("DCO");
        sequencer->startFirstTestSequence(true);
        ASSERT_EQ(shown(state().lists.running),
                  (QStringList{"ACZ A1-C1", "ACZ A1", "DCO A1", "ACZ B1", "DCO B1", "ACZ C1", "DCO C1"}));
        endPreCheckWithOpen({0, 2});
        prompts->messageAnswers.push_back(answer);
        tick();

        ASSERT_EQ(prompts->shown.size(), 1);
        EXPECT_EQ(prompts->shown[0].text, "Open Circuit Channels Detected! Click OK to ignore channel(s) A1, C1, or "
                                          "click Cancel to abort the test.");
        EXPECT_EQ(prompts->shown[0].title, "Proceed With Tests?");
        EXPECT_EQ(prompts->shown[0].buttons, platform::MsgButtons::OkCancel);
        if (answer == platform::MsgResult::Ok) {
            // The completed pre-check stays; B1 goes on at the next tick.
            EXPECT_EQ(shown(state().lists.running), (QStringList{"ACZ A1-C1", "ACZ B1", "DCO B1"}));
            EXPECT_TRUE(testRunning());
            tick();
            EXPECT_EQ(unit1.sent("ALL").last(), "ALL ACZ 0100000000000000");
        } else {
            EXPECT_FALSE(testRunning());
            EXPECT_TRUE(operatorLog().contains("* Tests Cancelled"));
        }
        sequencer->stopTests();
        testLists.active.clear();
    }
}

TEST_F(Zamo80RunTest, NoStepStartsWhileTheOpenCircuitBoxWaits)
{
    unit1.plug(2, true);
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);
    endPreCheckWithOpen({1});
    prompts->messageOpenMs = 60000; // the operator takes a minute
    const int sentBefore = unit1.sent("ALL").size();
    prompts->whileMessageShown = [&](const platform::ShownPrompt&) { EXPECT_EQ(unit1.sent("ALL").size(), sentBefore); };
    tick();
    EXPECT_EQ(unit1.sent("ALL").size(), sentBefore);
    tick();
    EXPECT_EQ(unit1.sent("ALL").last(), "ALL ACZ 1000000000000000");
}

TEST_F(Zamo80RunTest, NoOpenCircuitShowsNoBoxAndTheNextTickGoesOn)
{
    unit1.plug(2, true);
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);
    finishIteration();
    tick();
    EXPECT_TRUE(prompts->shown.isEmpty());
    EXPECT_EQ(unit1.sent("ALL").size(), 1);
    tick();
    EXPECT_EQ(unit1.sent("ALL").last(), "ALL ACZ 1000000000000000");
}

TEST_F(Zamo80RunTest, PaceStepsStartStaggeredBySimultaneousTests)
{
    settings.pace.simultaneousTests = 4;
    unit1.plug(5, true);
    paceList("A1-E1", 60);
    startPastThePreCheck();
    const QDateTime start = platform::Clock::now();
    // 3600 s / 4: a start every 15 minutes, the fifth after the first has ended.
    EXPECT_EQ(paceStartsOver(62, start),
              (QList<double>{5 / 60.0, 15 + 5 / 60.0, 30 + 5 / 60.0, 45 + 5 / 60.0, 60 + 5 / 60.0}));
    EXPECT_THAT(unit1.sent("ALL PACE1").mid(0, 2),
                ElementsAre("ALL PACE1 1000000000000000", "ALL PACE1 0100000000000000"));
    EXPECT_TRUE(operatorLog().contains("* PACE1 test on Electrodes B1 started at 3/2/2026 10:15:"));
    EXPECT_EQ(recorder->calls.count("TEST PACE1 PACE"), 5);
}

TEST_F(Zamo80RunTest, APaceStepEndsByTheClockOnItsOwnUnitAndChannel)
{
    settings.pace.simultaneousTests = 4;
    unit1.plug(2, true);
    unit2.plug(2, true);
    paceList("B2", 1);
    startPastThePreCheck();
    tick(); // the pace step starts
    EXPECT_THAT(unit2.sent("PACE PULSE"), ElementsAre("PACE PULSE 1"));
    EXPECT_THAT(unit2.sent("ALL PACE1"), ElementsAre("ALL PACE1 0100000000000000"));
    EXPECT_TRUE(unit1.sent("ALL PACE1").isEmpty());
    for (int s = 0; s < 60; s += 5)
        tick();
    // Its minute is over: the channel is cancelled and the time recorded, then B2's other step runs.
    EXPECT_THAT(unit2.sent("CANCEL"), ElementsAre("CANCEL 1"));
    EXPECT_TRUE(unit1.sent("CANCEL").isEmpty());
    EXPECT_TRUE(recorder->calls.contains("PACE unit 2 channel 1 60 s secondary"));
    tick();
    EXPECT_EQ(unit2.sent("ALL").last(), "ALL ACZ 0100000000000000");
}

TEST_F(Zamo80RunTest, TheRollCountdownStartsAtTheDelayOrHalfThePaceTime)
{
    struct Case {
        qint16 delay;
        qint32 paceSeconds;
        int start;
    } cases[] = {{60, 3600, 60}, {5000, 3600, 1800}, {3600, 3600, 1800}, {0, 3600, 0}, {60, 0, 0}, {60, 60, 30}};
    for (const Case& c : cases) {
        config::PaceSettings pace;
        pace.zamo24PaceRollAckDelay = c.delay;
        EXPECT_EQ(run::PaceRollPrompt::countdownStart(pace, c.paceSeconds), c.start)
            << c.delay << " s, " << c.paceSeconds << " s of pace";
    }
}

TEST_F(Zamo80RunTest, TheRollCountdownFollowsThePaceStepsTimeNotTheDefaultDuration)
{
    // [PACE] PaceDuration stays at its 60 minutes and the roll delay at 60 s:
    // a step of 1 minute counts down half its own time, one of 3 minutes the delay.
    struct Case {
        int simultaneous; // 0: the pace step runs in the run list and ends there
        int minutes;
        int start;
    } cases[] = {{4, 1, 30}, {0, 1, 30}, {4, 3, 60}, {0, 3, 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1 simultaneous, %2 min").arg(c.simultaneous).arg(c.minutes).toStdString());
        ASSERT_EQ(settings.pace.paceDuration, 60);
        ASSERT_EQ(settings.pace.zamo24PaceRollAckDelay, 60);
        settings.pace.simultaneousTests = c.simultaneous;
        unit1.plug(1, false, true);
        host.rollPrompts.clear();
        paceList("A1", c.minutes, true);
        startPastThePreCheck();
        for (int s = 0; s <= c.minutes * 60 + 30 && host.rollPrompts.isEmpty(); s += 5)
            tick();
        ASSERT_EQ(host.rollPrompts.size(), 1);
        EXPECT_EQ(host.rollPrompts[0]->secondsLeft(), c.start);
        sequencer->stopTests();
        testLists.active.clear();
    }
}

} // namespace
