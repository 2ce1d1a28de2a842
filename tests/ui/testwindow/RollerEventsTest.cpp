// The signal generator's events on the test window: its traffic, lamp,
// label and menu items, the reconnect offered after a link error, and the
// end of the settle delay completing the running SGROLL step's electrode.
#include "MainFormFixture.h"
#include "support/QtPrinters.h"

#include "run/SignalGeneratorEvents.h"
#include "ui/common/StatusLamp.h"
#include "unit/SignalGeneratorLink.h"

#include <QAction>
#include <QLabel>

namespace {

class RollerEventsTest : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        roller = new ctlZAMORoller(form.get());
        new RollerEvents(*roller, form->Sequencer(), *form, form->connectionEvents(), form.get());
        form->operatorLog().clear();
    }
    QStringList Lines() const
    {
        QStringList lines = form->operatorLog().text().split("\r\n");
        lines.removeAll(QString());
        return lines;
    }
    QAction* ConnectItem() { return form->Frame().ZamoUnitsConnectZamoSG; }
    QAction* DisconnectItem() { return form->Frame().ZamoUnitsDisconnectZamoSG; }

    ctlZAMORoller* roller = nullptr;
};

TEST_F(RollerEventsTest, TheLampLabelAndMenuItemsFollowTheConnection)
{
    emit roller->UsbConnected(7);
    EXPECT_EQ(form->statusPanel().signalGeneratorLamp()->FillColor(), StatusLamp::Green());
    EXPECT_EQ(form->statusPanel().signalGeneratorLabel()->text(), "Connected");
    EXPECT_FALSE(ConnectItem()->isEnabled());
    EXPECT_TRUE(DisconnectItem()->isEnabled());

    emit roller->UsbClosed();
    EXPECT_EQ(form->statusPanel().signalGeneratorLamp()->FillColor(), StatusLamp::Red());
    EXPECT_EQ(form->statusPanel().signalGeneratorLabel()->text(), "Disconnected");
    EXPECT_TRUE(ConnectItem()->isEnabled());
    EXPECT_FALSE(DisconnectItem()->isEnabled());
    EXPECT_EQ(Lines(), QStringList({"* ZAMO-SG Connected", "* ZAMO-SG Disconnected"}));
    EXPECT_TRUE(LogText().contains("* ZAMO-SG Disconnected"));
}

TEST_F(RollerEventsTest, ALinkErrorOffersAReconnectAndCancelLeavesEverythingAsItWas)
{
    ConnectItem()->setEnabled(false);
    DisconnectItem()->setEnabled(true);
    prompts->messageAnswers.push_back(platform::MsgResult::Cancel);
    emit roller->UsbError("Error Opening Port");
    EXPECT_EQ(prompts->messages(),
              QStringList("There is an error communicating with the ZAMO-SG device. \r\n\r\n"
                          "Please disconnect and reconnect the ZAMO-SG device, and then click 'OK'"));
    EXPECT_FALSE(ConnectItem()->isEnabled());
    EXPECT_TRUE(DisconnectItem()->isEnabled());
    EXPECT_TRUE(Lines().isEmpty());
}

TEST_F(RollerEventsTest, TrafficGoesToTheLogAndToTheWindowOnlyInVerboseMode)
{
    emit roller->TXData("(g3)");
    EXPECT_TRUE(LogText().contains("TX (ZAMO-SG) -> (g3)"));
    EXPECT_TRUE(Lines().isEmpty());
    settings.switches.showVerbose = true;
    emit roller->RXData("(*)");
    EXPECT_TRUE(LogText().contains("RX (ZAMO-SG) <- (*)"));
    EXPECT_EQ(Lines(), QStringList("RX (ZAMO-SG) <- (*)"));
}

TEST_F(RollerEventsTest, TheEndOfTheDelayCompletesTheRollStepsElectrode)
{
    settings.signalGenerator.delay = 10;
    unit2.Plug(3);
    modMain::ApplyElectrodeString("C2");
    AddStep("SGROLL");
    form->StartFirstTestSequence(true);
    ASSERT_TRUE(form->pTestRunning());
    ASSERT_TRUE(form->State().pActiveTest->IsElectrodeTestActive(18));

    emit roller->TXRollChannelSent(3);
    emit roller->RollDelayComplete();
    EXPECT_FALSE(form->State().pActiveTest->IsElectrodeTestActive(18));
    EXPECT_TRUE(Lines().contains("* ZAMO-SG Channel 3 Command Sent. Starting 10s Delay."));
    EXPECT_TRUE(Lines().contains("ZAMO-SG Delay Complete."));
    Tick();
    EXPECT_FALSE(form->pTestRunning());
    EXPECT_TRUE(Lines().contains("* Tests Completed"));
}

} // namespace
