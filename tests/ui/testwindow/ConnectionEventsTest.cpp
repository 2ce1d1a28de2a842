// The unit and database status on the test window, and the unit links' and
// the database's events that the window answers.
#include "TestWindowFixture.h"
#include "config/IniKeys.h"
#include "run/OperatorLog.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/TestStep.h"
#include "ui/common/StatusLamp.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using ::testing::ElementsAre;

namespace {

class ConnectionEventsTest : public TestWindowFixture {
protected:
    // The selection saved as the default and shown, and one step of the
    // operator's list on every electrode, which gets it.
    std::shared_ptr<testlists::TestStep> saveSelectionWithAStep(const QString& selection)
    {
        config::iniWrite("Electrodes", "Default", selection, settings.paths.settingsFile);
        testLists.applyElectrodeString(selection);
        form->applyElectrodeSelection();
        auto step = std::make_shared<testlists::TestStep>();
        step->initByString("ACZ,A1-P2,1");
        testLists.active = {step};
        form->updateTestSequenceList();
        return step;
    }
    // The names of the ticked boxes, in order.
    QStringList tickedBoxes() const
    {
        QStringList names;
        for (QCheckBox* box : form->electrodePanel().electrodeBoxes())
            if (box->isChecked())
                names << box->accessibleName();
        return names;
    }
};

TEST_F(ConnectionEventsTest, ErrorStatusesAreNotedBetweenStars)
{
    form->connectionEvents().showHardwareStatus(1, "Ready", false);
    form->connectionEvents().showHardwareStatus(1, "E1", true);
    EXPECT_EQ(form->statusPanel().unitLabels()[1]->text(), "Ready *E1*");
    EXPECT_TRUE(form->statusPanel().unitLabels()[1]->styleSheet().contains("red"));
    form->connectionEvents().showHardwareStatus(1, "E2", true);
    EXPECT_EQ(form->statusPanel().unitLabels()[1]->text(), "Ready *E2*");
    form->connectionEvents().showHardwareStatus(1, "Ready", false);
    EXPECT_EQ(form->statusPanel().unitLabels()[1]->text(), "Ready");
    EXPECT_TRUE(form->statusPanel().unitLabels()[1]->styleSheet().contains("black"));
    EXPECT_EQ(run::CommLog::captionWithError("Unit 1 *old* note", "E3"), "Unit 1 *E3*");
}

TEST_F(ConnectionEventsTest, AConnectedUnitLightsItsLampAndItsChannelReportEnablesTheTests)
{
    EXPECT_FALSE(form->testListPanel().runButton()->isEnabled());
    EXPECT_EQ(form->statusPanel().unitLabels()[1]->text(), "Disconnected");
    unit1.plug(2);
    form->connectionEvents().unitConnected(1);

    EXPECT_EQ(form->statusPanel().unitLamps()[1]->fillColor(), ui::StatusLamp::green());
    EXPECT_EQ(form->statusPanel().unitLabels()[1]->text(), "Connecting...");
    EXPECT_TRUE(form->operatorLog().text().contains("* Connected to ZAMO Unit #1 *\r\n"));
    EXPECT_TRUE(form->frame().disconnectUnitActions[1]->isEnabled());
    EXPECT_FALSE(form->frame().connectUnitActions[1]->isEnabled());
    EXPECT_TRUE(form->frame().connectUnitActions[2]->isEnabled());
    EXPECT_TRUE(form->frame().runBiasTestAction->isEnabled());
    EXPECT_FALSE(form->frame().runAcz30ZeroAction->isEnabled());
    EXPECT_TRUE(form->keepAlive().active());
    EXPECT_FALSE(form->testListPanel().runButton()->isEnabled()); // not before the channels are known

    form->electrodePanel().maskUnavailableBox()->setChecked(true);
    form->connectionEvents().channelsFound(1);
    EXPECT_TRUE(form->testListPanel().runButton()->isEnabled());
    EXPECT_TRUE(form->testListPanel().editButton()->isEnabled());
    EXPECT_TRUE(form->frame().testsMenu->isEnabled());
    EXPECT_TRUE(form->electrodePanel().electrodeBoxes()[1]->isEnabled());
    EXPECT_FALSE(form->electrodePanel().electrodeBoxes()[2]->isEnabled());
    EXPECT_TRUE(unit1.commands.contains("QUERY INFO"));

    unit1.isConnected = false;
    form->connectionEvents().unitClosed(1);
    EXPECT_EQ(form->statusPanel().unitLamps()[1]->fillColor(), ui::StatusLamp::red());
    EXPECT_TRUE(form->operatorLog().text().contains("* Unit #1 Disconnected *\r\n"));
    EXPECT_FALSE(form->testListPanel().runButton()->isEnabled());
    EXPECT_FALSE(form->frame().connectUnitActions[2]->isEnabled());
    EXPECT_FALSE(form->keepAlive().active());
}

// A unit whose open fails asks the operator once; the open that the OK
// starts may fail as well, and then the unit stays offered in the menu
// rather than asking again and again.
TEST_F(ConnectionEventsTest, AnOpenThatFailsAgainAfterTheOperatorsOkAsksNoMore)
{
    const QString box = "There is an error communicating with the device. \r\n\r\n"
                        "Please disconnect and reconnect the device, and then click 'OK'";
    int depth = 0;
    unit1.onOpen = [&] {
        if (++depth < 4) // a station that asked on would go on for ever
            form->connectionEvents().unitFailed(1, "Error Opening Port");
        --depth;
    };
    form->connectionEvents().unitFailed(1, "Error Opening Port");
    EXPECT_EQ(prompts->messages(), QStringList{box});
    EXPECT_EQ(unit1.commands.filter("OPEN").size(), 1);
    EXPECT_EQ(form->statusPanel().unitLamps()[1]->fillColor(), ui::StatusLamp::red());
    EXPECT_TRUE(form->frame().connectUnitActions[1]->isEnabled());
    EXPECT_FALSE(form->exitingApplication);

    // A later failure is a new one, and is asked again.
    form->connectionEvents().unitFailed(1, "Error Opening Port");
    EXPECT_EQ(prompts->messages(), (QStringList{box, box}));
    EXPECT_EQ(unit1.commands.filter("OPEN").size(), 2);
}

TEST_F(ConnectionEventsTest, AZamo80UnitHidesUnit2AndAMixedPairIsRefused)
{
    unit1.plug(16);
    form->connectionEvents().unitConnected(1);
    unit2.plug(16, true);
    form->connectionEvents().unitConnected(2);
    EXPECT_TRUE(unit2.commands.contains("DISCONNECT"));
    EXPECT_FALSE(form->operatorLog().text().contains("Unit #2"));

    unit1.isConnected = false;
    unit1.plug(16, true);
    form->connectionEvents().unitConnected(1);
    EXPECT_TRUE(form->operatorLog().text().contains("* Connected to ZAMO80 Unit #1 *"));
    EXPECT_TRUE(form->electrodePanel().electrodeBoxes()[20]->isHidden());
    EXPECT_TRUE(form->electrodePanel().unit2Label()->isHidden());
    EXPECT_FALSE(form->frame().runBiasTestAction->isEnabled());
    EXPECT_TRUE(form->frame().runAcz30ZeroAction->isEnabled());
}

TEST_F(ConnectionEventsTest, AZamo80DropsUnit2FromTheSavedSelectionAndTheStepsOnceAndNotAgainAtAReconnect)
{
    const auto step = saveSelectionWithAStep("A1-B1.C2");
    ui::ElectrodePanel& panel = form->electrodePanel();

    unit1.plug(2, true);
    form->connectionEvents().unitConnected(1);
    EXPECT_EQ(config::iniRead("Electrodes", "Default", settings.paths.settingsFile), "A1-B1");
    EXPECT_EQ(testLists.buildElectrodeString(true), "A1-B1");
    EXPECT_EQ(step->electrodeString(), "A1-B1");
    EXPECT_EQ(form->testListPanel().grid()->item(0, 2)->text(), "A1-B1");
    EXPECT_FALSE(panel.electrodeBoxes()[18]->isChecked());
    EXPECT_TRUE(panel.unsavedMark()->isHidden());

    // The operator ticks D1 without saving, then the unit drops and comes
    // back during a run: the unsaved tick stays unsaved and the steps keep
    // their electrodes.
    panel.electrodeBoxes()[3]->click();
    unit1.isReconnecting = true;
    unit1.isConnected = false;
    form->connectionEvents().unitClosed(1);
    EXPECT_TRUE(panel.electrodeBoxes()[18]->isHidden());
    unit1.isConnected = true;
    form->connectionEvents().unitConnected(1);
    EXPECT_EQ(config::iniRead("Electrodes", "Default", settings.paths.settingsFile), "A1-B1");
    EXPECT_EQ(step->electrodeString(), "A1-B1");
    EXPECT_TRUE(panel.electrodeBoxes()[3]->isChecked());
    EXPECT_FALSE(panel.unsavedMark()->isHidden());
    testLists.active.clear();
}

// A unit that drops and comes back by reconnection finds the boxes as the
// operator left them, unsaved changes and all, whatever its model.
TEST_F(ConnectionEventsTest, AReconnectionLeavesTheBoxesAsTheOperatorLeftThem)
{
    for (const bool zamo80 : {false, true}) {
        SCOPED_TRACE(zamo80 ? "ZAMO80" : "ZAMO");
        saveSelectionWithAStep("A1-P2");
        ui::ElectrodePanel& panel = form->electrodePanel();
        unit1.plug(2, zamo80);
        form->connectionEvents().unitConnected(1);
        const QString saved = config::iniRead("Electrodes", "Default", settings.paths.settingsFile);
        const QStringList ticked = tickedBoxes();
        panel.electrodeBoxes()[0]->click(); // A1 unticked, not saved
        ASSERT_FALSE(panel.unsavedMark()->isHidden());

        unit1.isReconnecting = true;
        unit1.isConnected = false;
        form->connectionEvents().unitClosed(1);
        unit1.isConnected = true;
        form->connectionEvents().unitConnected(1);
        EXPECT_EQ(tickedBoxes(), ticked.mid(1));
        EXPECT_FALSE(panel.unsavedMark()->isHidden());
        EXPECT_EQ(config::iniRead("Electrodes", "Default", settings.paths.settingsFile), saved);

        unit1.isReconnecting = false;
        unit1.isConnected = false;
        form->connectionEvents().unitClosed(1);
    }
    testLists.active.clear();
}

// Once the ZAMO80 has gone, for good or from the menu, unit 2's boxes come
// back ticked and stored with the steps, so that two base units after it
// have both units' electrodes tested; the first base unit's connect leaves
// that selection as it is.
TEST_F(ConnectionEventsTest, UnitTwosBoxesComeBackTickedAndStoredOnceTheZamo80HasGone)
{
    for (const bool reconnectionFails : {false, true}) {
        SCOPED_TRACE(reconnectionFails ? "its reconnection fails" : "disconnected from the menu");
        const auto step = saveSelectionWithAStep("A1-P2");
        ui::ElectrodePanel& panel = form->electrodePanel();
        unit1.plug(2, true);
        form->connectionEvents().unitConnected(1);
        ASSERT_EQ(config::iniRead("Electrodes", "Default", settings.paths.settingsFile), "A1-P1");

        unit1.isConnected = false;
        unit1.isReconnecting = reconnectionFails;
        form->connectionEvents().unitClosed(1);
        if (reconnectionFails) {
            EXPECT_TRUE(panel.electrodeBoxes()[16]->isHidden()) << "left for the unit while it reconnects";
            unit1.isReconnecting = false;
            form->connectionEvents().unitFailed(1, "FT_CyclePortOpen"); // "OK", and the unit is not back
        }
        EXPECT_EQ(config::iniRead("Electrodes", "Default", settings.paths.settingsFile), "A1-P2");
        EXPECT_EQ(testLists.buildElectrodeString(true), "A1-P2");
        EXPECT_EQ(step->electrodeString(), "A1-P2");
        EXPECT_EQ(form->testListPanel().grid()->item(0, 2)->text(), "A1-P2");
        for (int i = 0; i < 32; ++i) {
            EXPECT_TRUE(panel.electrodeBoxes()[std::size_t(i)]->isChecked()) << i;
            EXPECT_FALSE(panel.electrodeBoxes()[std::size_t(i)]->isHidden()) << i;
        }
        EXPECT_FALSE(panel.unit2Label()->isHidden());
        EXPECT_TRUE(panel.unsavedMark()->isHidden());

        unit1.plug(2);
        form->connectionEvents().unitConnected(1);
        unit2.plug(2);
        form->connectionEvents().unitConnected(2);
        EXPECT_EQ(config::iniRead("Electrodes", "Default", settings.paths.settingsFile), "A1-P2");
        EXPECT_TRUE(panel.electrodeBoxes()[31]->isChecked());
        EXPECT_EQ(step->electrodeString(), "A1-P2");
        unit1.isConnected = unit2.isConnected = false;
        form->connectionEvents().unitClosed(2);
        form->connectionEvents().unitClosed(1);
    }
    testLists.active.clear();
}

TEST_F(ConnectionEventsTest, DatabaseStatusAndFailures)
{
    settings.database.localDatabaseFolder.clear();
    form->connectionEvents().setDatabaseStatus(true, true);
    EXPECT_EQ(form->statusPanel().databaseLabel()->text(), "Local Database Connected");
    EXPECT_EQ(form->statusPanel().databaseLamp()->fillColor(), ui::StatusLamp::green());
    settings.database.localDatabaseFolder = "/srv/shared/zamo";
    form->connectionEvents().setDatabaseStatus(true, false);
    EXPECT_EQ(form->statusPanel().databaseLabel()->text(), "Remote Database File Disconnected");
    EXPECT_TRUE(logText().contains("Database Status: Remote Database File Disconnected"));
    form->connectionEvents().setDatabaseStatus(false, true);
    EXPECT_EQ(form->statusPanel().databaseLabel()->text(), "MSSQL Database Connected");
    settings.database.localDatabaseFolder.clear();

    // The box gives the cause after its fixed words.
    form->connectionEvents().databaseConnectFailHandler("Cannot open database \"/data/x.mdb\": the file is read-only");
    database->failureReported = true;
    form->connectionEvents().databaseConnectFailHandler("again"); // the same series of failures: no second box
    database->failureReported = false;
    unit1.plug(2);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    // Cancelling the group fails on the same lost connection: still one box.
    recorder->onCancel = [this] { form->connectionEvents().databaseConnectFailHandler("lost again"); };
    form->connectionEvents().databaseConnectFailHandler("server closed the connection");
    EXPECT_THAT(prompts->messages(),
                ElementsAre("Unable to connect to database.  Please check database connection settings.\r\n\r\n"
                            "Cannot open database \"/data/x.mdb\": the file is read-only",
                            "Database connection has been interrupted.  Aborting test.\r\n\r\n"
                            "server closed the connection"));
    EXPECT_FALSE(form->testRunning());
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 5"));
    EXPECT_TRUE(form->operatorLog().text().contains(
        "* Database connection has been interrupted.  Aborting test.\r\n* Tests Cancelled\r\n"));

    // A run that meets a failure of a series told already stops all the same, and says why.
    prompts->shown.clear();
    recorder->onCancel = nullptr;
    database->failureReported = true;
    form->startFirstTestSequence(true);
    ASSERT_TRUE(form->testRunning());
    form->connectionEvents().databaseConnectFailHandler("still gone");
    EXPECT_FALSE(form->testRunning());
    EXPECT_TRUE(recorder->calls.contains("CANCEL GROUP 6"));
    EXPECT_THAT(prompts->messages(),
                ElementsAre("Database connection has been interrupted.  Aborting test.\r\n\r\nstill gone"));
}

TEST_F(ConnectionEventsTest, TrafficLinesGoToTheLogAndInVerboseModeToTheOperator)
{
    form->connectionEvents().frameSent(2, "[*]");
    EXPECT_TRUE(logText().contains("TX (2) -> [*]"));
    EXPECT_FALSE(form->operatorLog().text().contains("TX (2)"));
    // A received frame names its channel; outside verbose mode it goes to the log file only.
    form->connectionEvents().frameReceived(1, 3, "(*)");
    EXPECT_TRUE(logText().contains("RX (1) <- (*), 3\r\n"));
    EXPECT_FALSE(form->operatorLog().text().contains("RX (1)"));
    settings.switches.showVerbose = true;
    form->connectionEvents().frameReceived(1, 0, "(D...)");
    EXPECT_TRUE(form->operatorLog().text().contains("RX (1) <- (D...), 0\r\n"));
    EXPECT_EQ(logText().count("RX (1) <- (D...), 0"), 1); // not logged twice
    // The receive buffer only when asked for, then to the operator and the log.
    form->connectionEvents().receiveBufferRead(1, "(GB0");
    EXPECT_FALSE(logText().contains("RXBuffer"));
    settings.switches.showRxBuffer = true;
    form->connectionEvents().receiveBufferRead(1, "(GB0");
    EXPECT_TRUE(form->operatorLog().text().contains("RXBuffer (1) <- (GB0\r\n"));
    EXPECT_TRUE(logText().contains("RXBuffer (1) <- (GB0\r\n"));
    form->connectionEvents().unitReconnecting(1);
    EXPECT_TRUE(form->operatorLog().text().contains("* Attempting to Reconnect to Unit #1 *"));
}

} // namespace
