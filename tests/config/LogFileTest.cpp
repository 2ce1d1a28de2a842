#include "config/IniKeys.h"
#include "config/Log.h"
#include "platform/Clock.h"
#include "support/InstalledLog.h"
#include "support/TempDataHome.h"
#include "support/TinyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

class LogFileTest : public ::testing::Test {
protected:
    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;

    void TearDown() override { platform::Clock::useRealTime(); }
    QString logFolder() const { return home.stationFolder() + "/Log"; }
};

TEST_F(LogFileTest, FirstStartCreatesFoldersAndInitialLine)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    stationLog.start();

    EXPECT_TRUE(QFileInfo(home.stationFolder()).isDir());
    EXPECT_EQ(stationLog.path(), logFolder() + "/20260304-050607.log");
    EXPECT_EQ(readFile(stationLog.path()), "2026-03-04 05:06:07 - Log File Initialized\r\n");

    config::writeLog("second");
    EXPECT_EQ(readFile(stationLog.path()),
              "2026-03-04 05:06:07 - Log File Initialized\r\n2026-03-04 05:06:07 - second\r\n");

    // A second start within the same second empties the file.
    stationLog.start();
    EXPECT_EQ(readFile(stationLog.path()), "2026-03-04 05:06:07 - Log File Initialized\r\n");
}

TEST_F(LogFileTest, KeepsFilesOf30CalendarDaysAndDeletesOlderWhateverTheExtension)
{
    config::ensureFolder(config::getLogFolder());
    touch(logFolder() + "/old.log");
    touch(logFolder() + "/notes.txt");
    QFile::setPermissions(logFolder() + "/notes.txt", QFile::ReadOwner);
    const QDate created = QDate::currentDate();

    platform::Clock::useVirtualTime(QDateTime(created.addDays(30), QTime(23, 59, 59)));
    stationLog.start();
    EXPECT_TRUE(QFile::exists(logFolder() + "/old.log"));
    EXPECT_TRUE(QFile::exists(logFolder() + "/notes.txt"));

    platform::Clock::useVirtualTime(QDateTime(created.addDays(31), QTime(0, 0, 1)));
    stationLog.start();
    EXPECT_FALSE(QFile::exists(logFolder() + "/old.log"));
    EXPECT_FALSE(QFile::exists(logFolder() + "/notes.txt"));
    EXPECT_TRUE(QFile::exists(stationLog.path()));
}

TEST_F(LogFileTest, UndeletableOldFileIsSkippedAndTheNewLogStillStarts)
{
    config::ensureFolder(config::getLogFolder());
    touch(logFolder() + "/locked.log");
    touch(logFolder() + "/old.log");
    stationLog.setFileRemover([](const QString& path) { return !path.endsWith("locked.log") && QFile::remove(path); });
    platform::Clock::useVirtualTime(QDateTime(QDate::currentDate().addDays(40), QTime(8, 0)));
    stationLog.start();

    EXPECT_FALSE(QFile::exists(logFolder() + "/old.log"));
    EXPECT_TRUE(QFile::exists(logFolder() + "/locked.log"));
    const QByteArray log = readFile(stationLog.path());
    EXPECT_TRUE(log.startsWith(QByteArray(" - Log File Initialized\r\n")
                                   .prepend(platform::Clock::now().toString("yyyy-MM-dd HH:mm:ss").toUtf8())));
    EXPECT_TRUE(log.contains("Unable to delete old log file " + logFolder().toUtf8() + "/locked.log"));
}

TEST_F(LogFileTest, EchoReachesStatusWindowOnlyWhenOpenAndDiagnosticLogOn)
{
    QStringList echoed;
    config::ProgramSwitches switches;
    config::setStatusWindowEcho([&](const QString& line) { echoed << line; }, &switches);
    stationLog.start();

    struct Case {
        bool open;
        bool diagnostic;
        bool echoes;
    };
    for (Case c : {Case{false, true, false}, Case{true, false, false}, Case{true, true, true}}) {
        echoed.clear();
        switches.statusWindowOpen = c.open;
        switches.diagnosticLog = c.diagnostic;
        config::writeLog("hello");
        EXPECT_EQ(echoed.size(), c.echoes ? 1 : 0);
        EXPECT_TRUE(readFile(stationLog.path()).endsWith(" - hello\r\n"));
    }
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d - hello$)").match(echoed.value(0)).hasMatch());
}

TEST_F(LogFileTest, LinesBeforeTheLogStartsGoNowhereAndAMissingFileIsNotCreated)
{
    config::writeLog("early"); // no crash, no file
    stationLog.setPath(logFolder() + "/gone.log");
    config::writeLog("lost");
    EXPECT_FALSE(QFile::exists(stationLog.path()));
}

