// The database checks of start-up on real files and a real server: a new
// file, the backup before an upgrade, the replacement of a file the station
// cannot use (its copy kept), the fall-back to the default folder, and the
// server's revision check with its update offer; with the exact texts of
// their message boxes and log lines.

#include "platform/Clock.h"
#include "platform/DbError.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "platform/WholeFile.h"
#include "results/DatabaseStartupCheck.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsSchema.h"
#include "support/OldRevisionDatabase.h"
#include "support/PgTestDatabase.h"
#include "support/RecordingUpkeepObserver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <optional>

using platform::DbConnection;
using platform::MsgResult;
using results::LocalDatabasePaths;
using testsupport::RecordingUpkeepObserver;

namespace {

// The station's side of the checks: the shared connection on the paths in
// force (or on a server), the windows recorded, the copy made by the real backup.
class StationSide : public results::DatabaseStartupHost {
public:
    results::LocalDatabasePaths paths;
    std::optional<platform::DbServerAddress> server;
    std::unique_ptr<platform::DbConnection> connection;
    QStringList logLines;
    QStringList calls; // "windows", "folder <f>", "options", "end"
    RecordingUpkeepObserver upgrades;
    RecordingUpkeepObserver backups;

    void showMainWindows() override { calls << "windows"; }
    platform::DbConnection* openDatabase() override
    {
        if (connection && connection->isOpen())
            return connection.get();
        try {
            connection = std::make_unique<platform::DbConnection>();
            if (server)
                connection->openServer(*server);
            else
                connection->openFile(paths.databaseFile, false);
            return connection.get();
        } catch (const platform::DbError&) {
            connection.reset();
            return nullptr;
        }
    }
    void closeDatabase() override { connection.reset(); }
    int databaseRevision(const QString& path) override
    {
        try {
            platform::DbConnection own;
            platform::DbConnection* db = &own;
            if (path.isEmpty())
                db = openDatabase();
            else
                own.openFile(path, true);
            return db ? db->execute("SELECT DBRevNumber FROM Version WHERE ID = 1").value(0).toInt() : 0;
        } catch (const platform::DbError&) {
            return 0;
        }
    }
    bool writeEmptyDatabase(const QString& path, QString* why) override
    {
        return !results::buildEmptyDatabase(path, why).isEmpty();
    }
    results::UpkeepOutcome backUp(const results::LocalDatabasePaths& p) override
    {
        return results::DatabaseArchive(p.databaseFile, p.archiveFolder, backups).backup();
    }
    results::SchemaUpgradeObserver& upgradeWindow() override { return upgrades; }
    void useDatabaseFolder(const results::LocalDatabasePaths& p) override
    {
        paths = p;
        calls << "folder " + p.folder;
    }
    void showDatabaseOptions() override { calls << "options"; }
    void endProgram() override { calls << "end"; }
    void log(const QString& line) override { logLines << line; }

    bool isOpen() const { return connection && connection->isOpen(); }
};

class StartupCheck : public ::testing::Test {
protected:
    QTemporaryDir home;
    QString defaultFolder = home.filePath("KIVO_ZAMO");
    StationSide station;
    platform::ScriptedPrompts prompts;
    results::DatabaseStartupCheck check{station, prompts, defaultFolder};

    void SetUp() override
    {
        platform::Clock::useVirtualTime(QDateTime(QDate(2024, 1, 15), QTime(23, 5, 9)));
        QDir().mkpath(defaultFolder);
        station.paths = results::LocalDatabasePaths::inFolder(defaultFolder);
    }
    void TearDown() override
    {
        platform::ProgramEnd::withdraw();
        platform::Clock::useRealTime();
    }

    // One start of the station: the check, then the connection closed as the
    // station closes it at its end; the next start a second later.
    void start(bool isRetry = false)
    {
        check.checkLocal(station.paths, true, isRetry);
        wasOpen = station.isOpen();
        station.closeDatabase();
        platform::Clock::advance(1000);
    }
    void makeOldFile(int revision, const QString& change = QString(), bool legacyDemoColumn = false)
    {
        platform::DbConnection db;
        db.createFile(station.paths.databaseFile);
        testsupport::buildOldRevisionDatabase(db, revision, {20}, legacyDemoColumn);
        if (!change.isEmpty())
            db.execute(change);
    }
    int revision() { return station.databaseRevision(station.paths.databaseFile); }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList backupFiles() const { return QDir(station.paths.archiveFolder).entryList(QDir::Files | QDir::Hidden); }

