// The saved electrode selection through start-up and the first connect of
// a unit on a pseudo-terminal.

#include "RealPathFixture.h"

TEST_F(RealPath, ASavedPartialSelectionSurvivesStartUpAndTheFirstConnectAndIsWhatTheRunTests)
{
    station.SetSetting("Electrodes", "Default", "A1-C1");
    OneStepStandardList();
    Unit base;
    base.channels = 4;
    ASSERT_TRUE(units.addUnit(0, base));
    ASSERT_TRUE(station.Start());
    EXPECT_EQ(station.TickedElectrodes(), (QStringList{"A1", "B1", "C1"}));

    ASSERT_TRUE(ConnectFromMenu(1, "ZAMO Connected; A1-D1"));
    EXPECT_EQ(station.TickedElectrodes(), (QStringList{"A1", "B1", "C1"}));
    EXPECT_EQ(station.Setting("Electrodes", "Default"), "A1-C1");

    ASSERT_TRUE(RunStandardSequence());
    EXPECT_EQ(station.StoredVerdicts(), (QStringList{"A1 PASS", "B1 PASS", "C1 PASS"}));
    EXPECT_EQ(station.Setting("Electrodes", "Default"), "A1-C1");
    EXPECT_EQ(station.TickedElectrodes(), (QStringList{"A1", "B1", "C1"}));
    const QString log = station.LogText();
    EXPECT_TRUE(log.contains("* Connected to ZAMO Unit #1 *"));
    EXPECT_TRUE(log.contains("* ACZ test on Electrodes A1-C1 started at "));
    EXPECT_TRUE(log.contains("* Tests Completed"));
    EXPECT_TRUE(units.frames(0).contains("[A(GA))1110000000000000]"));
}
