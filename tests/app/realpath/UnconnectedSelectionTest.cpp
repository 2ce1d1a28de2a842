// A run whose selected electrodes are all on a unit that is not connected.

#include "RealPathFixture.h"

TEST_F(RealPath, ARunOfElectrodesOnAnUnconnectedUnitIsRefusedPlainlyAndStartsNothing)
{
    station.SetSetting("Electrodes", "Default", "A2-P2");
    OneStepStandardList();
    ASSERT_TRUE(units.addUnit(0, Unit{}));
    ASSERT_TRUE(station.Start());
    ASSERT_TRUE(ConnectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(station.WaitUntil([&] { return station.Button("Run Standard Sequence")->isEnabled(); }, ConnectMs));

    ASSERT_TRUE(station.Click("Run Standard Sequence"));
    EXPECT_EQ(station.Prompts().messages(),
              QStringList{"The selected electrodes are not on a connected ZAMO unit!  "
                          "Connect their unit, or select electrodes of a connected unit."});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);   // no pre-test details
    EXPECT_FALSE(station.Form().pTestRunning());
    station.WaitUntil([] { return false; }, 1000);
    EXPECT_EQ(station.StoredGroups(), 0);
    EXPECT_TRUE(units.frames(0).filter("[A").isEmpty());
    EXPECT_TRUE(station.LogText().contains("Tests not started: no selected electrode is on a connected ZAMO unit"));
}
