// A unit of the run lost for good: its port fails and the operator answers
// "OK" on the station's question with the unit still unplugged. The unit is
// closed as on any disconnect, the run is cancelled with its reason told,
// what the other unit measured stays stored, and the unit connects again
// from the menu afterwards for a run that completes.

#include "RealPathFixture.h"
#include "support/StoredRunChecks.h"

#include <QAction>
#include <QPushButton>

namespace {

const QString UsbErrorBox = "There is an error communicating with the device. \r\n\r\n"
                            "Please disconnect and reconnect the device, and then click 'OK'";

struct Loss {
    const char* name;
    testsupport::UnitEmulator::Model model;
    int lost;          // the unit that goes: 1, or 2 beside a base unit 1
    bool betweenSteps; // after the first step's verdicts, else while it measures
};

class UnitLoss : public RealPath, public ::testing::WithParamInterface<Loss> {
protected:
    QString operatorLog() const { return station.windows().commBuffer(); }

    QString groups() const { return testsupport::groupEnds(station.stationSettings().paths.databaseFile); }
    QString untrueRecords() const { return testsupport::untrueRecords(station.stationSettings().paths.databaseFile); }
    QString condensed() const { return testsupport::condensedGroups(station.stationSettings().paths.databaseFile); }

    QAction* item(const QString& text) { return station.menuItem(text); }
};

} // namespace

TEST_P(UnitLoss, AUnitNotBackWhenTheOperatorAnswersIsClosedAndItsRunCancelled)
{
    const Loss& c = GetParam();
    const bool zamo80 = c.model == Model::Zamo80;
    station.setSetting("Zamo80Delays", "ReconnectDelay", "1000");
    station.setSetting("Zamo80Delays", "FindChannelsDelay", "300");
    // Two steps: a loss between them leaves the second one unstarted.
    station.writeDataFile(zamo80 ? "standard80.tsq" : "standard.tsq",
                          zamo80 ? "2.0\nACZ,A1-P2,1\n" : "1.0\nACZ,A1-P2,1\nACZ,A1-P2,1\n");
    Unit unit;
    unit.model = c.model;
    unit.aczSeconds = 2;
    ASSERT_TRUE(units.addUnit(0, unit));
    if (c.lost == 2) {
        ASSERT_TRUE(units.addUnit(1, unit));
    }
    ASSERT_TRUE(station.start());
    const QString model = zamo80 ? "ZAMO80" : "ZAMO";
    ASSERT_TRUE(connectFromMenu(1, model + " Connected; A1-B1"));
    if (c.lost == 2) {
        ASSERT_TRUE(connectFromMenu(2, "ZAMO Connected; A2-B2"));
    }

    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs));
    testsupport::StationHarness::startNextRunWithLot("Lot 4");
    ASSERT_TRUE(station.click("Run Standard Sequence"));
    // Mid-step: the unit goes while the first step measures (two seconds).
    const int electrodes = c.lost == 2 ? 4 : 2;
    ASSERT_TRUE(station.waitUntil(
        [&] { return !c.betweenSteps || operatorLog().count("Final result recorded for ") == electrodes; }, RunMs));

    // The operator answers at once, the unit still unplugged.
    bool runningWhileAsked = false;
    qsizetype started = -1;
    station.prompts().whileMessageShown = [&](const platform::ShownPrompt& shown) {
        if (shown.text != UsbErrorBox)
            return;
        runningWhileAsked = station.testWindow().testRunning();
        started = operatorLog().count(" test on Electrodes ");
    };
    units.unplug(c.lost - 1);
    ASSERT_TRUE(station.waitUntil([&] { return !station.testWindow().testRunning(); }, RunMs));

    const QString reason = QString("Connection to Unit #%1 has been lost.  Aborting test.").arg(c.lost);
    EXPECT_TRUE(runningWhileAsked);
    EXPECT_EQ(station.prompts().messages(), (QStringList{UsbErrorBox, reason}));
    const QString log = operatorLog();
    EXPECT_TRUE(log.contains(QString("* Unit #%1 Disconnected *").arg(c.lost))) << log.toStdString();
    EXPECT_TRUE(log.contains("* " + reason + "\r\n* Tests Cancelled")) << log.toStdString();
    EXPECT_FALSE(log.contains("* Tests Completed"));
    EXPECT_EQ(log.count(" test on Electrodes "), started) << "no step starts once the unit is gone";
    EXPECT_EQ(log.count(" test on Electrodes "), c.betweenSteps ? 1 : started);
    EXPECT_TRUE(station.logText().contains("* " + reason));
    EXPECT_EQ(station.unitStatus(c.lost).left(12), "Disconnected");
    EXPECT_EQ(station.unitLamp(c.lost), ui::StatusLamp::red());
    EXPECT_FALSE(item(QString("Disconnect Unit %1").arg(c.lost))->isEnabled());
    EXPECT_TRUE(item(QString("Connect Unit %1").arg(c.lost))->isEnabled());
    // Without a unit nothing can run; beside the other unit its run can.
    EXPECT_EQ(station.button("Run Standard Sequence")->isEnabled(), c.lost == 2);
    EXPECT_EQ(groups(), "1|False|True\n");
    // A ZAMO80 run gets its condensed group, cancelled as it is, with no unit left to ask.
    EXPECT_EQ(condensed(), zamo80 ? "1|2\n" : "");
    EXPECT_EQ(untrueRecords(), "");
    // Both units' verdicts of the first step stay; none of a step the loss cut short.
    const QStringList stayed = c.lost == 2      ? QStringList{"A1 PASS", "B1 PASS", "A2 PASS", "B2 PASS"}
                               : c.betweenSteps ? QStringList{"A1 PASS", "B1 PASS"}
                                                : QStringList();
    EXPECT_EQ(station.storedVerdicts(), stayed);

    // Plugged in again and connected from the menu, the unit runs the list.
    station.prompts().whileMessageShown = nullptr;
    ASSERT_TRUE(units.replug(c.lost - 1));
    ASSERT_TRUE(
        connectFromMenu(c.lost, QString("%1 Connected; A%2-B%2").arg(c.lost == 2 ? "ZAMO" : model).arg(c.lost)));
    station.useTestList(QString("A%1-B%1").arg(c.lost), {QString("ACZ,A%1-B%1,1").arg(c.lost)});
    QPushButton* run = station.testWindow().testListPanel().runButton();
    ASSERT_TRUE(station.waitUntil([&] { return run->isEnabled(); }, ConnectMs));
    testsupport::StationHarness::startNextRunWithLot("Lot 5");
    run->click();
    ASSERT_TRUE(station.testWindow().testRunning());
    ASSERT_TRUE(station.waitUntil([&] { return !station.testWindow().testRunning(); }, 3 * RunMs))
        << operatorLog().right(1500).toStdString();
    EXPECT_TRUE(operatorLog().contains("* Tests Completed"));
    EXPECT_EQ(groups(), zamo80 ? "1|False|True\n3|True|False\n" : "1|False|True\n2|True|False\n");
    EXPECT_EQ(condensed(), zamo80 ? "1|2\n3|4\n" : "");
    EXPECT_EQ(untrueRecords(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Units, UnitLoss,
    ::testing::Values(Loss{"BaseUnitWhileItMeasures", testsupport::UnitEmulator::Model::Base, 1, false},
                      Loss{"Unit2BetweenSteps", testsupport::UnitEmulator::Model::Base, 2, true},
                      Loss{"Zamo80WhileItMeasures", testsupport::UnitEmulator::Model::Zamo80, 1, false}),
    [](const ::testing::TestParamInfo<Loss>& info) { return std::string(info.param.name); });
