// The shared connection: opened on demand, closed by the idle clock, its
// state and failures reported to the main window.

#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "support/DatabaseBackendFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

using platform::Clock;

namespace {

using DatabaseConnection = DatabaseBackendTest;

TEST_P(DatabaseConnection, TwoOpensConnectOnceAndReportTheStateTwice)
{
    EXPECT_TRUE(results::openDatabase(false));
    EXPECT_TRUE(results::openDatabase(false));
    EXPECT_EQ(logCount("Initiating connection to "), 1);
    EXPECT_EQ(logCount("Database connection successful"), 1);
    const std::pair<bool, bool> connected{local(), true};
    EXPECT_EQ(mainWindow.statusCalls, (QList<std::pair<bool, bool>>{connected, connected}));
    EXPECT_NE(results::sharedConnection(), nullptr);
}

TEST_P(DatabaseConnection, ARunOfFailuresIsShownOnceUntilAnOpenSucceeds)
{
    const QString reachable = local() ? settings.paths.databaseFile : settings.database.serverDatabaseName;
    pointAtUnreachableDatabase();
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(results::openDatabase(false));
    EXPECT_EQ(mainWindow.failHandlerCalls, 10);
    EXPECT_EQ(mainWindow.messagesShown, 1);
    ASSERT_EQ(mainWindow.causesShown.size(), 1);
    EXPECT_TRUE(
        mainWindow.causesShown[0].startsWith(local() ? "Cannot open database \"" : "Cannot connect to database \""))
        << "the message says what failed: " << mainWindow.causesShown[0].toStdString();
    EXPECT_TRUE(results::connectFailureReported);
    EXPECT_EQ(mainWindow.statusCalls.size(), 10);
    EXPECT_EQ(mainWindow.statusCalls.last(), std::make_pair(local(), false));
    EXPECT_EQ(logCount("Database connection failed - Error Handler"), 10);
    EXPECT_EQ(results::sharedConnection(), nullptr);
    if (local()) {
        EXPECT_FALSE(QFileInfo::exists(settings.paths.databaseFile)) << "a failed open must create nothing";
    }

    // One success re-arms the message; the next failure is shown again.
    (local() ? settings.paths.databaseFile : settings.database.serverDatabaseName) = reachable;
    EXPECT_TRUE(results::openDatabase(false));
    EXPECT_FALSE(results::connectFailureReported);
    results::closeDatabase();
    pointAtUnreachableDatabase();
    EXPECT_FALSE(results::openDatabase(false));
    EXPECT_EQ(mainWindow.failHandlerCalls, 11);
    EXPECT_EQ(mainWindow.messagesShown, 2);
}

TEST_P(DatabaseConnection, IdleClockClosesSixtySecondsAfterTheLastOpen)
{
    ASSERT_TRUE(results::openDatabase(false));
    platform::Clock::advance(40000);
    ASSERT_TRUE(results::openDatabase(false)); // restarts the count
    platform::Clock::advance(59999);
    EXPECT_NE(results::sharedConnection(), nullptr);
    EXPECT_EQ(logCount("Database connection closed"), 0);
    platform::Clock::advance(1);
    EXPECT_EQ(results::sharedConnection(), nullptr);
    EXPECT_EQ(logCount("Database connection closed"), 1);
    EXPECT_FALSE(results::idleClock().isEnabled());

    results::closeDatabase(); // already closed: nothing to say
    EXPECT_EQ(logCount("Database connection closed"), 1);

    // The next call opens anew.
    EXPECT_TRUE(results::openDatabase(false));
    EXPECT_EQ(logCount("Initiating connection to "), 2);
}

TEST_P(DatabaseConnection, ADatabaseThatGoesAwayIsReportedAndNotWrittenIntoTheVoid)
{
    ASSERT_TRUE(results::openDatabase(false));
    if (local()) {
        ASSERT_TRUE(QFile::remove(settings.paths.databaseFile));
        EXPECT_FALSE(results::openDatabase(false));
        EXPECT_EQ(mainWindow.failHandlerCalls, 1);
        EXPECT_EQ(mainWindow.statusCalls.last(), std::make_pair(true, false));
        EXPECT_FALSE(QFileInfo::exists(settings.paths.databaseFile)) << "nothing is created in its place";
        return;
    }
    // The server drops the connection: the statement fails, the next open connects anew.
    auto admin = openDirect();
    admin->execute("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = current_database() "
                   "AND pid <> pg_backend_pid()");
    EXPECT_THROW(results::sharedConnection()->execute("SELECT COUNT(*) FROM TestTypes"), platform::DbError);
    EXPECT_TRUE(results::openDatabase(false));
    EXPECT_EQ(logCount("Initiating connection to "), 2);
    EXPECT_EQ(results::sharedConnection()->execute("SELECT COUNT(*) FROM TestTypes").value(0).toInt(), 11);
}

TEST_P(DatabaseConnection, RevisionOfTheLiveDatabase)
{
    EXPECT_EQ(results::getDBRevNumber(QString()), 14);
    EXPECT_NE(results::sharedConnection(), nullptr) << "the shared connection stays open";
    results::closeDatabase();
    pointAtUnreachableDatabase();
    EXPECT_EQ(results::getDBRevNumber(QString()), 0);
    EXPECT_EQ(mainWindow.failHandlerCalls, 1);
}

TEST_P(DatabaseConnection, RevisionOfAFileThatCannotBeReadIsZeroAndTouchesNothing)
{
    const QString folder = home.stationFolder();
    QDir().mkpath(folder);
    QFile text(folder + "/notes.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("DBRevNumber=15\n");
    text.close();
    ASSERT_EQ(results::buildEmptyDatabase(folder + "/archive.mdb"), folder + "/archive.mdb");

    EXPECT_EQ(results::getDBRevNumber(folder + "/notes.txt"), 0);
    EXPECT_EQ(results::getDBRevNumber(folder + "/nowhere/ZAMO_Results.mdb"), 0);
    EXPECT_EQ(results::getDBRevNumber(folder + "/archive.mdb"), 14);
    EXPECT_FALSE(QDir(folder + "/nowhere").exists());
    EXPECT_EQ(results::sharedConnection(), nullptr);
    EXPECT_TRUE(mainWindow.statusCalls.isEmpty());
    EXPECT_EQ(mainWindow.failHandlerCalls, 0);
    EXPECT_FALSE(results::idleClock().isEnabled());
    QFile again(folder + "/notes.txt");
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "DBRevNumber=15\n");
}

TEST_P(DatabaseConnection, LogNamesTheDatabaseButNeverThePassword)
{
    ASSERT_TRUE(results::openDatabase(false));
    const QStringList lines = log.filter("Initiating connection to ");
    ASSERT_EQ(lines.size(), 1);
    if (local()) {
        EXPECT_TRUE(lines[0].endsWith(
            "Initiating connection to Local Database: Data Source=" + settings.paths.databaseFile + ";Mode=ReadWrite"))
            << lines[0].toStdString();
        return;
    }
    // The test server's password holds ";" and "'": the connection works with it.
    ASSERT_TRUE(settings.database.password.contains(';'));
    EXPECT_TRUE(lines[0].endsWith(QString("Initiating connection to SQL Database: server=%1:%2;database=%3;"
                                          "uid=%4;pwd=********;")
                                      .arg(settings.database.serverHost, settings.database.serverInstance,
                                           settings.database.serverDatabaseName, settings.database.username)))
        << lines[0].toStdString();
    for (const QString& line : log)
        EXPECT_FALSE(line.contains(settings.database.password)) << line.toStdString();
}

// Another program holds a lock that keeps even readers out. The idle check
// waits only its own short wait, says so and reports nothing, whether the
// connection was open or had to be opened; the connection's busy wait holds
// again for everything else, and the check is done once the lock is gone.
TEST_P(DatabaseConnection, AnIdleCheckWaitsBrieflyForAnOutsideLockAndLeavesTheBusyWaitAsItWas)
{
    results::BusyWaitMilliseconds = 700;
    const auto restore =
        qScopeGuard([] { results::BusyWaitMilliseconds = platform::DbConnection::DefaultBusyWaitMilliseconds; });
    // A statement that waits the connection's own busy wait before the lock
    // refuses it (on a closed connection the open is that statement).
    const auto waitsTheBusyWait = [] {
        QElapsedTimer waited;
        waited.start();
        try {
            results::requireConnection().execute("SELECT DBRevNumber FROM Version");
            return ::testing::AssertionFailure() << "the lock let the statement through";
        } catch (const platform::DbError& e) {
            if (!e.locked() || waited.elapsed() < 600)
                return ::testing::AssertionFailure() << waited.elapsed() << " ms: " << e.text().toStdString();
            return ::testing::AssertionSuccess();
        }
    };
    ASSERT_EQ(results::checkWhileIdle(50), results::IdleCheck::Done);
    auto other = openDirect();
    if (local()) {
        other->execute("BEGIN EXCLUSIVE");
    } else {
        other->transaction();
        other->execute("LOCK TABLE Version IN ACCESS EXCLUSIVE MODE");
    }
    for (const bool open : {true, false}) {
        if (!open)
            results::closeDatabase();
        QElapsedTimer waited;
        waited.start();
        EXPECT_EQ(results::checkWhileIdle(50), results::IdleCheck::Locked) << open;
        EXPECT_LT(waited.elapsed(), 500) << open;
        EXPECT_TRUE(waitsTheBusyWait()) << open;
    }
    EXPECT_EQ(mainWindow.failHandlerCalls, 0);
    EXPECT_FALSE(results::connectFailureReported);

    if (local())
        other->execute("COMMIT");
    else
        other->rollback();
    EXPECT_EQ(results::checkWhileIdle(50), results::IdleCheck::Done);
    EXPECT_EQ(results::getDBRevNumber(QString()), 14);
}

INSTANTIATE_ON_BOTH_BACKENDS(DatabaseConnection);

} // namespace