// The file stays open between lines; each line lands in the file the log
// names at the time, and a batch's lines land together, in order, when it ends.
TEST_F(LogFileTest, EachLineGoesToTheFileNamedAtItsTimeAndABatchsLinesGoTogether)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    stationLog.start();
    const QString first = stationLog.path();
    const QString second = logFolder() + "/second.log";
    touch(second);
    const QByteArray stamp = "2026-03-04 05:06:07 - ";

    config::writeLog("one");
    stationLog.setPath(second);
    config::writeLog("two");
    stationLog.setPath(first);
    {
        const config::LogBatch batch;
        config::writeLog("three");
        {
            const config::LogBatch inner;
            config::writeLog("four");
        }
        EXPECT_FALSE(readFile(first).contains("three"));
        stationLog.setPath(second); // the batch's lines so far stay with the file they were written for
        config::writeLog("five");
        EXPECT_FALSE(readFile(second).contains("five"));
    }
    EXPECT_EQ(readFile(first),
              stamp + "Log File Initialized\r\n" + stamp + "one\r\n" + stamp + "three\r\n" + stamp + "four\r\n");
    EXPECT_EQ(readFile(second), stamp + "two\r\n" + stamp + "five\r\n");
}

// A line that finds the disk full is lost; the next one after room is made
// is written, to the same file.
TEST_F(LogFileTest, LinesResumeAfterTheDiskWasFull)
{
    const QString mountPoint = home.stationFolder() + "/disk";
    QDir().mkpath(mountPoint);
    testsupport::TinyFileSystem disk(mountPoint, 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot().toStdString();
    stationLog.setPath(mountPoint + "/station.log");
    touch(stationLog.path());

    config::writeLog("before");
    disk.fill();
    config::writeLog(QString(8192, 'x'));
    disk.unfill();
    config::writeLog("after");

    const QByteArray log = readFile(stationLog.path());
    EXPECT_TRUE(log.contains(" - before\r\n"));
    EXPECT_FALSE(log.contains("xxxxxxxx\r\n"));
    EXPECT_TRUE(log.endsWith(" - after\r\n"));
    stationLog.setPath(QString());
    config::writeLog("lets the file go"); // before the disk goes
}

TEST_F(LogFileTest, IniAccessIsLoggedWithThePasswordMasked)
{
    stationLog.start();
    const QString ini = home.stationFolder() + "/settings.ini";
    config::iniWrite("Database", "SQLPassword", "s3cret", ini);
    EXPECT_EQ(config::iniRead("database", "sqlpassword", ini), "s3cret");
    config::iniWrite("Timers", "Polling", "150", ini);
    EXPECT_EQ(config::iniRead("Timers", "Missing", ini), "");

    const QByteArray log = readFile(stationLog.path());
    EXPECT_FALSE(log.contains("s3cret"));
    EXPECT_TRUE(log.contains("INIWrite: Database, SQLPassword, ********, " + ini.toUtf8()));
    EXPECT_TRUE(log.contains("INIRead: database, sqlpassword, ********, " + ini.toUtf8()));
    EXPECT_TRUE(log.contains("INIWrite: Timers, Polling, 150, " + ini.toUtf8()));
    EXPECT_TRUE(log.contains("INIRead: Timers, Missing, , " + ini.toUtf8()));
    EXPECT_EQ(readFile(ini), "[Database]\r\nSQLPassword=s3cret\r\n[Timers]\r\nPolling=150\r\n");
}

// The lines go to the log installed last, for as long as it lives: a log
// that is not installed takes none, and one that goes takes the sink with
// it; with none installed, lines and batches go nowhere.
TEST_F(LogFileTest, LinesGoToTheInstalledLogWhileItLives)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    stationLog.start();
    const QString second = logFolder() + "/second.log";
    touch(second);
    const QByteArray stamp = "2026-03-04 05:06:07 - ";
    {
        config::StationLog bystander;
        bystander.setPath(second);
        config::writeLog("one");
    }
    config::writeLog("two");
    {
        testsupport::InstalledLog other;
        other.setPath(second);
        config::writeLog("three");
    }
    config::writeLog("four");
    {
        const config::LogBatch batch;
        config::writeLog("five");
    }
    EXPECT_EQ(readFile(stationLog.path()), stamp + "Log File Initialized\r\n" + stamp + "one\r\n" + stamp + "two\r\n");
    EXPECT_EQ(readFile(second), stamp + "three\r\n");
}

TEST_F(LogFileTest, NamesOfComputerAndUserAreKnown)
{
    EXPECT_FALSE(config::getComputerNameString().isEmpty());
    EXPECT_FALSE(config::getUserNameString().isEmpty());
}

} // namespace
