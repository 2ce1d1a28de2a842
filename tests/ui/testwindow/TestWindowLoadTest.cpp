// The window's set-up from the command line and the electrode defaults.
#include "TestWindowFixture.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

class TestWindowLoadTest : public TestWindowFixture {};

TEST_F(TestWindowLoadTest, TheCommandLineIsComparedAsAWhole)
{
    struct Case {
        const char* line;
        bool verbose, sim, vadovFrame, clockButton;
    } cases[] = {
        {"/rida1", true, false, false, false},
        {"/rida1 x", false, false, false, false},
        {"/vadov", true, true, true, true},
        {"x /vadov", false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        RecordingUnit a, b;
        testlists::StationTestLists lists;
        ui::TestWindow window(settings, stationLog, lists, stationWindows, {&a, &b});
        settings.switches.showVerbose = false;
        platform::CommandLine::replaceText(c.line);
        window.load();
        EXPECT_EQ(settings.switches.showVerbose, c.verbose);
        EXPECT_EQ(a.simEnabled, c.sim);
        EXPECT_EQ(b.simEnabled, c.sim);
        EXPECT_EQ(!window.statusPanel().simulatorFrame()->isHidden(), c.vadovFrame);
        EXPECT_EQ(!window.statusPanel().advanceClockButton()->isHidden(), c.clockButton);
        EXPECT_EQ(window.sequencer().stepTimer().interval(), 5000);
        EXPECT_EQ(a.pollingInterval, 150);
    }
}

TEST_F(TestWindowLoadTest, BoxesFollowTheDefaultsAndTheMaskFollowsTheUnits)
{
    EXPECT_TRUE(form->electrodePanel().electrodeBoxes()[0]->isChecked());
    EXPECT_TRUE(form->electrodePanel().electrodeBoxes()[1]->isChecked());
    EXPECT_FALSE(form->electrodePanel().electrodeBoxes()[2]->isChecked());
    EXPECT_EQ(form->electrodePanel().electrodeBoxes()[17]->toolTip(), "B2");
    for (QCheckBox* box : form->electrodePanel().electrodeBoxes())
        EXPECT_TRUE(box->isEnabled());

    unit1.plug(2);
    form->electrodePanel().maskUnavailableBox()->click();
    EXPECT_TRUE(form->electrodePanel().electrodeBoxes()[1]->isEnabled());
    EXPECT_FALSE(form->electrodePanel().electrodeBoxes()[2]->isEnabled());
    for (int i = 16; i < 32; ++i)
        EXPECT_FALSE(form->electrodePanel().electrodeBoxes()[std::size_t(i)]->isEnabled());

    form->electrodePanel().electrodeBoxes()[1]->click();
    EXPECT_FALSE(form->electrodePanel().unsavedMark()->isHidden());
    EXPECT_EQ(testLists.buildElectrodeString(false), "A1");
    form->electrodePanel().resetButton()->click();
    EXPECT_TRUE(form->electrodePanel().unsavedMark()->isHidden());
    EXPECT_EQ(testLists.buildElectrodeString(false), "A1-B1");
}

TEST_F(TestWindowLoadTest, TheKeepAliveSendsNothingDuringARunOrWhilePollingIsInhibited)
{
    unit1.plug(2);
    form->keepAlive().poll();
    EXPECT_EQ(unit1.commands.count("COMM CHECK"), 1);
    EXPECT_EQ(database->revisionReads, 1);

    unit1.setPollingInhibited(true);
    form->keepAlive().poll();
    unit1.setPollingInhibited(false);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    form->keepAlive().poll();
    EXPECT_EQ(unit1.commands.count("COMM CHECK"), 1);
    EXPECT_EQ(database->revisionReads, 1);
}

} // namespace
