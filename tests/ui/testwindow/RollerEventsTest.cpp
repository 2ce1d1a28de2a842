// The signal generator's events on the test window: its traffic, lamp,
// label and menu items, the reconnect offered after a link error, and the
// end of the settle delay completing the running SGROLL step's electrode.
#include "TestWindowFixture.h"
#include "run/SignalGeneratorEvents.h"
#include "support/QtPrinters.h"
#include "ui/common/StatusLamp.h"
#include "unit/SignalGeneratorLink.h"

#include <QAction>
#include <QLabel>

namespace {

class RollerEventsTest : public TestWindowFixture {
protected:
    void SetUp() override
    {
        TestWindowFixture::SetUp();
        roller = new unit::SignalGeneratorLink(form.get());
        new run::RollerEvents(*roller, form->state(), form->sequencer().stationSettings(), *form,
                              form->connectionEvents(), form.get());
        form->operatorLog().clear();
    }
    QStringList logLines() const
    {
        QStringList lines = form->operatorLog().text().split("\r\n");
        lines.removeAll(QString());
        return lines;
    }
    QAction* connectItem() { return form->frame().connectSignalGeneratorAction; }
    QAction* disconnectItem() { return form->frame().disconnectSignalGeneratorAction; }

    unit::SignalGeneratorLink* roller = nullptr;
};

TEST_F(RollerEventsTest, TheLampLabelAndMenuItemsFollowTheConnection)
{
    emit roller->usbConnected(7);
    EXPECT_EQ(form->statusPanel().signalGeneratorLamp()->fillColor(), ui::StatusLamp::green());
    EXPECT_EQ(form->statusPanel().signalGeneratorLabel()->text(), "Connected");
    EXPECT_FALSE(connectItem()->isEnabled());
    EXPECT_TRUE(disconnectItem()->isEnabled());

    emit roller->usbClosed();
    EXPECT_EQ(form->statusPanel().signalGeneratorLamp()->fillColor(), ui::StatusLamp::red());
    EXPECT_EQ(form->statusPanel().signalGeneratorLabel()->text(), "Disconnected");
    EXPECT_TRUE(connectItem()->isEnabled());
    EXPECT_FALSE(disconnectItem()->isEnabled());
    EXPECT_EQ(logLines(), QStringList({"* ZAMO-SG Connected", "* ZAMO-SG Disconnected"}));
    EXPECT_TRUE(logText().contains("* ZAMO-SG Disconnected"));
}

TEST_F(RollerEventsTest, ALinkErrorOffersAReconnectAndCancelLeavesEverythingAsItWas)
{
    connectItem()->setEnabled(false);
    disconnectItem()->setEnabled(true);
    prompts->messageAnswers.push_back(platform::MsgResult::Cancel);
    emit roller->usbError("Error Opening Port");
    EXPECT_EQ(prompts->messages(),
              QStringList("There is an error communicating with the ZAMO-SG device. \r\n\r\n"
                          "Please disconnect and reconnect the ZAMO-SG device, and then click 'OK'"));
    EXPECT_FALSE(connectItem()->isEnabled());
    EXPECT_TRUE(disconnectItem()->isEnabled());
    EXPECT_TRUE(logLines().isEmpty());
}

TEST_F(RollerEventsTest, TrafficGoesToTheLogAndToTheWindowOnlyInVerboseMode)
{
    emit roller->txData("(g3)");
    EXPECT_TRUE(logText().contains("TX (ZAMO-SG) -> (g3)"));
    EXPECT_TRUE(logLines().isEmpty());
    settings.switches.showVerbose = true;
    emit roller->rxData("(*)");
    EXPECT_TRUE(logText().contains("RX (ZAMO-SG) <- (*)"));
    EXPECT_EQ(logLines(), QStringList("RX (ZAMO-SG) <- (*)"));
}

TEST_F(RollerEventsTest, TheEndOfTheDelayCompletesTheRollStepsElectrode)
{
    settings.signalGenerator.delay = 10;
    unit2.plug(3);
    testLists.applyElectrodeString("C2");
    addStep("SGROLL");
    form->startFirstTestSequence(true);
    ASSERT_TRUE(form->testRunning());
    ASSERT_TRUE(form->state().activeTest->isElectrodeTestActive(18));

    emit roller->txRollChannelSent(3);
    emit roller->rollDelayComplete();
    EXPECT_FALSE(form->state().activeTest->isElectrodeTestActive(18));
    EXPECT_TRUE(logLines().contains("* ZAMO-SG Channel 3 Command Sent. Starting 10s Delay."));
    EXPECT_TRUE(logLines().contains("ZAMO-SG Delay Complete."));
    tick();
    EXPECT_FALSE(form->testRunning());
    EXPECT_TRUE(logLines().contains("* Tests Completed"));
}

} // namespace
