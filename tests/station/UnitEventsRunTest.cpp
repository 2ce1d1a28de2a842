// Unit and signal-generator events during a run of the whole station on a
// simulated ZAMO80: an opened lid stops the run.
#include "support/StationHarness.h"

#include "core/ElectrodeSelection.h"

#include <gmock/gmock.h>

#include <QPushButton>

namespace {

class UnitEventsRunTest : public ::testing::Test {
protected:
    // Starts a list of the given steps on electrode A1 of a simulated ZAMO80.
    void StartOnZamo80(const QStringList& types)
    {
        ASSERT_TRUE(station.Start());
        station.ConnectSimulatedUnit(1, 2, true);
        MainForm& form = station.Form();
        ASSERT_TRUE(station.RunUntil([&] { return form.cmdRunTestList->isEnabled(); }, 20000));
        modMain::ApplyElectrodeString("A1");
        form.ApplyElectrodeSelection();
        Globals::ActiveTestList.clear();
        for (const QString& type : types) {
            auto step = std::make_shared<clsTestSequence>();
            step->InitByString(type + ",A1,1");
            Globals::ActiveTestList.append(step);
        }
        form.UpdateTestSequenceList();
        testsupport::StationHarness::StartNextRunWithLot("LOT-3");
        form.cmdRunTestList->click();
        ASSERT_TRUE(form.pTestRunning()) << Globals::CommBuffer.toStdString();
    }

    QStringList Lines() const { return Globals::CommBuffer.split("\r\n"); }

    testsupport::StationHarness station;
};

TEST_F(UnitEventsRunTest, AnOpenedLidStopsTheRun)
{
    StartOnZamo80({"ACZ", "ACZ30"});
    station.Advance(3000);
    ASSERT_TRUE(station.Form().pTestRunning());

    emit station.Link(1).RXMasterLidState(1, false);

    EXPECT_FALSE(station.Form().pTestRunning());
    EXPECT_EQ(Lines().count("*ZAMO80 Lid Opened.  Aborting tests!"), 1);
    EXPECT_TRUE(Lines().contains("* Tests Cancelled"));
    EXPECT_TRUE(station.LogText().contains("*ZAMO80 Lid Opened.  Aborting tests!"));
}

} // namespace
