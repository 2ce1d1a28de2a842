// A ZAMO80-mode run from the test window: the open-circuit pre-check and
// its box, the pace steps beside the run list, their roll prompts, and the
// discharge warning.
#include "TestWindowFixture.h"
#include "run/PaceRollPrompt.h"
#include "ui/testwindow/DischargeWarningWindow.h"
#include "ui/testwindow/PaceRollPromptWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

using ::testing::ElementsAre;

namespace {

using testlists::TestList;
using testlists::TestStep;

class Zamo80RunTest : public TestWindowFixture {
protected:
    // "<type> <electrodes>" of each step of the list.
    static QStringList shown(const TestList& list)
    {
        QStringList lines;
        for (const auto& step : list)
            lines << step->testType() + ' ' + step->electrodeString();
        return lines;
    }
    // The pre-check has ended with open circuits on these electrodes.
    void endPreCheckWithOpen(std::initializer_list<int> electrodes)
    {
        for (int index : electrodes)
            form->services().zamo80->setOpenCircuit(run::UnitIndex::fromNumber(index / 16 + 1).value(),
                                                    std::size_t(index % 16), true);
        finishIteration();
    }
    // The operator's list: a pace step of the minutes given, then ACZ, on the electrodes.
    void paceList(const QString& electrodes, int minutes, bool rollPrompt = false, bool concurrent = false)
    {
        testLists.applyElectrodeString(electrodes);
        auto pace = std::make_shared<TestStep>();
        pace->initByParams("PACE1", 1, electrodes, 0, 0, rollPrompt, qint16(minutes), concurrent);
        testLists.active.append(pace);
        addStep("ACZ");
    }
    // Starts the run and passes the pre-check with no open circuit.
    void startPastThePreCheck()
    {
        form->startFirstTestSequence(true);
        finishIteration();
        tick();
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
    ui::PaceRollPromptWindow* rollPrompt() const
    {
        const auto windows = form->findChildren<ui::PaceRollPromptWindow*>();
        return windows.isEmpty() ? nullptr : windows.last();
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
        form->startFirstTestSequence(true);
        ASSERT_EQ(shown(form->state().lists.running),
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
            EXPECT_EQ(shown(form->state().lists.running), (QStringList{"ACZ A1-C1", "ACZ B1", "DCO B1"}));
            EXPECT_TRUE(form->testRunning());
            tick();
            EXPECT_EQ(unit1.sent("ALL").last(), "ALL ACZ 0100000000000000");
        } else {
            EXPECT_FALSE(form->testRunning());
            EXPECT_TRUE(form->operatorLog().text().contains("* Tests Cancelled"));
        }
        form->stopTests();
        testLists.active.clear();
    }
}

TEST_F(Zamo80RunTest, NoStepStartsWhileTheOpenCircuitBoxWaits)
{
    unit1.plug(2, true);
    addStep("ACZ");
    form->startFirstTestSequence(true);
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
    form->startFirstTestSequence(true);
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
    EXPECT_TRUE(form->operatorLog().text().contains("* PACE1 test on Electrodes B1 started at 3/2/2026 10:15:"));
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
        qint16 paceMinutes;
        int start;
    } cases[] = {{60, 60, 60}, {5000, 60, 1800}, {3600, 60, 1800}, {0, 60, 0}, {60, 0, 0}};
    for (const Case& c : cases) {
        config::PaceSettings pace;
        pace.zamo24PaceRollAckDelay = c.delay;
        pace.paceDuration = c.paceMinutes;
        EXPECT_EQ(run::PaceRollPrompt::countdownStart(pace), c.start) << c.delay << " s, " << c.paceMinutes << " min";
    }
}

TEST_F(Zamo80RunTest, TheRollPromptRecordsTheRollAndWithoutOneDropsTheElectrodesSteps)
{
    struct Case {
        const char* name;
        bool concurrent;
        bool continueWithoutRoll;
        const char* answer; // a button, or "" for the countdown
        QStringList records;
        bool stepsKept;
    } cases[] = {
        {"rolled", false, false, "Roll Complete", {"PACE unit 1 channel 0 60 s secondary rolled"}, true},
        {"not rolled", false, false, "Continue, No Roll", {"PACE unit 1 channel 0 60 s secondary"}, false},
        {"countdown", false, false, "", {"PACE unit 1 channel 0 60 s secondary"}, false},
        {"kept without roll", false, true, "Continue, No Roll", {"PACE unit 1 channel 0 60 s secondary"}, true},
        {"concurrent",
         true,
         false,
         "Roll Complete",
         {"PACE unit 1 channel 0 60 s secondary", "PACE unit 1 channel 0 60 s secondary rolled status only"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.pace.simultaneousTests = 4;
        settings.pace.zamo24PaceRollAckDelay = 30;
        settings.pace.zamo24ContinueWithoutRoll = c.continueWithoutRoll;
        unit1.plug(2, false, true);
        recorder->calls.clear();
        paceList("A1-B1", 1, true, c.concurrent);
        startPastThePreCheck();
        tick(); // A1's pace starts
        for (int s = 0; s < 60; s += 5)
            tick();
        ui::PaceRollPromptWindow* prompt = rollPrompt();
        ASSERT_TRUE(prompt);
        EXPECT_EQ(prompt->windowTitle(), "Post-PACE Manual Roll");
        EXPECT_EQ(prompt->completedLabel()->text(), "PACE1 on Channel A1 has completed.");
        EXPECT_EQ(prompt->countdownLabel()->text(), "30");
        QPointer<ui::PaceRollPromptWindow> open(prompt);
        if (QString(c.answer) == "Roll Complete")
            prompt->rollCompleteButton()->click();
        else if (QString(c.answer) == "Continue, No Roll")
            prompt->noRollButton()->click();
        else
            platform::Clock::advance(30000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(open.isNull());
        EXPECT_EQ(recorder->calls.filter("PACE unit"), c.records);
        EXPECT_EQ(shown(form->state().lists.running).contains("ACZ A1"), c.stepsKept);
        EXPECT_TRUE(shown(form->state().lists.running).contains("ACZ B1"));
        // A prompt still open when the run stops records nothing into it, nor into the next run.
        form->stopTests();
        const int records = recorder->calls.size();
        for (ui::PaceRollPromptWindow* left : form->findChildren<ui::PaceRollPromptWindow*>())
            left->noRollButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(recorder->calls.size(), records);
        testLists.active.clear();
    }
}

TEST_F(Zamo80RunTest, TheDischargeWarningTellsToDischargeTheSupply)
{
    ui::DischargeWarningWindow warning;
    EXPECT_EQ(warning.windowTitle(), "WARNING");
    QStringList texts;
    for (QLabel* label : warning.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("The defibrillator power supply might still be charged.  Please check and safely "
                               "discharge the defibrillator power supply."));
    int signs = 0;
    for (QLabel* label : warning.findChildren<QLabel*>())
        signs += label->accessibleName() == "Warning sign" && !label->pixmap().isNull() ? 1 : 0;
    EXPECT_EQ(signs, 2) << "a warning sign on either side";
    EXPECT_EQ(warning.findChildren<QPushButton*>().size(), 1);
    EXPECT_EQ(warning.findChildren<QPushButton*>().first()->text(), "OK");
}

} // namespace
