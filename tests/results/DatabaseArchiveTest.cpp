// The backup and the archive of the database file: their names from the
// clock, the copy with its bar, the new live file that lists every archive
// and goes on with the group numbers, and never a lost result when a step
// fails.

#include "platform/Clock.h"
#include "platform/DbConnection.h"
#include "platform/WholeFile.h"
#include "results/ArchiveRecords.h"
#include "results/DatabaseArchive.h"
#include "results/ResultsSchema.h"
#include "results/TestGroupWriter.h"
#include "support/RecordingUpkeepObserver.h"
#include "support/TinyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using platform::DbConnection;
using platform::WholeFile;
using results::DatabaseArchive;
using testsupport::RecordingUpkeepObserver;

namespace {

const QDateTime kMoment(QDate(2024, 1, 15), QTime(23, 5, 9));
const QDateTime kFirstArchived(QDate(2023, 2, 1), QTime(7, 30, 0));
const QDateTime kSecondArchived(QDate(2023, 9, 12), QTime(16, 2, 45));

TEST(UpkeepFileNames, AreMadeFromTheMomentWithTheHourOfTheWholeDay)
{
    EXPECT_EQ(results::archiveFileName(kMoment), "ZAMO_Results-20240115-230509.mdb");
    EXPECT_EQ(results::backupFileName(kMoment), "Backup-ZAMO_Results-20240115-230509.mdb");
    EXPECT_EQ(results::archiveFileName(QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7))),
              "ZAMO_Results-20250304-050607.mdb");
}

class DatabaseFiles : public ::testing::Test {
protected:
    QTemporaryDir home;
    QString folder = home.filePath("KIVO_ZAMO");
    QString live = folder + "/ZAMO_Results.mdb";
    QString archiveFolder = folder + "/Archive/";
    RecordingUpkeepObserver observer;
    results::DatabaseArchive files{live, archiveFolder, observer};

    void SetUp() override
    {
        platform::Clock::useVirtualTime(kMoment);
        QDir().mkpath(folder);
    }
    void TearDown() override { platform::Clock::useRealTime(); }

