// A run whose selected electrodes are all on a unit that is not connected.

#include "RealPathFixture.h"

TEST_F(RealPath, ARunOfElectrodesOnAnUnconnectedUnitIsRefusedPlainlyAndStartsNothing)
{
    station.setSetting("Electrodes", "Default", "A2-P2");
    oneStepStandardList();
    ASSERT_TRUE(units.addUnit(0, Unit{}));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO Connected; A1-B1"));
    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs));

    ASSERT_TRUE(station.click("Run Standard Sequence"));
    EXPECT_EQ(station.prompts().messages(),
              QStringList{"The selected electrodes are not on a connected ZAMO unit!  "
                          "Connect their unit, or select electrodes of a connected unit."});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // no pre-test details
    EXPECT_FALSE(station.testWindow().testRunning());
    station.waitUntil([] { return false; }, 1000);
    EXPECT_EQ(station.storedGroups(), 0);
    EXPECT_TRUE(units.frames(0).filter("[A").isEmpty());
    EXPECT_TRUE(station.logText().contains("Tests not started: no selected electrode is on a connected ZAMO unit"));
}
