// The unit mode of the connected units and the window's set-up from the
// command line and the electrode defaults.
#include "TestWindowFixture.h"
#include "run/UnitMode.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEST(UnitModeTable, ModeAndSingleZamo24FollowTheConnectedUnits)
{
    enum Kind { None, Base, Z80, Z24 };
    using M = run::ConnectedUnitsMode;
    struct Case {
        Kind unit1, unit2;
        M mode;
        bool zamo24;
    } cases[] = {
        {None, None, M::None, false},  {Base, None, M::Base, false},  {None, Base, M::Base, false},
        {Base, Base, M::Base, false},  {Z80, None, M::Zamo80, false}, {Z24, None, M::Zamo80, true},
        {Z24, Z80, M::Zamo80, false},  {Base, Z80, M::Mixed, false},  {Z24, Base, M::Mixed, false},
        {None, Z24, M::Zamo80, false},
    };
    for (const Case& c : cases) {
        RecordingUnit u1, u2;
        auto plug = [](RecordingUnit& u, Kind k) {
            if (k != None)
                u.plug(16, k == Z80, k == Z24);
        };
        plug(u1, c.unit1);
        plug(u2, c.unit2);
        const std::array<unit::Unit*, 2> units{&u1, &u2};
        SCOPED_TRACE(QString("%1/%2").arg(int(c.unit1)).arg(int(c.unit2)).toStdString());
        EXPECT_EQ(run::UnitMode::checkZAMOMode(units), c.mode);
        EXPECT_EQ(run::UnitMode::checkZAMO24(units), c.zamo24);
    }
}

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
        ui::TestWindow window(settings, {&a, &b});
        settings.switches.showVerbose = false;
        platform::CommandLine::setForTesting(c.line);
        window.load();
        EXPECT_EQ(settings.switches.showVerbose, c.verbose);
        EXPECT_EQ(a.simEnabled, c.sim);
        EXPECT_EQ(b.simEnabled, c.sim);
        EXPECT_EQ(!window.statusPanel().simulatorFrame()->isHidden(), c.vadovFrame);
        EXPECT_EQ(!window.statusPanel().advanceClockButton()->isHidden(), c.clockButton);
        EXPECT_EQ(window.sequencer().TestSequenceTimer.interval(), 5000);
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
    EXPECT_EQ(testlists::buildElectrodeString(false), "A1");
    form->electrodePanel().resetButton()->click();
    EXPECT_TRUE(form->electrodePanel().unsavedMark()->isHidden());
    EXPECT_EQ(testlists::buildElectrodeString(false), "A1-B1");
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
