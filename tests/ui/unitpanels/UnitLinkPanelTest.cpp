// The unit link's panel: the link's state shown, its toggle connecting, the
// simulator's controls.

#include "ui/unitpanels/UnitLinkPanel.h"
#include "unit/link/LinkFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using UsbComm = LinkFixture;

TEST_F(UsbComm, TheStatusDisplayFollowsTheLinkAndItsToggleConnects)
{
    UnitOfModel(Model::Base);
    ctlZAMOUsbCommView view(comm.get());
    EXPECT_EQ(view.lblStatus()->text(), "Unit #1");
    EXPECT_EQ(view.shpStatus()->accessibleName(), "Unit status lamp");
    EXPECT_FALSE(view.chkUseSim()->isVisibleTo(&view));

    view.chkConnect()->click();
    EXPECT_TRUE(comm->Connected());
    EXPECT_TRUE(view.chkConnect()->isChecked());
    EXPECT_EQ(view.shpStatus()->accessibleDescription(), "Connected");
    EXPECT_EQ(view.lblStatus()->text(), "Connecting...");

    comm->setTestRunning(true);
    EXPECT_FALSE(view.chkConnect()->isEnabled());
    comm->setTestRunning(false);

    view.chkConnect()->click();
    EXPECT_FALSE(comm->Connected());
    EXPECT_EQ(view.lblErrorMessage()->text(), "USB Port Closed");
    comm->EnableSim();
    EXPECT_TRUE(view.chkUseSim()->isVisibleTo(&view));
    EXPECT_EQ(view.txtSimChannels()->text(), "2");
}

} // namespace
