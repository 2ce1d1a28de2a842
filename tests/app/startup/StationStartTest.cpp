#include "StationStartFixture.h"

namespace {

class StationStartTest : public StationStartFixture {};

TEST_F(StationStartTest, FirstStartWritesEveryFileAndLogsInOrder)
{
    ASSERT_TRUE(start());
    EXPECT_FALSE(settings.switches.startingUp);

    const QByteArray ini = readAll(folder + "/settings.ini");
    EXPECT_EQ(sectionsOf(ini),
              (QStringList{"Timers", "Zamo80Delays", "Reports", "Database", "KeepAlive", "ACLG", "PACE", "ZAMO-SG",
                           "Diagnostics", "Font", "Limits", "Warnings", "Electrodes"}));
    EXPECT_TRUE(ini.contains("[Font]\r\nSize=8\r\n"));
    EXPECT_TRUE(ini.endsWith("[Electrodes]\r\nDefault=A1-P2\r\n"));

    EXPECT_EQ(readAll(folder + "/standard.tsq"), "1.0\r\nDCO,A1-P2,1\r\nACZ,A1-P2,1\r\nSDR,A1-P2,4\r\nACZ,A1-P2,1\r\n");
    EXPECT_EQ(readAll(folder + "/standard80.tsq"),
              "2.0\r\nPACE1,A1-P2,60,0,0\r\nACLG,A1-P2,2\r\nDEFR,A1-P2,1\r\nNOISE,A1-P2,1\r\nACZ,A1-P2,1\r\n"
              "ACZ30,A1-P2,1\r\nDCO,A1-P2,1\r\n");
    EXPECT_EQ(station.testLists.standard.size(), 4);
    EXPECT_EQ(station.testLists.standard80.size(), 7);

    const int resources[] = {202, 251, 252, 1202, 1251, 1252};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(readAll(folder + "/" + TemplateFiles[i]), readAll(QString(":/RPT/%1").arg(resources[i])))
            << TemplateFiles[i].toStdString();
    EXPECT_TRUE(QFile::exists(folder + "/ZAMO_Results.mdb"));

    const QStringList log = logMessages();
    QStringList milestones;
    for (const QString& m : log)
        if (m == "Log File Initialized" || m == "Build default INI file" || m == "Extracting report files"
            || m == "Build default TSQ file" || m.startsWith("INIWrite: Font, Size"))
            milestones << m.section(',', 0, 1);
    EXPECT_EQ(milestones, (QStringList{"Log File Initialized", "Build default INI file", "INIWrite: Font, Size",
                                       "Extracting report files", "Build default TSQ file"}));
    EXPECT_TRUE(prompts->messages().isEmpty()) << prompts->messages().join(" | ").toStdString();

    // The windows stand as the operator sees them.
    ui::MainFrame* frame = station.windows.frame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(station.windows.statusWindow()->isVisible());
    EXPECT_TRUE(station.windows.background()->isVisible());
    EXPECT_TRUE(settings.switches.statusWindowOpen);

    // The frame's idle timer closes the database a minute after its last use.
    EXPECT_EQ(&station.database.idleClock(), frame->dbConnTimeoutTimer);
    EXPECT_NE(station.database.sharedConnection(), nullptr);
    platform::Clock::advance(60000);
    EXPECT_EQ(station.database.sharedConnection(), nullptr);
    EXPECT_EQ(logMessages().last(), "Database connection closed");
}

TEST_F(StationStartTest, SecondStartRewritesTemplatesAndKeepsTheTestLists)
{
    ASSERT_TRUE(start());
    station.database.closeDatabase();
    markDatabase();
    QFile::remove(folder + "/CondensedElectrodeTestReport.rpt");
    {
        QFile changed(folder + "/ElectrodeTestReport.rpt");
        ASSERT_TRUE(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
        changed.write("edited");
        changed.setPermissions(QFileDevice::ReadOwner);
    }
    const QByteArray ownList = "1.0\r\nACZ,A1-D1,2\r\n";
    {
        QFile tsq(folder + "/standard.tsq");
        ASSERT_TRUE(tsq.open(QIODevice::WriteOnly | QIODevice::Truncate));
        tsq.write(ownList);
    }
    config::iniWrite("Diagnostics", "Enabled", "1", folder + "/settings.ini");

    ASSERT_TRUE(start());
    EXPECT_TRUE(logMessages().contains("Load default application settings"));
    EXPECT_FALSE(logMessages().contains("Build default TSQ file"));
    EXPECT_EQ(readAll(folder + "/ElectrodeTestReport.rpt"), readAll(":/RPT/201"));
    EXPECT_EQ(readAll(folder + "/sqlElectrodeTestReport.rpt"), readAll(":/RPT/1201"));
    EXPECT_EQ(readAll(folder + "/CondensedElectrodeTestReport.rpt"), readAll(":/RPT/251"));
    EXPECT_EQ(readAll(folder + "/standard.tsq"), ownList);
    EXPECT_EQ(station.testLists.standard.size(), 1);
    EXPECT_TRUE(databaseIsMarked()) << "the database made at the first start is kept";
    EXPECT_TRUE(prompts->messages().isEmpty()) << prompts->messages().join(" | ").toStdString();
}

TEST_F(StationStartTest, DefaultListsFollowTheDefaultSelectionAndAForeignFileIsKept)
{
    QDir().mkpath(folder);
    config::iniWrite("Electrodes", "Default", "None", folder + "/settings.ini");
    const QByteArray foreign = "2.0\r\nACZ,A1-P2,1\r\n"; // not a base-model list
    {
        QFile tsq(folder + "/standard.tsq");
        ASSERT_TRUE(tsq.open(QIODevice::WriteOnly));
        tsq.write(foreign);
    }
    ASSERT_TRUE(start());
    EXPECT_EQ(readAll(folder + "/standard.tsq"), foreign);
    EXPECT_TRUE(station.testLists.standard.isEmpty());
    EXPECT_TRUE(readAll(folder + "/standard80.tsq").startsWith("2.0\r\nPACE1,None,60,0,0\r\nACLG,None,2\r\n"));
}

TEST_F(StationStartTest, AnUnusableDatabaseEndsTheProgramBeforeAnyFileIsWritten)
{
    QDir().mkpath(folder);
    QFile blocker(home.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    config::iniWrite("Database", "LocalDatabaseFolder", home.path() + "/blocked/db", folder + "/settings.ini");

    // The operator declines the default folder.
    prompts->messageAnswers = {platform::MsgResult::Cancel};
    EXPECT_FALSE(start());
    EXPECT_TRUE(platform::ProgramEnd::requested());
    EXPECT_EQ(prompts->messages().last(),
              "Unable to access database file.  Possible corruption, folder access, or permissions issue.\r\n\r\n"
              "Click OK to revert to the default application data folder, or CANCEL to terminate the application "
              "and check the database file:\r\n   "
                  + home.path() + "/blocked/db/ZAMO_Results.mdb");
    EXPECT_EQ(prompts->shown.last().title, "Database Error");
    EXPECT_EQ(logMessages().last(), "Application Terminated");
    for (const QString& file : TemplateFiles)
        EXPECT_FALSE(QFile::exists(folder + "/" + file)) << file.toStdString();
    EXPECT_FALSE(QFile::exists(folder + "/standard.tsq"));
    EXPECT_FALSE(QFile::exists(folder + "/standard80.tsq"));
}

} // namespace