    bool wasOpen = false;
};

TEST_F(StartupCheck, AMissingFileIsMadeNewTheNextStartBacksItUpOnceAndRaisesIt)
{
    start();
    EXPECT_EQ(station.calls, QStringList{"windows"});
    EXPECT_EQ(station.logLines, QStringList{"Creating new default database file"});
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(revision(), 14);
    EXPECT_TRUE(backupFiles().isEmpty());

    station.logLines.clear();
    start();
    EXPECT_EQ(station.logLines, (QStringList{"Database version 14 detected", "Applying database updates"}));
    EXPECT_EQ(station.upgrades.logLines, QStringList{"Database upgrade to Rev 15"});
    EXPECT_EQ(backupFiles(), QStringList{"Backup-ZAMO_Results-20240115-230510.mdb"});
    EXPECT_FALSE(wasOpen) << "the next database call opens it";
    EXPECT_EQ(revision(), 15);

    station.logLines.clear();
    start();
    EXPECT_EQ(station.logLines, QStringList{"Database version 15 detected"});
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(backupFiles().size(), 1);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(StartupCheck, APathWithAStarIsOpenedWithoutAnyCheck)
{
    station.paths.databaseFile = defaultFolder + "/ZAMO_*.mdb";
    makeOldFile(6);
    start();
    EXPECT_TRUE(wasOpen);
    EXPECT_TRUE(station.logLines.isEmpty());
    EXPECT_EQ(revision(), 6);
    EXPECT_TRUE(backupFiles().isEmpty());
}

TEST_F(StartupCheck, ARevision6FileIsBackedUpAndRaisedInNineSteps)
{
    makeOldFile(6);
    const QByteArray original = bytes(station.paths.databaseFile);
    platform::DbConnection before;
    before.openFile(station.paths.databaseFile, true);
    const QString rows = testsupport::seededRowsText(before, 6);
    before.close();

    start();
    EXPECT_EQ(station.upgrades.logLines.size(), 9);
    EXPECT_EQ(station.upgrades.logLines.last(), "Database upgrade to Rev 15");
    ASSERT_EQ(backupFiles().size(), 1);
    EXPECT_EQ(bytes(station.paths.archiveFolder + backupFiles()[0]), original);
    EXPECT_EQ(revision(), 15);
    platform::DbConnection after;
    after.openFile(station.paths.databaseFile, true);
    EXPECT_EQ(testsupport::seededRowsText(after, 6), rows);
}

TEST_F(StartupCheck, ARevision10FileWithTheOldDemonstrationColumnIsRepairedAndRaised)
{
    makeOldFile(10, QString(), true);
    start();
    EXPECT_EQ(station.upgrades.logLines.first(), "Legacy column VadovMode moved to DemoMode");
    EXPECT_EQ(station.upgrades.logLines.last(), "Database upgrade to Rev 15");
    EXPECT_EQ(revision(), 15);
    EXPECT_EQ(backupFiles().size(), 1);
}

// The station cannot use the file: a copy goes into the archive folder, the
// empty database takes its place, and the operator hears where the old one is.
TEST_F(StartupCheck, AFileTheStationCannotUseIsKeptInTheArchiveFolderAndReplaced)
{
    const struct {
        const char* what;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"a step fails", [this] { makeOldFile(6, "ALTER TABLE Tests ADD COLUMN ShowOnReport INTEGER"); },
         "its upgrade failed"},
        {"revision 3", [this] { makeOldFile(14, "UPDATE Version SET DBRevNumber=3"); },
         "its revision 3 is not one the station can use"},
        {"revision 16", [this] { makeOldFile(14, "UPDATE Version SET DBRevNumber=16"); },
         "its revision 16 is not one the station can use"},
        {"not a database",
         [this] { ASSERT_TRUE(platform::WholeFile::save(station.paths.databaseFile, "Standard Jet DB")); },
         "it cannot be read as a results database"},
        {"the old demonstration column cannot be converted",
         [this] { makeOldFile(10, "CREATE INDEX Vadov ON TestGroups (VadovMode)", true); },
         "its old demonstration column cannot be converted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(station.paths.archiveFolder).removeRecursively();
        QFile::remove(station.paths.databaseFile);
        prompts.shown.clear();
        station.logLines.clear();
        c.make();
        const QByteArray original = bytes(station.paths.databaseFile);

        start();
        ASSERT_EQ(backupFiles().size(), 1);
        const QString kept = station.paths.archiveFolder + backupFiles()[0];
        EXPECT_EQ(bytes(kept), original);
        EXPECT_EQ(prompts.messages(),
                  QStringList{QString("The database file could not be used (%1) and has been replaced by a new, empty "
                                      "database file.\r\n\r\nThe old file is kept as:\r\n   %2")
                                  .arg(c.reason, kept)});
        EXPECT_TRUE(station.logLines.contains(
            QString("Database file replaced by a new default database file (%1); the old file is kept as %2")
                .arg(c.reason, kept)));
        EXPECT_TRUE(wasOpen);
        EXPECT_EQ(revision(), 14);
    }
    // The new file rises at the next start.
    start();
    EXPECT_EQ(revision(), 15);
}

TEST_F(StartupCheck, AFileThatCannotBeCopiedIsNeitherRaisedNorReplaced)
{
    makeOldFile(14, "UPDATE Version SET DBRevNumber=3");
    const QByteArray original = bytes(station.paths.databaseFile);
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        start();
    }
    EXPECT_EQ(bytes(station.paths.databaseFile), original);
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(station.logLines.contains("Database error: " + station.backups.logLines.value(0).section(": ", 1)))
        << station.logLines.join("\n").toStdString();
    EXPECT_EQ(prompts.messages(),
              QStringList{"Unable to access database file.  Possible corruption, folder access, or permissions issue."
                          "\r\n\r\nClick OK to terminate the application and check the database file:\r\n   "
                          + station.paths.databaseFile});
    EXPECT_TRUE(station.logLines.contains("Unable to access database file in its default file location.  Possible "
                                          "corruption, folder access, or permissions issue."));
    EXPECT_EQ(station.calls.last(), "end");
}

TEST_F(StartupCheck, AFileThatCannotBeCopiedIsStillRaisedForEachStepIsWhole)
{
    makeOldFile(13);
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        start();
    }
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(station.upgrades.logLines, (QStringList{"Database upgrade to Rev 14", "Database upgrade to Rev 15"}));
    EXPECT_EQ(revision(), 15);
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(station.calls, QStringList{"windows"});
}

