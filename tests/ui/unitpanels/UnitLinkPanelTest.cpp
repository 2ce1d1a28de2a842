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
    unitOfModel(Model::Base);
    ui::UnitLinkPanel view(comm.get());
    EXPECT_EQ(view.statusLabel()->text(), "Unit #1");
    EXPECT_EQ(view.statusLamp()->accessibleName(), "Unit status lamp");
    EXPECT_FALSE(view.useSimCheck()->isVisibleTo(&view));

    view.connectCheck()->click();
    EXPECT_TRUE(comm->connected());
    EXPECT_TRUE(view.connectCheck()->isChecked());
    EXPECT_EQ(view.statusLamp()->accessibleDescription(), "Connected");
    EXPECT_EQ(view.statusLabel()->text(), "Connecting...");

    comm->setTestRunning(true);
    EXPECT_FALSE(view.connectCheck()->isEnabled());
    comm->setTestRunning(false);

    view.connectCheck()->click();
    EXPECT_FALSE(comm->connected());
    EXPECT_EQ(view.errorMessageLabel()->text(), "USB Port Closed");
    comm->enableSim();
    EXPECT_TRUE(view.useSimCheck()->isVisibleTo(&view));
    EXPECT_EQ(view.simChannelsEdit()->text(), "2");
}

TEST_F(UsbComm, TheConnectToggleOpensAndClosesThePort)
{
    unitOfModel(Model::Base);
    ui::UnitLinkPanel view(comm.get());
    view.connectCheck()->click();
    EXPECT_TRUE(comm->connected());
    EXPECT_TRUE(comm->status().display().connectChecked);
    view.connectCheck()->click();
    EXPECT_FALSE(comm->connected());

    // A channel count that is not a number opens nothing.
    view.useSimCheck()->setChecked(true);
    view.simChannelsEdit()->setText("two");
    view.connectCheck()->click();
    EXPECT_FALSE(comm->connected());
    EXPECT_FALSE(comm->status().display().connectChecked);
    EXPECT_TRUE(log.last().contains("not a number"));
}

} // namespace
