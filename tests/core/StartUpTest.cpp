#include "core/Globals.h"
#include "core/StartUp.h"
#include "core/StationWindows.h"
#include "core/modINIReadWrite.h"
#include "core/modMain.h"
#include "platform/Clock.h"
#include "platform/ScriptedPrompts.h"
#include "results/modDatabase.h"
#include "support/QtPrinters.h"
#include "support/TempDataHome.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(StartUpTest, FirstStartOnAnEmptyDataHomeBuildsTheDataFolder)
{
    testsupport::TempDataHome home;
    platform::ScriptedPrompts::installNew();
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 1), QTime(9, 8, 7)));
    ASSERT_TRUE(modMain::Main());
    platform::Clock::useRealTime();
    const QString folder = home.stationFolder();

    EXPECT_FALSE(Globals::StartingUp);
    EXPECT_EQ(QDir(folder + "/Log").entryList(QDir::Files), QStringList{"20261201-090807.log"});
    EXPECT_TRUE(readAll(modMain::LogFilePath)
                    .startsWith("2026-12-01 09:08:07 - Log File Initialized\r\n"));

    EXPECT_EQ(Globals::SettingsFilePath, folder + "/settings.ini");
    EXPECT_EQ(Globals::DatabaseFilePath, folder + "/ZAMO_Results.mdb");
    EXPECT_EQ(Globals::ArchiveFolder, folder + "/Archive/");
    EXPECT_EQ(Globals::Standard80SequenceFilePath, folder + "/standard80.tsq");

    const QByteArray ini = readAll(Globals::SettingsFilePath);
    QStringList sections;
    for (const auto& m : QRegularExpression(R"(^\[(.*)\]\r$)", QRegularExpression::MultilineOption)
                             .globalMatch(QString::fromUtf8(ini)))
        sections << m.captured(1);
    EXPECT_EQ(sections, (QStringList{"Timers", "Zamo80Delays", "Reports", "Database", "KeepAlive",
                                     "ACLG", "PACE", "ZAMO-SG", "Diagnostics", "Font", "Limits",
                                     "Warnings", "Electrodes"}));
    EXPECT_TRUE(ini.contains("[ZAMO-SG]\r\nEnabled=0\r\nDelay=10\r\n"));
    EXPECT_TRUE(ini.contains("[Diagnostics]\r\nEnabled=0\r\nDelay=1000\r\n"));
    EXPECT_TRUE(ini.contains("MaxRecords=100000\r\nUseLocalDatabase=1\r\nLocalDatabaseFolder="
                             + folder.toUtf8() + "\r\nSQLServerHost=\r\nSQLServerInstance=\r\n"
                             "SQLServerDatabaseName=ZAMO_Results\r\nSQLUsername=\r\nSQLPassword=\r\n"));
    EXPECT_TRUE(ini.contains("[Limits]\r\nDCO=100\r\nACZ=3000\r\n"));
    EXPECT_TRUE(ini.contains("Zamo80DEFR60=300\r\nZamo80NOISE=100\r\n"));
    modDatabase::CloseDatabase();
    StationWindows::DestroyAll();
    modMain::LogFilePath.clear();
}

TEST(StartUpTest, DataFolderIsCreatedWhenTheDataHomeItselfIsMissing)
{
    testsupport::TempDataHome home;
    qputenv("XDG_DATA_HOME", (home.path() + "/new/share").toLocal8Bit());
    EXPECT_EQ(modMain::GetAppDataFolder(), home.path() + "/new/share/KIVO_ZAMO");
    EXPECT_TRUE(QDir(home.path() + "/new/share/KIVO_ZAMO").exists());
}

TEST(StartUpTest, DatabaseFolderGetsOneSlash)
{
    for (const QString& folder : {QString("/srv/db"), QString("/srv/db/")}) {
        Globals::LocalDatabaseFolder = folder;
        modMain::BuildDatabasePaths();
        EXPECT_EQ(Globals::DatabaseFilePath, "/srv/db/ZAMO_Results.mdb");
        EXPECT_EQ(Globals::ArchiveFolder, "/srv/db/Archive/");
    }
}

} // namespace