TEST_F(StartupCheck, AFileOutsideTheDefaultFolderThatCannotBeUsedOffersTheDefaultFolderOnce)
{
    const auto unusableIn = [](const QString& folder) {
        // A folder where the file should be: it cannot be read, copied or replaced.
        QDir().mkpath(folder + "/ZAMO_Results.mdb");
    };
    // Another folder, and the default folder's name in other letters, which
    // is another folder too.
    for (const QString& elsewhere : {home.filePath("Bench2"), home.filePath("kivo_zamo")}) {
        SCOPED_TRACE(elsewhere.toStdString());
        QDir(defaultFolder).removeRecursively();
        QDir().mkpath(defaultFolder);
        prompts.shown.clear();
        prompts.messageAnswers.clear();
        station.calls.clear();
        station.logLines.clear();
        const QString offer =
            "Unable to access database file.  Possible corruption, folder access, or permissions issue.\r\n\r\nClick "
            "OK to revert to the default application data folder, or CANCEL to terminate the application and check "
            "the database file:\r\n   "
            + elsewhere + "/ZAMO_Results.mdb";

        // OK: the default folder, where a new file is made.
        unusableIn(elsewhere);
        station.paths = results::LocalDatabasePaths::inFolder(elsewhere);
        start();
        EXPECT_EQ(prompts.messages(), QStringList{offer});
        EXPECT_EQ(prompts.shown.value(0).title, "Database Error");
        EXPECT_TRUE(station.logLines.contains("Resetting to default database folder"));
        EXPECT_TRUE(station.calls.contains("folder " + defaultFolder));
        EXPECT_EQ(station.paths.databaseFile, defaultFolder + "/ZAMO_Results.mdb");
        EXPECT_EQ(revision(), 14);
        EXPECT_FALSE(station.calls.contains("end"));

        // OK, and the default folder fails too: the program ends.
        QFile::remove(station.paths.databaseFile);
        unusableIn(defaultFolder);
        station.paths = results::LocalDatabasePaths::inFolder(elsewhere);
        prompts.shown.clear();
        station.calls.clear();
        start();
        EXPECT_EQ(prompts.messages(),
                  (QStringList{offer, "Unable to resolve database access error.  Exiting application."}));
        EXPECT_TRUE(station.logLines.contains("Unable to resolve database access error. Exiting application"));
        EXPECT_EQ(station.calls.last(), "end");

        // Cancel: the program ends.
        station.paths = results::LocalDatabasePaths::inFolder(elsewhere);
        prompts.shown.clear();
        station.calls.clear();
        prompts.messageAnswers = {platform::MsgResult::Cancel};
        start();
        EXPECT_EQ(prompts.messages(), QStringList{offer});
        EXPECT_EQ(station.logLines.last(), "Exiting application");
        EXPECT_EQ(station.calls, (QStringList{"windows", "end"}));
    }
}

