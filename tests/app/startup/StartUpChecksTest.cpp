// What a start makes of files in the data folder that hold what makes no
// sense: a standard list with lines that are no step lines, settings that
// no bench could mean; and the mode of the settings file that holds the
// server password.
#include "StationStartFixture.h"

#include <QFile>

namespace {

using StartUpChecksTest = StationStartFixture;

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST_F(StartUpChecksTest, AStandardListWithLinesNotUnderstoodKeepsItsStepsAndTheOperatorIsToldWhichLines)
{
    const QString list = folder + "/standard.tsq";
    put(list, "1.0\r\nXYZ,,,\r\nACZ,A1-P2,1\r\nACZ,A1-P2,abc\r\n\x01\x02\r\nDCO,A1-P2,1\r\n");
    ASSERT_TRUE(start());
    QStringList lines;
    for (const auto& step : station.testLists.standard)
        lines << step->testString();
    EXPECT_EQ(lines, (QStringList{"ACZ,A1-P2,1", "DCO,A1-P2,1"}));
    EXPECT_EQ(prompts->messages(),
              QStringList{"These lines of the test sequence file " + list
                          + " are not understood and left out of the list:\r\n\r\nLine 2: XYZ,,,\r\n"
                            "Line 4: ACZ,A1-P2,abc\r\nLine 5: <01><02>"});
    EXPECT_TRUE(logMessages().contains("Test sequence file " + list + ", line 2 not understood: XYZ,,,"));
    EXPECT_TRUE(station.testLists.standard80.size() > 0) << "the other list is as written";
}

TEST_F(StartUpChecksTest, SettingsThatMakeNoSenseAreLoggedAndTheDefaultsRun)
{
    put(folder + "/settings.ini", "[PACE]\r\nSimultaneousTests=-3\r\nPaceDuration=-60\r\n"
                                  "[Zamo80Delays]\r\nReconnectDelay=-7000\r\n"
                                  "[ACLG]\r\nCorrect_Gain=1e308\r\n"
                                  "[Database]\r\nUseLocalDatabase=2\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(settings.pace.simultaneousTests, 4);
    EXPECT_EQ(settings.pace.paceDuration, 60);
    EXPECT_EQ(settings.zamo80Delays.reconnectDelay, 7000);
    EXPECT_EQ(settings.aclg.correctGain, 0.92);
    EXPECT_TRUE(settings.database.useLocalDatabase);
    const QStringList log = logMessages();
    for (const char* line : {"Settings value [PACE] SimultaneousTests = \"-3\" is not valid, 4 is used",
                             "Settings value [PACE] PaceDuration = \"-60\" is not valid, 60 is used",
                             "Settings value [Zamo80Delays] ReconnectDelay = \"-7000\" is not valid, 7000 is used",
                             "Settings value [ACLG] Correct_Gain = \"1e308\" is not valid, 0.92 is used",
                             "Settings value [Database] UseLocalDatabase = \"2\" is not valid, 1 is used"})
        EXPECT_TRUE(log.contains(line)) << line;
    // The standard ZAMO80 list that this start wrote has the default pace.
    EXPECT_TRUE(readAll(folder + "/standard80.tsq").startsWith("2.0\r\nPACE1,A1-P2,60,0,0\r\n"));
}

TEST_F(StartUpChecksTest, TheStationsOwnSettingsFileIsTheOwnersAloneAndAnotherKeepsItsMode)
{
    const QString ini = folder + "/settings.ini";
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    ASSERT_TRUE(start()); // creates it, then writes back what its readers fill in
    EXPECT_EQ(QFile::permissions(ini), owner);

    put(ini, "[Database]\r\nSQLPassword=secret\r\n");
    const QFile::Permissions shared = owner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(ini, shared));
    ASSERT_TRUE(start());
    EXPECT_EQ(config::iniRead("PACE", "PaceDuration", ini), "60") << "the start filled the file in";
    EXPECT_EQ(QFile::permissions(ini), shared);
}

} // namespace