    // A live file at the current revision with two earlier archives, the
    // groups numbered first..last and the counter at counter.
    void makeLiveFile(int first, int last, int counter)
    {
        platform::DbConnection db;
        db.createFile(live);
        results::ResultsSchema::create(db, results::ResultsSchema::CurrentRevision);
        db.transaction();
        results::addArchiveRecord(db, 1, 50, "ZAMO_Results-20230201-073000.mdb", kFirstArchived);
        results::addArchiveRecord(db, 51, 100, "ZAMO_Results-20230912-160245.mdb", kSecondArchived);
        for (int unique = first; unique > 0 && unique <= last; ++unique)
            db.execute(QString("INSERT INTO TestGroups (UniqueGroupID, LotNumber) VALUES (%1, 'LOT %1')").arg(unique));
        results::setLastUniqueGroupId(db, counter);
        db.commit();
    }
    // A live file of some 2.5 MB: a copy of it goes in three chunks.
    void makeLargeLiveFile()
    {
        makeLiveFile(101, 250, 250);
        platform::DbConnection db;
        db.openFile(live, false);
        db.execute("UPDATE TestGroups SET Notes = ? WHERE UniqueGroupID = 101",
                   {{"Notes", platform::DbType::LongVarChar, -1, QString(2500000, 'n')}});
    }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList archiveFiles() const { return QDir(archiveFolder).entryList(QDir::Files | QDir::Hidden); }
    QStringList liveFolderFiles() const { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(DatabaseFiles, AnArchiveMovesTheFileAwayAndTheNewFileListsEveryArchiveAndGoesOnCounting)
{
    makeLiveFile(101, 250, 250);
    const QByteArray results = bytes(live);

    const results::UpkeepOutcome outcome = files.archive();
    ASSERT_TRUE(outcome.done) << outcome.cause.toStdString();
    const QString archived = archiveFolder + "ZAMO_Results-20240115-230509.mdb";
    EXPECT_EQ(QDir::cleanPath(outcome.file), QDir::cleanPath(archived));
    EXPECT_EQ(bytes(archived), results) << "the archive is the live file itself";
    EXPECT_EQ(observer.values, (QList<int>{30, 60, 90}));
    EXPECT_EQ(observer.logLines, (QStringList{"Archiving database file", "Database file archived to " + outcome.file}));
    EXPECT_EQ(liveFolderFiles(), QStringList{"ZAMO_Results.mdb"});

    platform::DbConnection db;
    db.openFile(live, false);
    EXPECT_EQ(db.execute("SELECT DBRevNumber FROM Version WHERE ID=1").value(0).toInt(),
              results::ResultsSchema::TemplateRevision);
    EXPECT_EQ(db.execute("SELECT COUNT(*) FROM TestGroups").value(0).toInt(), 0);
    EXPECT_EQ(db.execute("SELECT Range, RangeStart, RangeEnd, FileName, ArchiveDate FROM Archive ORDER BY ID")
                  .getString("|", "\n"),
              "1-50|1|50|ZAMO_Results-20230201-073000.mdb|2023-02-01 07:30:00\n"
              "51-100|51|100|ZAMO_Results-20230912-160245.mdb|2023-09-12 16:02:45\n"
              "101-250|101|250|ZAMO_Results-20240115-230509.mdb|2024-01-15 23:05:09\n");
    EXPECT_EQ(results::lastUniqueGroupId(db), 250);
    EXPECT_EQ(results::takeNextUniqueGroupID(db), 251);
}

TEST_F(DatabaseFiles, AnArchiveOfAFileWithoutGroupsKeepsTheCounter)
{
    makeLiveFile(0, 0, 250);
    ASSERT_TRUE(files.archive().done);
    platform::DbConnection db;
    db.openFile(live, false);
    EXPECT_EQ(db.execute("SELECT Range FROM Archive ORDER BY ID DESC").value(0).toString(), "0-0");
    EXPECT_EQ(results::takeNextUniqueGroupID(db), 251);
}

TEST_F(DatabaseFiles, ASecondArchiveInTheSameSecondIsRefusedAndTouchesNothing)
{
    makeLiveFile(101, 250, 250);
    ASSERT_TRUE(files.archive().done);
    const QByteArray archived = bytes(archiveFolder + "ZAMO_Results-20240115-230509.mdb");
    const QByteArray newLive = bytes(live);
    observer.clear();

    const results::UpkeepOutcome again = files.archive();
    EXPECT_FALSE(again.done);
    EXPECT_TRUE(again.cause.contains("ZAMO_Results-20240115-230509.mdb exists already")) << again.cause.toStdString();
    EXPECT_EQ(observer.logLines.last(),
              "Archiving database file failed, the database is left as it was: " + again.cause);
    EXPECT_EQ(bytes(archiveFolder + "ZAMO_Results-20240115-230509.mdb"), archived);
    EXPECT_EQ(bytes(live), newLive);
}

TEST_F(DatabaseFiles, AnArchiveThatFailsAtAnyStepLeavesTheLiveFileAsItWas)
{
    const struct {
        const char* what;
        platform::WholeFile::Step step;
        const char* pathEnd;
        int times;
    } cases[] = {
        {"the live file cannot be moved into the archive folder", platform::WholeFile::Step::Rename, "230509.mdb", -1},
        {"the new file cannot take its place, and the live file is moved back", platform::WholeFile::Step::Rename,
         "/ZAMO_Results.mdb", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(live);
        makeLiveFile(101, 250, 250);
        const QByteArray results = bytes(live);
        observer.clear();
        {
            platform::WholeFile::SimulatedFault fault(c.step, EIO, c.pathEnd, c.times);
            const results::UpkeepOutcome outcome = files.archive();
            EXPECT_FALSE(outcome.done);
            EXPECT_TRUE(outcome.cause.contains(qt_error_string(EIO))) << outcome.cause.toStdString();
        }
        EXPECT_TRUE(
            observer.logLines.last().startsWith("Archiving database file failed, the database is left as it was"));
        EXPECT_EQ(bytes(live), results);
        EXPECT_TRUE(archiveFiles().isEmpty()) << archiveFiles().join(", ").toStdString();
        EXPECT_EQ(liveFolderFiles(), QStringList{"ZAMO_Results.mdb"});
    }
}

TEST_F(DatabaseFiles, AnArchiveRefusesAFileItCannotReadOrCarryOverWhole)
{
    const struct {
        const char* what;
        const char* change;
    } cases[] = {
        {"an earlier archive's row that does not fit the new file",
         "UPDATE Archive SET FileName = "
         "'ZAMO_Results-20230201-073000-copied-from-another-station.mdb' WHERE ID = 1"},
        {"a live file without the counter's row", "DROP TABLE Globals"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(live);
        makeLiveFile(101, 250, 250);
        {
            platform::DbConnection db;
            db.openFile(live, false);
            db.execute(c.change);
        }
        const QByteArray results = bytes(live);
        EXPECT_FALSE(files.archive().done);
        EXPECT_EQ(bytes(live), results);
        EXPECT_TRUE(archiveFiles().isEmpty());
        EXPECT_EQ(liveFolderFiles(), QStringList{"ZAMO_Results.mdb"});
    }
    QFile::remove(live);
    EXPECT_FALSE(files.archive().done);
    EXPECT_TRUE(observer.logLines.last().contains("does not exist")) << observer.logLines.last().toStdString();
}

TEST_F(DatabaseFiles, ABackupCopiesTheFileIntoTheArchiveFolderAsTheBarFollows)
{
    makeLargeLiveFile();
    const QByteArray results = bytes(live);
    const results::UpkeepOutcome outcome = files.backup();
    ASSERT_TRUE(outcome.done) << outcome.cause.toStdString();
    EXPECT_EQ(QDir::cleanPath(outcome.file),
              QDir::cleanPath(archiveFolder + "Backup-ZAMO_Results-20240115-230509.mdb"));
    EXPECT_EQ(bytes(outcome.file), results);
    EXPECT_EQ(bytes(live), results);
    QList<int> values = {0};
    for (qint64 copied = 1 << 20; copied < results.size(); copied += 1 << 20)
        values << int(copied * 100 / results.size());
    values << 100;
    EXPECT_EQ(observer.values, values);
    EXPECT_EQ(observer.turns, values.size());
    EXPECT_EQ(observer.logLines, QStringList{"Database file backed up to " + outcome.file});
}

TEST_F(DatabaseFiles, ABackupThatFailsLeavesNoFileAndSaysWhy)
{
    makeLiveFile(101, 250, 250);
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        const results::UpkeepOutcome outcome = files.backup();
        EXPECT_FALSE(outcome.done);
        EXPECT_TRUE(outcome.cause.contains(qt_error_string(ENOSPC))) << outcome.cause.toStdString();
        EXPECT_EQ(observer.logLines.last(), "Backing-up database file failed: " + outcome.cause);
    }
    EXPECT_TRUE(archiveFiles().isEmpty());
}

// Asked to stop at a turn of the message loop (the station is being ended),
// part-way through the copy or at its last turn, the backup leaves no file.
TEST_F(DatabaseFiles, ABackupAskedToStopAtAnyTurnLeavesNoFile)
{
    makeLargeLiveFile();
    const QByteArray results = bytes(live);
    for (int stopAt : {2, 4}) { // the file takes four turns: 0, 1 MB, 2 MB, all
        SCOPED_TRACE(stopAt);
        observer.clear();
        observer.stop = false;
        observer.whileEventsRun = [&] { observer.stop = observer.turns == stopAt; };
        const results::UpkeepOutcome outcome = files.backup();
        EXPECT_FALSE(outcome.done);
        EXPECT_EQ(observer.turns, stopAt);
        EXPECT_EQ(observer.logLines, QStringList{"Backing-up database file stopped; no backup file is left"});
        EXPECT_TRUE(archiveFiles().isEmpty()) << archiveFiles().join(", ").toStdString();
        EXPECT_EQ(bytes(live), results);
    }
}

// The archive folder on a disk of its own that is full: the file cannot go
// there, by backup or archive, and stays whole where it is.
TEST_F(DatabaseFiles, AFullArchiveDiskLosesNothing)
{
    QDir().mkpath(archiveFolder);
    testsupport::TinyFileSystem small(archiveFolder, 1 << 20);
    if (!small.mounted())
        GTEST_SKIP() << small.whyNot().toStdString();
    makeLiveFile(101, 250, 250);
    const QByteArray results = bytes(live);
    small.fill();
    EXPECT_FALSE(files.backup().done);
    EXPECT_FALSE(files.archive().done);
    EXPECT_EQ(bytes(live), results);
    EXPECT_EQ(liveFolderFiles(), QStringList{"ZAMO_Results.mdb"});
    small.unfill();
    EXPECT_TRUE(archiveFiles().isEmpty()) << archiveFiles().join(", ").toStdString();
    EXPECT_TRUE(files.archive().done) << "with room again";
}

} // namespace
