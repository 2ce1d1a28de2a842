// The signal generator's events on a run: its traffic in the log and, in
// verbose mode, to the operator, and the end of the settle delay completing
// the running SGROLL step's electrode.
#include "run/RunFixture.h"
#include "run/SignalGeneratorDisplay.h"
#include "run/SignalGeneratorEvents.h"
#include "support/QtPrinters.h"
#include "unit/SignalGeneratorLink.h"

namespace {

class RollerEventsTest : public RunFixture {
protected:
    // The lamp, label and menu items are the window's.
    class NoDisplay : public run::SignalGeneratorDisplay {
    public:
        void showSignalGeneratorConnected(bool) override {}
    };

    void SetUp() override
    {
        RunFixture::SetUp();
        events = std::make_unique<run::RollerEvents>(roller, state(), settings, host, display, nullptr);
    }
    void TearDown() override
    {
        events.reset();
        RunFixture::TearDown();
    }

    unit::SignalGeneratorLink roller;
    NoDisplay display;
    std::unique_ptr<run::RollerEvents> events;
};

TEST_F(RollerEventsTest, TrafficGoesToTheLogAndToTheWindowOnlyInVerboseMode)
{
    emit roller.txData("(g3)");
    EXPECT_TRUE(logText().contains("TX (ZAMO-SG) -> (g3)"));
    EXPECT_TRUE(logLines().isEmpty());
    settings.switches.showVerbose = true;
    emit roller.rxData("(*)");
    EXPECT_TRUE(logText().contains("RX (ZAMO-SG) <- (*)"));
    EXPECT_EQ(logLines(), QStringList("RX (ZAMO-SG) <- (*)"));
}

TEST_F(RollerEventsTest, TheEndOfTheDelayCompletesTheRollStepsElectrode)
{
    settings.signalGenerator.delay = 10;
    unit2.plug(3);
    testLists.applyElectrodeString("C2");
    addStep("SGROLL");
    sequencer->startFirstTestSequence(true);
    ASSERT_TRUE(testRunning());
    ASSERT_TRUE(state().activeTest->isElectrodeTestActive(18));

    emit roller.txRollChannelSent(3);
    emit roller.rollDelayComplete();
    EXPECT_FALSE(state().activeTest->isElectrodeTestActive(18));
    EXPECT_TRUE(logLines().contains("* ZAMO-SG Channel 3 Command Sent. Starting 10s Delay."));
    EXPECT_TRUE(logLines().contains("ZAMO-SG Delay Complete."));
    tick();
    EXPECT_FALSE(testRunning());
    EXPECT_TRUE(logLines().contains("* Tests Completed"));
}

} // namespace
