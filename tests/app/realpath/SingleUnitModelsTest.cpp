// A ZAMO80 or a ZAMO2-4 has no second unit: when it connects, unit 2's
// electrodes leave the boxes, the saved selection in settings.ini, the test
// list and the run; once it is disconnected they come back ticked and
// saved, and two ZAMO units after it have every electrode tested.

#include "RealPathFixture.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/TestListPanel.h"

#include <QRegularExpression>
#include <QTableWidget>

namespace {

struct ModelCase {
    testsupport::UnitEmulator::Model model;
    const char* status;
};

class SingleUnitModels : public RealPath, public ::testing::WithParamInterface<ModelCase> {};

QStringList unit1Names()
{
    QStringList names;
    for (char c = 'A'; c <= 'P'; ++c)
        names << QString(QLatin1Char(c)) + QLatin1Char('1');
    return names;
}

} // namespace

TEST_P(SingleUnitModels, DropUnit2sElectrodesFromTheSavedSelectionTheStepsAndTheRun)
{
    station.setSetting("Electrodes", "Default", "A1-P2");
    station.writeDataFile("standard80.tsq", "2.0\r\nACZ,A1-P2,1\r\n");
    oneStepStandardList();
    Unit single;
    single.model = GetParam().model;
    single.channels = 2;
    ASSERT_TRUE(units.addUnit(0, single));
    // Two ZAMO units for after it, on the next converters.
    ASSERT_TRUE(units.addUnit(1, Unit()));
    ASSERT_TRUE(units.addUnit(2, Unit()));
    ASSERT_TRUE(station.start());
    const ui::ElectrodePanel& panel = station.testWindow().electrodePanel();
    EXPECT_EQ(station.tickedElectrodes().size(), 32);

    ASSERT_TRUE(connectFromMenu(1, GetParam().status));
    EXPECT_EQ(station.tickedElectrodes(), unit1Names());
    for (int i = 16; i < 32; ++i)
        EXPECT_TRUE(panel.electrodeBoxes()[std::size_t(i)]->isHidden()) << i;
    EXPECT_TRUE(panel.unit2Label()->isHidden());
    EXPECT_FALSE(panel.unsavedMark()->isVisible());
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P1");

    ASSERT_TRUE(runStandardSequence());
    const QTableWidget* grid = station.testWindow().testListPanel().grid();
    ASSERT_GE(grid->rowCount(), 1);
    for (int row = 0; row < grid->rowCount(); ++row)
        EXPECT_EQ(grid->item(row, 2)->text(), "A1-P1") << row;
    const QString log = station.logText();
    EXPECT_TRUE(log.contains("* Open Circuit test on Electrodes A1-P1 started at "));
    EXPECT_TRUE(log.contains("* Tests Completed"));
    EXPECT_FALSE(log.contains(QRegularExpression("Electrodes [^\\r\\n]*[A-P]2")));
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P1");

    // Disconnected from the menu, the unit-2 boxes come back ticked and
    // saved, so that two ZAMO units after it have both units' electrodes tested.
    ASSERT_TRUE(station.choose("Disconnect Unit 1"));
    ASSERT_TRUE(station.waitUntil([&] { return !panel.electrodeBoxes()[16]->isHidden(); }, ConnectMs));
    EXPECT_TRUE(panel.unit2Label()->isVisibleTo(&station.testWindow()));
    EXPECT_EQ(station.tickedElectrodes().size(), 32);
    EXPECT_FALSE(panel.unsavedMark()->isVisible());
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P2");

    units.unplug(0);
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(connectFromMenu(2, "ZAMO Connected; A2-B2"));
    EXPECT_EQ(station.tickedElectrodes().size(), 32);
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P2");
    ASSERT_TRUE(runStandardSequence("Lot 2"));
    const QString next = station.logText().mid(log.size());
    EXPECT_TRUE(next.contains("* ACZ test on Electrodes A1-P2 started at ")) << next.toStdString();
    EXPECT_TRUE(next.contains("* Tests Completed"));
    const QStringList verdicts = station.storedVerdicts();
    EXPECT_TRUE(verdicts.contains("A2 PASS") && verdicts.contains("B2 PASS")) << verdicts.join(", ").toStdString();
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-P2");
}

INSTANTIATE_TEST_SUITE_P(
    RealPath, SingleUnitModels,
    ::testing::Values(ModelCase{testsupport::UnitEmulator::Model::Zamo80, "ZAMO80 Connected; A1-B1"},
                      ModelCase{testsupport::UnitEmulator::Model::Zamo24, "ZAMO2-4 Connected; A1-B1"}),
    [](const ::testing::TestParamInfo<ModelCase>& info) {
        return info.param.model == testsupport::UnitEmulator::Model::Zamo80 ? "Zamo80" : "Zamo24";
    });
