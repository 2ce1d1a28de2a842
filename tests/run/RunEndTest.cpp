// The end of a run: completion with its report actions, the supply of an
// SDR step, a stop from inside the tick, and replies after the end.
#include "run/RunFixture.h"
#include "support/QtPrinters.h"

using ::testing::ElementsAre;

namespace {

class RunEndTest : public RunFixture {};

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
        sequencer->startFirstTestSequence(true);
        state().burnInRunning = c.burnIn; // set by the calibration panel's burn-in while it runs
        runToEnd();
        EXPECT_EQ(reports->calls.join('|'), QString(c.calls));
        if (QString(c.message).isEmpty()) {
            EXPECT_TRUE(prompts->shown.isEmpty());
        } else {
            ASSERT_EQ(prompts->shown.size(), 1);
            EXPECT_EQ(prompts->shown[0].text, c.message);
            EXPECT_EQ(prompts->shown[0].title, "Post-Test Actions");
        }
        EXPECT_FALSE(state().burnInRunning);
    }
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
        sequencer->startFirstTestSequence(true);
        EXPECT_TRUE(unit1.master200V);
        finishIteration();
        tick(); // the ACZ step starts; the supply is still on
        EXPECT_FALSE(unit1.commands.contains("200V OFF"));
        if (cancel)
            sequencer->stopTests();
        else
            runToEnd();
        EXPECT_THAT(unit1.sent("200V"), ElementsAre("200V ON", "200V OFF"));
        EXPECT_FALSE(unit1.master200V);
    }
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
    sequencer->services().clock = std::make_unique<StoppingClock>(*sequencer);
    unit1.plug(2);
    addStep("BIAS");
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);
    tick();
    sequencer->stopTests(); // a second stop of the same run does nothing
    tick();

    EXPECT_EQ(operatorLog().count("* Tests Cancelled"), 1);
    EXPECT_EQ(recorder->calls.count("CANCEL GROUP 5"), 1);
    EXPECT_TRUE(unit1.sent("ALL ACZ").isEmpty());
    EXPECT_EQ(unit1.commands.count("CANCEL ALL"), 1);
}

TEST_F(RunEndTest, RepliesAfterTheEndOfTheRunAreLoggedAndGoNoFurther)
{
    unit1.plug(2);
    addStep("ACZ");
    sequencer->startFirstTestSequence(true);
    EXPECT_TRUE(sequencer->acceptResultReply(1, 0, "ACZ"));
    runToEnd();
    EXPECT_FALSE(sequencer->acceptResultReply(1, 1, "ACZ"));
    EXPECT_TRUE(logText().contains("* ACZ reply from Electrode B1 after the end of the run ignored"));
    state().calibrationMode = true;
    EXPECT_TRUE(sequencer->acceptResultReply(1, 1, "ACZ"));
}

} // namespace
