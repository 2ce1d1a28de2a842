// The signal generator's panel: the link's state shown, its toggle connecting.

#include "ui/unitpanels/SignalGeneratorPanel.h"
#include "unit/link/RollerFixture.h"

#include <QCheckBox>
#include <QLabel>

TEST_F(RollerTest, ThePanelShowsTheLinkAndItsToggleConnects)
{
    ctlZAMORollerView view(&roller);
    fake->replyTo("(*)", "(*)", 10, 1);
    view.chkConnect()->click();
    EXPECT_TRUE(roller.Connected());
    EXPECT_TRUE(view.chkConnect()->isChecked());
    EXPECT_EQ(view.chkConnect()->text(), "Connect");
    EXPECT_EQ(view.lblStatus()->text(), "Connecting...");
    view.chkConnect()->click();
    EXPECT_FALSE(roller.Connected());
    EXPECT_FALSE(view.chkConnect()->isChecked());
    EXPECT_EQ(view.lblErrorMessage()->text(), "USB Port Closed");
}
