// The windows of a ZAMO80-mode run: the roll prompt of a pace step and the
// discharge warning.
#include "TestWindowFixture.h"
#include "run/Zamo80RunSteps.h"
#include "ui/testwindow/DischargeWarningWindow.h"
#include "ui/testwindow/PaceRollPromptWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

class Zamo80WindowsTest : public Zamo80RunSteps<TestWindowFixture> {
protected:
    ui::PaceRollPromptWindow* rollPrompt() const
    {
        const auto windows = form->findChildren<ui::PaceRollPromptWindow*>();
        return windows.isEmpty() ? nullptr : windows.last();
    }
};

TEST_F(Zamo80WindowsTest, TheRollPromptRecordsTheRollAndWithoutOneDropsTheElectrodesSteps)
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
        // The delay stays at its 60 s: the step's minute of pace counts down half of it.
        ASSERT_EQ(settings.pace.zamo24PaceRollAckDelay, 60);
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

TEST_F(Zamo80WindowsTest, TheDischargeWarningTellsToDischargeTheSupply)
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
