// The calibration and service panel in the whole station: the hidden menu
// item opens it over the main test window's unit 1, read-backs from the
// simulated unit fill its boxes, its tests are judged without a record, and
// a burn-in started from it records, also after the panel closed.
#include "support/StationHarness.h"
#include "ui/service/ServicePanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ServicePanelStationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(station.start());
        station.connectSimulatedUnit(1, 2);
        ASSERT_TRUE(
            station.runUntil([this] { return station.testWindow().testListPanel().runButton()->isEnabled(); }, 20000));
    }

    // Opens the panel from the menu, runs action on it, then leaves it with
    // "Exit" (the question, when asked, answered Yes).
    void withPanel(const std::function<void(ui::ServicePanel&)>& action)
    {
        bool shown = false;
        testsupport::StationHarness::whenModal([&](QWidget* modal) {
            auto* panel = qobject_cast<ui::ServicePanel*>(modal);
            if (!panel)
                return;
            shown = true;
            action(*panel);
            panel->findChild<QPushButton*>(QStringLiteral("exitButton"))->click();
        });
        ASSERT_TRUE(station.choose(QStringLiteral("System Calibration")));
        EXPECT_TRUE(shown);
    }

    static QLineEdit* box(ui::ServicePanel& panel, const char* name)
    {
        return panel.findChild<QLineEdit*>(QLatin1String(name));
    }

    static void click(ui::ServicePanel& panel, const char* name)
    {
        panel.findChild<QPushButton*>(QLatin1String(name))->click();
    }

    const run::RunState& state() { return station.testWindow().state(); }

    testsupport::StationHarness station{QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), QStringLiteral("/vadov")};
};

TEST_F(ServicePanelStationTest, ReadBacksFillTheBoxesAndCalibrationTestsStoreNothing)
{
    withPanel([this](ui::ServicePanel& panel) {
        EXPECT_TRUE(state().calibrationMode);
        EXPECT_TRUE(station.link(1).pollingInhibited());
        box(panel, "channelNumberEdit")->setText("1");
        click(panel, "getDateButton");
        EXPECT_TRUE(station.runUntil([&] { return box(panel, "yearEdit")->text() == "2010"; }, 5000));
        EXPECT_EQ(box(panel, "monthEdit")->text(), "01");
        EXPECT_EQ(box(panel, "dayEdit")->text(), "02");
        click(panel, "getSerialButton");
        EXPECT_TRUE(station.runUntil([&] { return box(panel, "serialNumberEdit")->text() == "99901"; }, 5000));

        // The channel is asked for its reading by hand ("?"): the first ask
        // starts its clock, the reading is there 15 s later.
        click(panel, "aczButton");
        click(panel, "requestButton");
        station.advance(20000);
        click(panel, "requestButton");
        EXPECT_TRUE(station.runUntil([&] { return station.logText().contains("RX (1) <- (GA2130"); }, 5000));
        station.advance(2000);
    });
    // Judged and logged, but no group and no record.
    EXPECT_TRUE(station.logText().contains("* ACZ Test Complete on Electrode B1"));
    EXPECT_TRUE(station.logText().contains("RX (1) <- (MD12010,01,02), 1\r\n"));
    EXPECT_EQ(station.storedGroups(), 0);
    EXPECT_FALSE(state().calibrationMode);
    EXPECT_FALSE(station.link(1).pollingInhibited());
}

TEST_F(ServicePanelStationTest, ABurnInRecordsAndThePanelClosedDuringItLeavesServiceMode)
{
    station.useTestList(QStringLiteral("A1-B1"), {});
    withPanel([this](ui::ServicePanel& panel) {
        testsupport::StationHarness::startNextRunWithLot(QStringLiteral("BURN"));
        click(panel, "burnInButton");
        EXPECT_TRUE(station.testWindow().testRunning());
        EXPECT_TRUE(state().burnInRunning);
        // Still ticked: no channel is polled while the panel is open.
        EXPECT_TRUE(panel.findChild<QCheckBox*>(QStringLiteral("inhibitPollingBox"))->isChecked());
    });
    // Closed during the burn-in: no question, and the station is out of
    // service mode, so the burn-in's readings come in and are recorded.
    EXPECT_FALSE(station.prompts().messages().contains("Are you sure you want to leave the Calibration Form?"));
    EXPECT_FALSE(state().calibrationMode);
    EXPECT_FALSE(station.link(1).pollingInhibited());
    ASSERT_TRUE(station.runUntil([this] { return !station.testWindow().testRunning(); }, 900000, 500));
    EXPECT_FALSE(state().burnInRunning);
    EXPECT_EQ(station.storedGroups(), 1);
    EXPECT_FALSE(station.storedVerdicts().isEmpty());
}

} // namespace
