// A unit unplugged in the middle of a run: its lamp, its status and the
// completion estimate show that it is gone until it is back. A base unit's
// port is closed and the operator is asked to reconnect it; a ZAMO80
// reconnects by itself.

#include "RealPathFixture.h"

#include "unit/UnitLink.h"

#include <QLabel>
#include <QTimer>

#include <vector>

namespace {

struct Seen {
    QColor lamp;
    QString status;
    QString estimate;
};

class Unplugged : public RealPath {
protected:
    QString Estimate() { return station.Form().Frame().ExpectedCompletionTimeLabel->text(); }
    Seen Now() { return {station.UnitLamp(1), station.UnitStatus(1), Estimate()}; }

    // Starts the standard list and waits for its first completion estimate;
    // the unit is still measuring then.
    bool StartRunAndWaitForTheEstimate()
    {
        if (!station.WaitUntil([&] { return station.Button("Run Standard Sequence")->isEnabled(); }, ConnectMs))
            return false;
        testsupport::StationHarness::StartNextRunWithLot("Lot 9");
        return station.Click("Run Standard Sequence") && station.Form().pTestRunning()
               && station.WaitUntil([&] { return !Estimate().isEmpty(); }, ConnectMs);
    }

    static Unit Measuring(Model model)
    {
        Unit unit;
        unit.model = model;
        unit.aczSeconds = 60;   // longer than the test
        return unit;
    }
};

const QString UsbErrorBox = "There is an error communicating with the device. \r\n\r\n"
                            "Please disconnect and reconnect the device, and then click 'OK'";

} // namespace

TEST_F(Unplugged, ABaseUnitIsShownClosedWhileTheOperatorIsAskedAndConnectedOnceItIsBack)
{
    OneStepStandardList();
    ASSERT_TRUE(units.addUnit(0, Measuring(Model::Base)));
    ASSERT_TRUE(station.Start());
    ASSERT_TRUE(ConnectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(StartRunAndWaitForTheEstimate());

    // The operator takes a while to answer; the run's timers go on meanwhile.
    std::vector<Seen> whileAsked;
    station.Prompts().whileMessageShown = [&](const platform::ShownPrompt&) {
        whileAsked.push_back(Now());
        station.WaitUntil([] { return false; }, 6000);
        whileAsked.push_back(Now());
        units.replug(0);
    };
    units.unplug(0);
    ASSERT_TRUE(station.WaitUntil([&] { return whileAsked.size() == 2; }, ConnectMs));
    for (const Seen& seen : whileAsked) {
        EXPECT_EQ(seen.lamp, StatusLamp::Red());
        EXPECT_EQ(seen.status, "Disconnected *FT_GetQueueStatus - General IO Error*");
        EXPECT_EQ(seen.estimate, "");
    }
    EXPECT_EQ(station.Prompts().messages(), QStringList{UsbErrorBox});

    // "OK" once it is plugged in again.
    ASSERT_TRUE(station.WaitUntil([&] { return station.UnitStatus(1) == "ZAMO Connected; A1-B1"; }, ConnectMs));
    EXPECT_EQ(station.UnitLamp(1), StatusLamp::Green());
    EXPECT_TRUE(station.WaitUntil([&] { return !Estimate().isEmpty(); }, ConnectMs));
    EXPECT_TRUE(station.Form().pTestRunning());
    EXPECT_TRUE(station.Click("Cancel"));
    EXPECT_FALSE(station.Form().pTestRunning());
}

TEST_F(Unplugged, AZamo80IsShownReconnectingAndConnectedAgainWithoutAQuestion)
{
    station.SetSetting("Zamo80Delays", "ReconnectDelay", "2000");
    station.SetSetting("Zamo80Delays", "FindChannelsDelay", "300");
    station.WriteDataFile("standard80.tsq", "2.0\nACZ,A1-P2,1\n");
    ASSERT_TRUE(units.addUnit(0, Measuring(Model::Zamo80)));
    ASSERT_TRUE(station.Start());
    ASSERT_TRUE(ConnectFromMenu(1, "ZAMO80 Connected; A1-B1"));
    ASSERT_TRUE(StartRunAndWaitForTheEstimate());

    // Halfway through the wait before the reconnection, the unit is back.
    std::vector<Seen> whileReconnecting;
    QObject::connect(&station.Link(1), &ctlZAMOUsbComm::UsbReconnecting, &station.Form(), [&](int) {
        QTimer::singleShot(1000, &station.Form(), [&] {
            whileReconnecting.push_back(Now());
            units.replug(0);
        });
    });
    units.unplug(0);
    ASSERT_TRUE(station.WaitUntil([&] { return !whileReconnecting.empty(); }, ConnectMs));
    EXPECT_EQ(whileReconnecting[0].lamp, StatusLamp::Red());
    EXPECT_EQ(whileReconnecting[0].status, "Reconnecting... *FT_GetQueueStatus - General IO Error*");
    EXPECT_EQ(whileReconnecting[0].estimate, "");

    ASSERT_TRUE(station.WaitUntil([&] { return station.UnitStatus(1) == "ZAMO80 Connected; A1-B1"; }, ConnectMs));
    EXPECT_EQ(station.UnitLamp(1), StatusLamp::Green());
    EXPECT_TRUE(station.WaitUntil([&] { return !Estimate().isEmpty(); }, ConnectMs));
    EXPECT_TRUE(station.Prompts().messages().isEmpty());
    EXPECT_TRUE(station.LogText().contains("* Attempting to Reconnect to Unit #1 *"));
    EXPECT_TRUE(station.Click("Cancel"));
}