// The station ended (a signal) while the backup or a step runs, or while a
// message waits: the backup is not there, a step is whole or not begun, the
// file is neither replaced nor given up, and nothing more is done.
TEST_F(StartupCheck, OnceTheStationIsEndedTheCheckDoesNothingMore)
{
    const auto endAt = [](RecordingUpkeepObserver& job, int turn) {
        job.whileEventsRun = [&job, turn] {
            if (job.turns == turn) {
                platform::ProgramEnd::request(0);
                job.stop = true;
            }
        };
    };
    const QString elsewhere = home.filePath("Bench2");
    const struct {
        const char* what;
        std::function<void()> make;
        int revision;    // after the check
        int backupFiles; // after the check
    } cases[] = {
        {"during the backup",
         [&] {
             makeOldFile(6);
             endAt(station.backups, 1);
         },
         6, 0},
        // The step to 7 turns the loop four times, the step to 8 first after its groups' table was made again.
        {"during the step to 8",
         [&] {
             makeOldFile(6);
             endAt(station.upgrades, 5);
         },
         7, 1},
        {"while the offer of the default folder waits",
         [&] {
             QDir().mkpath(elsewhere + "/ZAMO_Results.mdb"); // a folder in the file's place
             station.paths = LocalDatabasePaths::inFolder(elsewhere);
             prompts.whileMessageShown = [](const platform::ShownPrompt&) { platform::ProgramEnd::request(0); };
         },
         0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::ProgramEnd::withdraw();
        station.paths = LocalDatabasePaths::inFolder(defaultFolder);
        QDir(station.paths.archiveFolder).removeRecursively();
        QFile::remove(station.paths.databaseFile);
        station.calls.clear();
        station.logLines.clear();
        station.upgrades = RecordingUpkeepObserver();
        station.backups = RecordingUpkeepObserver();
        c.make();
        const QByteArray original = bytes(station.paths.databaseFile);
        start();
        EXPECT_EQ(station.calls, QStringList{"windows"}) << "neither another folder nor the end of the program";
        EXPECT_FALSE(station.logLines.contains("Resetting to default database folder"));
        EXPECT_FALSE(station.logLines.contains("Exiting application"));
        EXPECT_EQ(revision(), c.revision);
        EXPECT_EQ(backupFiles().size(), c.backupFiles) << backupFiles().join(", ").toStdString();
        if (c.revision == 6) {
            EXPECT_EQ(bytes(station.paths.databaseFile), original);
        }
        if (c.revision == 7) {
            EXPECT_EQ(bytes(station.paths.archiveFolder + backupFiles().value(0)), original);
            EXPECT_EQ(station.upgrades.logLines,
                      (QStringList{"Database upgrade to Rev 7",
                                   "Database upgrade to Rev 8 stopped; the database is left at Rev 7 as it was"}));
        }
        EXPECT_EQ(prompts.shown.size(), c.revision == 0 ? 1 : 0);
        EXPECT_FALSE(wasOpen);
    }
}

class ServerStartupCheck : public StartupCheck {
protected:
    void SetUp() override
    {
        StartupCheck::SetUp();
        ZAMO_REQUIRE_PG_TEST_SERVER();
        server = std::make_unique<testsupport::PgTestDatabase>();
        station.server = server->address();
    }
    void makeServerDatabase(int revision, const QString& change = QString())
    {
        platform::DbConnection db;
        db.openServer(*station.server);
        testsupport::buildOldRevisionDatabase(db, revision, {5});
        if (!change.isEmpty())
            db.execute(change);
    }
    int serverRevision()
    {
        station.closeDatabase();
        return station.databaseRevision(QString());
    }
    static QString offer(int revision)
    {
        return QString("Database Update Required!  Click OK to proceed with automatic SQL update, or CANCEL to exit "
                       "and apply the updates manually.\r\n\r\n  NOTE for Automatic Updates:  Automatic SQL updates "
                       "will be applied to the live database.  Ensure that you have a recent backup before "
                       "proceeding.\r\n  NOTE for Manual Updates:     The current database version is %1.  Execute "
                       "the v%1 to v%2 SQL update script in the SQL Manager to update the database manually.")
            .arg(revision)
            .arg(revision + 1);
    }

    std::unique_ptr<testsupport::PgTestDatabase> server;
};

TEST_F(ServerStartupCheck, ARevision13DatabaseIsRaisedOneStepPerStartWhenTheOperatorAgrees)
{
    makeServerDatabase(13);
    check.checkServer(true);
    EXPECT_EQ(station.calls, QStringList{"windows"});
    EXPECT_EQ(station.logLines, (QStringList{"Loading SQL Database", "SQL database version 13 detected. Applying SQL "
                                                                     "Database updates"}));
    EXPECT_EQ(prompts.messages(), QStringList{offer(13)});
    EXPECT_EQ(prompts.shown[0].title, "Database Update Required");
    EXPECT_EQ(station.upgrades.logLines, QStringList{"SQL Database upgrade to Rev 14"});
    EXPECT_EQ(serverRevision(), 14);

    prompts.shown.clear();
    check.checkServer(false);
    EXPECT_EQ(prompts.messages(), QStringList{offer(14)});
    EXPECT_EQ(serverRevision(), 15);

    prompts.shown.clear();
    station.logLines.clear();
    check.checkServer(false);
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(station.logLines, QStringList{"Loading SQL Database"});
    EXPECT_FALSE(station.calls.contains("end"));
}

TEST_F(ServerStartupCheck, CancelOrAFailedUpdateEndsTheProgramWithTheDatabaseAsItWas)
{
    makeServerDatabase(14, "ALTER TABLE UnitElectrodes DROP COLUMN P_CalibrationDate");
    prompts.messageAnswers = {platform::MsgResult::Cancel};
    check.checkServer(false);
    EXPECT_EQ(station.logLines.last(), "Exiting application for manual SQL database update");
    EXPECT_EQ(station.calls, QStringList{"end"});

    station.calls.clear();
    prompts.shown.clear();
    check.checkServer(false);
    EXPECT_EQ(prompts.messages(),
              (QStringList{offer(14), "Automatic database update failed!  Please attempt manual SQL update.  Exiting "
                                      "application."}));
    EXPECT_EQ(station.logLines.last(), "SQL Database update error.  Exiting application");
    EXPECT_EQ(station.calls, QStringList{"end"});
    EXPECT_EQ(serverRevision(), 14);
}

TEST_F(ServerStartupCheck, AnOlderUnknownOrUnreachableDatabaseSendsTheOperatorToTheOptions)
{
    makeServerDatabase(14, "UPDATE Version SET DBRevNumber=12");
    check.checkServer(false);
    EXPECT_EQ(station.logLines.last(), "Invalid SQL Database version.");
    EXPECT_EQ(prompts.messages(),
              QStringList{"Click OK to reconfigure database settings, or Cancel to exit application."});
    EXPECT_EQ(prompts.shown[0].title, "Database Connection Error");
    EXPECT_EQ(station.calls, QStringList{"options"});

    station.closeDatabase();
    station.server->database += "_missing";
    station.calls.clear();
    prompts.messageAnswers = {platform::MsgResult::Cancel};
    check.checkServer(false);
    EXPECT_EQ(station.logLines.last(), "Exiting application");
    EXPECT_EQ(station.calls, QStringList{"end"});
}

TEST_F(ServerStartupCheck, ANewerDatabaseIsUsedAsItIs)
{
    makeServerDatabase(14, "UPDATE Version SET DBRevNumber=16");
    check.checkServer(false);
    EXPECT_EQ(station.logLines.last(), "SQL database version 16 detected. Applying SQL Database updates");
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_TRUE(station.calls.isEmpty());
    EXPECT_EQ(serverRevision(), 16);
}

} // namespace
