// The simulated unit's panel: the channel count set from it, the channel lamps.

#include "ui/unitpanels/SimulatedUnitPanel.h"
#include "unit/link/SimUnitFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TEST_F(SimUnitTest, ThePanelSetsTheChannelCountAndShowsTheChannelLamps)
{
    ctlSimUnitView view(&unit);
    EXPECT_EQ(view.txtChannels()->text(), "1");
    view.txtChannels()->clear();
    QTest::keyClicks(view.txtChannels(), "3");
    view.cmdInit()->click();
    EXPECT_EQ(unit.ChannelCount(), 3);
    EXPECT_EQ(view.shpActive(2)->palette().color(QPalette::Window), ctlSimUnit::ActiveLamp());
    EXPECT_EQ(view.shpActive(3)->palette().color(QPalette::Window), ctlSimUnit::IdleLamp());
    EXPECT_EQ(view.shpActive(0)->accessibleName(), "Simulated channel A");
}
