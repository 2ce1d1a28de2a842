// The simulated unit's panel: the channel count set from it, the channel lamps.

#include "ui/unitpanels/SimulatedUnitPanel.h"
#include "unit/link/SimUnitFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TEST_F(SimUnitTest, ThePanelSetsTheChannelCountAndShowsTheChannelLamps)
{
    ui::SimulatedUnitPanel view(&unit);
    EXPECT_EQ(view.channelsEdit()->text(), "1");
    view.channelsEdit()->clear();
    QTest::keyClicks(view.channelsEdit(), "3");
    view.initButton()->click();
    EXPECT_EQ(unit.channelCount(), 3);
    EXPECT_EQ(view.activeLamp(2)->palette().color(QPalette::Window), unit::SimulatedUnit::activeLamp());
    EXPECT_EQ(view.activeLamp(3)->palette().color(QPalette::Window), unit::SimulatedUnit::idleLamp());
    EXPECT_EQ(view.activeLamp(0)->accessibleName(), "Simulated channel A");
}
