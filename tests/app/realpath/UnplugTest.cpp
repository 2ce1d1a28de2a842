// A unit unplugged in the middle of a run: its lamp, its status and the
// completion estimate show that it is gone until it is back. A base unit's
// port is closed and the operator is asked to reconnect it; a ZAMO80
// reconnects by itself.

#include "RealPathFixture.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/TestListPanel.h"
#include "unit/UnitLink.h"

#include <QLabel>
#include <QTimer>

#include <vector>

namespace {

struct Seen {
    QColor lamp;
    QString status;
    QString estimate;
    QString tip;         // the status label's tooltip
    QString shown;       // what the status label paints
    bool shownFits;      // and that it fits the label's width
    QList<QRect> places; // the status panel, the test list and the electrode panel
};

class Unplugged : public RealPath {
protected:
    QString estimate() { return station.testWindow().frame().completionTimeLabel->text(); }
    QList<QRect> places()
    {
        ui::TestWindow& form = station.testWindow();
        return {form.statusPanel().geometry(), form.testListPanel().geometry(), form.electrodePanel().geometry()};
    }
    Seen now()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const ui::ElidedLabel* label = station.testWindow().statusPanel().unitLabels()[1];
        const QString shown = label->shownText();
        return {station.unitLamp(1),
                station.unitStatus(1),
                estimate(),
                label->toolTip(),
                shown,
                label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(),
                places()};
    }

    // Starts the standard list and waits for its first completion estimate;
    // the unit is still measuring then.
    bool startRunAndWaitForTheEstimate()
    {
        if (!station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs))
            return false;
        testsupport::StationHarness::startNextRunWithLot("Lot 9");
        return station.click("Run Standard Sequence") && station.testWindow().testRunning()
               && station.waitUntil([&] { return !estimate().isEmpty(); }, ConnectMs);
    }

    static Unit measuring(Model model)
    {
        Unit unit;
        unit.model = model;
        unit.aczSeconds = 60; // longer than the test
        return unit;
    }
};

const QString UsbErrorBox = "There is an error communicating with the device. \r\n\r\n"
                            "Please disconnect and reconnect the device, and then click 'OK'";

} // namespace

TEST_F(Unplugged, ABaseUnitIsShownClosedWhileTheOperatorIsAskedAndConnectedOnceItIsBack)
{
    oneStepStandardList();
    ASSERT_TRUE(units.addUnit(0, measuring(Model::Base)));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(startRunAndWaitForTheEstimate());
    const QList<QRect> before = now().places;

    // The operator takes a while to answer; the run's timers go on meanwhile.
    std::vector<Seen> whileAsked;
    station.prompts().whileMessageShown = [&](const platform::ShownPrompt&) {
        whileAsked.push_back(now());
        station.waitUntil([] { return false; }, 6000);
        whileAsked.push_back(now());
        units.replug(0);
    };
    units.unplug(0);
    ASSERT_TRUE(station.waitUntil([&] { return whileAsked.size() == 2; }, ConnectMs));
    for (const Seen& seen : whileAsked) {
        EXPECT_EQ(seen.lamp, ui::StatusLamp::red());
        EXPECT_EQ(seen.status, "Disconnected *FT_GetQueueStatus - General IO Error*");
        EXPECT_EQ(seen.estimate, "");
        // The long text moves nothing: it is cut where it is painted and
        // whole in the tooltip.
        EXPECT_EQ(seen.places, before);
        EXPECT_EQ(seen.tip, seen.status);
        EXPECT_TRUE(seen.shownFits) << seen.shown.toStdString();
        EXPECT_TRUE(seen.shown == seen.status || seen.shown.endsWith(QChar(0x2026))) << seen.shown.toStdString();
    }
    EXPECT_TRUE(station.logText().contains("FT_GetQueueStatus - General IO Error"));
    EXPECT_EQ(station.prompts().messages(), QStringList{UsbErrorBox});

    // "OK" once it is plugged in again.
    ASSERT_TRUE(station.waitUntil([&] { return station.unitStatus(1) == "ZAMO Connected; A1-B1"; }, ConnectMs));
    EXPECT_EQ(station.unitLamp(1), ui::StatusLamp::green());
    EXPECT_TRUE(station.waitUntil([&] { return !estimate().isEmpty(); }, ConnectMs));
    EXPECT_TRUE(station.testWindow().testRunning());
    EXPECT_TRUE(station.click("Cancel"));
    EXPECT_FALSE(station.testWindow().testRunning());
}

TEST_F(Unplugged, AZamo80IsShownReconnectingAndConnectedAgainWithoutAQuestion)
{
    station.setSetting("Zamo80Delays", "ReconnectDelay", "2000");
    station.setSetting("Zamo80Delays", "FindChannelsDelay", "300");
    station.writeDataFile("standard80.tsq", "2.0\nACZ,A1-P2,1\n");
    ASSERT_TRUE(units.addUnit(0, measuring(Model::Zamo80)));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO80 Connected; A1-B1"));
    ASSERT_TRUE(startRunAndWaitForTheEstimate());

    // Halfway through the wait before the reconnection, the unit is back.
    std::vector<Seen> whileReconnecting;
    QObject::connect(&station.link(1), &unit::UnitLink::usbReconnecting, &station.testWindow(), [&](int) {
        QTimer::singleShot(1000, &station.testWindow(), [&] {
            whileReconnecting.push_back(now());
            units.replug(0);
        });
    });
    units.unplug(0);
    ASSERT_TRUE(station.waitUntil([&] { return !whileReconnecting.empty(); }, ConnectMs));
    EXPECT_EQ(whileReconnecting[0].lamp, ui::StatusLamp::red());
    EXPECT_EQ(whileReconnecting[0].status, "Reconnecting... *FT_GetQueueStatus - General IO Error*");
    EXPECT_EQ(whileReconnecting[0].estimate, "");

    ASSERT_TRUE(station.waitUntil([&] { return station.unitStatus(1) == "ZAMO80 Connected; A1-B1"; }, ConnectMs));
    EXPECT_EQ(station.unitLamp(1), ui::StatusLamp::green());
    EXPECT_TRUE(station.waitUntil([&] { return !estimate().isEmpty(); }, ConnectMs));
    EXPECT_TRUE(station.prompts().messages().isEmpty());
    EXPECT_TRUE(station.logText().contains("* Attempting to Reconnect to Unit #1 *"));
    EXPECT_TRUE(station.click("Cancel"));
}
