// The signal generator's panel: the link's state shown, its toggle connecting.

#include "ui/unitpanels/SignalGeneratorPanel.h"
#include "unit/link/RollerFixture.h"

#include <QCheckBox>
#include <QLabel>

TEST_F(RollerTest, ThePanelShowsTheLinkAndItsToggleConnects)
{
    ui::SignalGeneratorPanel view(&roller);
    fake->replyTo("(*)", "(*)", 10, 1);
    view.connectCheck()->click();
    EXPECT_TRUE(roller.connected());
    EXPECT_TRUE(view.connectCheck()->isChecked());
    EXPECT_EQ(view.connectCheck()->text(), "Connect");
    EXPECT_EQ(view.statusLabel()->text(), "Connecting...");
    view.connectCheck()->click();
    EXPECT_FALSE(roller.connected());
    EXPECT_FALSE(view.connectCheck()->isChecked());
    EXPECT_EQ(view.errorMessageLabel()->text(), "USB Port Closed");
}

TEST_F(RollerTest, TheConnectToggleOpensAndClosesThePort)
{
    ui::SignalGeneratorPanel view(&roller);
    fake->replyTo("(*)", "(*)", 10, 1);
    view.connectCheck()->click();
    EXPECT_TRUE(roller.connected());
    view.connectCheck()->click();
    EXPECT_FALSE(roller.connected());
    EXPECT_EQ(events.last(), "UsbClosed");
}
