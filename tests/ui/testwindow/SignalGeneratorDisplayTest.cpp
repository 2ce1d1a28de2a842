// The signal generator's connection on the test window: its lamp, label
// and menu items, and the reconnect offered after a link error.
#include "TestWindowFixture.h"
#include "run/SignalGeneratorEvents.h"
#include "support/QtPrinters.h"
#include "ui/common/StatusLamp.h"
#include "unit/SignalGeneratorLink.h"

#include <QAction>
#include <QLabel>

namespace {

class SignalGeneratorDisplayTest : public TestWindowFixture {
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

TEST_F(SignalGeneratorDisplayTest, TheLampLabelAndMenuItemsFollowTheConnection)
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

TEST_F(SignalGeneratorDisplayTest, ALinkErrorOffersAReconnectAndCancelLeavesEverythingAsItWas)
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

} // namespace
