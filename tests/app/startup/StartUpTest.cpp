#include "StationStartFixture.h"

namespace {

// Start-up on an empty data home, with its own clock.
class StartUpTest : public StationStartFixture {};

TEST_F(StartUpTest, FirstStartOnAnEmptyDataHomeBuildsTheDataFolder)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 1), QTime(9, 8, 7)));
    ASSERT_TRUE(app::main(station));

    EXPECT_FALSE(settings.switches.startingUp);
    EXPECT_EQ(QDir(folder + "/Log").entryList(QDir::Files), QStringList{"20261201-090807.log"});
    EXPECT_TRUE(readAll(station.log.path()).startsWith("2026-12-01 09:08:07 - Log File Initialized\r\n"));

    EXPECT_EQ(settings.paths.settingsFile, folder + "/settings.ini");
    EXPECT_EQ(settings.paths.databaseFile, folder + "/ZAMO_Results.mdb");
    EXPECT_EQ(settings.paths.archiveFolder, folder + "/Archive/");
    EXPECT_EQ(settings.paths.standard80SequenceFile, folder + "/standard80.tsq");

    // The keys of a new file in their order, then those that the section
    // readers write back, then the default limits and warnings.
    const QByteArray expected =
        "[Timers]\r\nPolling=150\r\nTests=5000\r\n"
        "[Zamo80Delays]\r\nReconnectDelay=7000\r\nFindChannelsDelay=3000\r\nDefibCharge=54\r\n"
        "[Reports]\r\nDisplayEnabled=1\r\n"
        "[Database]\r\nMaxRecords=100000\r\nUseLocalDatabase=1\r\nLocalDatabaseFolder="
        + folder.toUtf8()
        + "\r\nSQLServerHost=\r\nSQLServerInstance=\r\nSQLServerDatabaseName=ZAMO_Results\r\n"
          "SQLUsername=\r\nSQLPassword=\r\n"
          "[KeepAlive]\r\nWakeUp=1\r\n"
          "[ACLG]\r\nGainVe=401\r\nGainV50=2001\r\nCorrect_Gain=0.92\r\n"
          "24_100_Correct_Gain=1\r\n24_100_R1=404990\r\n24_100_R2=804\r\n24_100_R3=424300\r\n"
          "24_100_R4=4990\r\n24_360_Correct_Gain=1\r\n24_360_R1=404990\r\n24_360_R2=402\r\n"
          "24_360_R3=424300\r\n24_360_R4=2490\r\n24_X_Correct_Gain=1\r\n24_X_R1=406810\r\n"
          "24_X_R2=475\r\n24_X_R3=402000\r\n24_X_R4=2800\r\n24_X_Energy=200\r\n24_X_Enabled=0\r\n"
          "[PACE]\r\nPaceDuration=60\r\nSimultaneousTests=4\r\nZAMO24ContinueWithoutRoll=0\r\n"
          "ZAMO24PaceRollAckDelay=60\r\n"
          "[ZAMO-SG]\r\nEnabled=0\r\nDelay=10\r\n"
          "[Diagnostics]\r\nEnabled=0\r\nDelay=1000\r\n"
          "[Font]\r\nSize=8\r\n"
          "[Limits]\r\nDCO=100\r\nACZ=3000\r\nSDRDCO=100\r\nSDRSlope=1\r\nNOISE=150\r\nBIAS=100\r\n"
          "Zamo80DCO=100\r\nZamo80ACZ=3000\r\nZamo80ACZ30=5\r\nZamo80ACLG=3\r\nZamo80DEFR4=400\r\n"
          "Zamo80DEFR60=300\r\nZamo80NOISE=100\r\n"
          "[Warnings]\r\nDCO=100\r\nACZ=2000\r\nSDRDCO=100\r\nSDRSlope=1\r\nNOISE=150\r\nBIAS=100\r\n"
          "Zamo80DCO=100\r\nZamo80ACZ=2000\r\nZamo80ACZ30=4\r\nZamo80ACLG=2\r\nZamo80DEFR4=400\r\n"
          "Zamo80DEFR60=300\r\nZamo80NOISE=100\r\n"
          "[Electrodes]\r\nDefault=A1-P2\r\n";
    EXPECT_EQ(readAll(settings.paths.settingsFile), expected);
}

TEST_F(StartUpTest, DataFolderIsCreatedWhenTheDataHomeItselfIsMissing)
{
    qputenv("XDG_DATA_HOME", (home.path() + "/new/share").toLocal8Bit());
    EXPECT_EQ(config::getAppDataFolder(), home.path() + "/new/share/KIVO_ZAMO");
    EXPECT_TRUE(QDir(home.path() + "/new/share/KIVO_ZAMO").exists());
}

TEST_F(StartUpTest, DatabaseFolderGetsOneSlash)
{
    for (const QString& folder : {QString("/srv/db"), QString("/srv/db/")}) {
        settings.paths.placeDatabase(folder);
        EXPECT_EQ(settings.paths.databaseFile, "/srv/db/ZAMO_Results.mdb");
        EXPECT_EQ(settings.paths.archiveFolder, "/srv/db/Archive/");
    }
}

} // namespace
