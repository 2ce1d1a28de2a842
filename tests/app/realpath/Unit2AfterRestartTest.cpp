// Unit 2's electrodes after a restart: a session with a ZAMO2-4 or a ZAMO80
// leaves unit 2's electrodes out of the saved selection, and the program
// ends with the unit still connected. Started again, the first base unit
// that connects brings them back, ticked and saved, and the next standard
// run on two base units tests both units, as without the restart. A partial
// selection the operator saved stays as it is.

#include "RealPathFixture.h"
#include "ui/testwindow/ElectrodePanel.h"

#include <QCheckBox>
#include <QFrame>

namespace {

using Model = testsupport::UnitEmulator::Model;
constexpr int ConnectMs = 10000;
constexpr int RunMs = 60000;

class Unit2AfterRestart : public ::testing::TestWithParam<Model> {
protected:
    void SetUp() override
    {
        if (!testsupport::FakeSerialTree::pseudoTerminalsAvailable())
            GTEST_SKIP() << "This machine gives no pseudo-terminals";
    }

    static bool connect(testsupport::StationHarness& station, int n, const QString& status)
    {
        return station.choose(QStringLiteral("Connect Unit %1").arg(n))
               && station.waitUntil([&] { return station.unitStatus(n) == status; }, ConnectMs);
    }

    // The first session: the single unit connected, and the program ended
    // with File, Exit while it still is. The data folder stays for the next.
    std::shared_ptr<testsupport::TempDataHome> sessionWithSingleUnit(const QString& savedSelection)
    {
        testsupport::UnitEmulator::Unit single;
        single.model = GetParam();
        single.channels = 2;
        EXPECT_TRUE(units.addUnit(0, single));
        testsupport::StationHarness station{testsupport::StationHarness::RealTime{}};
        station.writeDataFile("standard.tsq", "1.0\nACZ,A1-P2,1\n");
        if (!savedSelection.isEmpty())
            station.setSetting("Electrodes", "Default", savedSelection);
        EXPECT_TRUE(station.start());
        EXPECT_TRUE(connect(station, 1,
                            (GetParam() == Model::Zamo80 ? QStringLiteral("ZAMO80") : QStringLiteral("ZAMO2-4"))
                                + QStringLiteral(" Connected; A1-B1")));
        EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P1");
        EXPECT_TRUE(station.choose("Exit"));
        units.unplug(0);
        return station.home();
    }

    testsupport::FakeSerialTree tree;
    testsupport::UnitEmulator units{tree};
};

TEST_P(Unit2AfterRestart, TheFirstBaseUnitBringsUnit2sElectrodesBackAndTheRunTestsBothUnits)
{
    const std::shared_ptr<testsupport::TempDataHome> home = sessionWithSingleUnit(QString());
    ASSERT_TRUE(units.addUnit(1, {}));
    ASSERT_TRUE(units.addUnit(2, {}));
    testsupport::StationHarness station(testsupport::StationHarness::RealTime{}, home);
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connect(station, 1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(connect(station, 2, "ZAMO Connected; A2-B2"));
    EXPECT_EQ(station.tickedElectrodes().size(), 32);
    EXPECT_FALSE(station.testWindow().electrodePanel().unsavedMark()->isVisible());

    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P2");

    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs));
    testsupport::StationHarness::startNextRunWithLot("Lot 2");
    ASSERT_TRUE(station.click("Run Standard Sequence"));
    ASSERT_TRUE(station.waitUntil([&] { return !station.testWindow().testRunning(); }, RunMs));
    const QString log = station.logText();
    EXPECT_TRUE(log.contains("* ACZ test on Electrodes A1-P2 started at ")) << log.toStdString();
    EXPECT_TRUE(log.contains("* Tests Completed"));
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 PASS", "B1 PASS", "A2 PASS", "B2 PASS"}));
}

TEST_P(Unit2AfterRestart, ASelectionTheOperatorSavedAfterTheRestartStaysAsItIs)
{
    const std::shared_ptr<testsupport::TempDataHome> home = sessionWithSingleUnit(QString());
    ASSERT_TRUE(units.addUnit(1, {}));
    testsupport::StationHarness station(testsupport::StationHarness::RealTime{}, home);
    ASSERT_TRUE(station.start());
    // No unit yet: the operator saves unit 1's electrodes alone as the default.
    ASSERT_TRUE(station.click("Uncheck All"));
    for (QCheckBox* box : station.testWindow().electrodePanel().electrodeBoxes())
        if (box->accessibleName().endsWith('1'))
            box->click();
    ASSERT_TRUE(station.click("Save as Defaults"));
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P1");

    ASSERT_TRUE(connect(station, 1, "ZAMO Connected; A1-B1"));
    EXPECT_EQ(station.tickedElectrodes().size(), 16);
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P1");
}

INSTANTIATE_TEST_SUITE_P(RealPath, Unit2AfterRestart, ::testing::Values(Model::Zamo80, Model::Zamo24),
                         [](const auto& info) { return info.param == Model::Zamo80 ? "Zamo80" : "Zamo24"; });

} // namespace
