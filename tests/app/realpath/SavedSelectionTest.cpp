// The saved electrode selection through start-up and the first connect of
// a unit on a pseudo-terminal.

#include "RealPathFixture.h"

TEST_F(RealPath, ASavedPartialSelectionSurvivesStartUpAndTheFirstConnectAndIsWhatTheRunTests)
{
    station.setSetting("Electrodes", "Default", "A1-C1");
    oneStepStandardList();
    Unit base;
    base.channels = 4;
    ASSERT_TRUE(units.addUnit(0, base));
    ASSERT_TRUE(station.start());
    EXPECT_EQ(station.tickedElectrodes(), (QStringList{"A1", "B1", "C1"}));

    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-D1"));
    EXPECT_EQ(station.tickedElectrodes(), (QStringList{"A1", "B1", "C1"}));
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-C1");

    ASSERT_TRUE(runStandardSequence());
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 PASS", "B1 PASS", "C1 PASS"}));
    EXPECT_EQ(station.setting("Electrodes", "Default"), "A1-C1");
    EXPECT_EQ(station.tickedElectrodes(), (QStringList{"A1", "B1", "C1"}));
    const QString log = station.logText();
    EXPECT_TRUE(log.contains("* Connected to ZAMO Unit #1 *"));
    EXPECT_TRUE(log.contains("* ACZ test on Electrodes A1-C1 started at "));
    EXPECT_TRUE(log.contains("* Tests Completed"));
    EXPECT_TRUE(units.frames(0).contains("[A(GA))1110000000000000]"));
}
