#include "support/DatabaseBackendFixture.h"

#include "platform/Clock.h"
#include "platform/Timer.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "support/ServerDatabaseSettings.h"

#include <QDir>

void RecordingMainWindow::setDatabaseStatus(bool localDB, bool connected)
{
    statusCalls << std::make_pair(localDB, connected);
}

void RecordingMainWindow::databaseConnectFailHandler(const QString& cause)
{
    ++failHandlerCalls;
    if (!database->connectFailureReported()) {
        ++messagesShown;
        causesShown << cause;
    }
    if (onFailure)
        onFailure();
}

std::string backendName(const ::testing::TestParamInfo<platform::DbBackend>& info)
{
    return info.param == platform::DbBackend::SQLite ? "SQLite" : "PostgreSQL";
}

void platform::PrintTo(platform::DbBackend backend, std::ostream* os)
{
    *os << (backend == platform::DbBackend::SQLite ? "SQLite" : "PostgreSQL");
}

void DatabaseBackendTest::SetUp()
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    mainWindow.database = &database;
    database.setConnectionObserver(&mainWindow);
    settings.switches.statusWindowOpen = true;
    settings.switches.diagnosticLog = true;
    stationLog.setStatusWindowEcho([this](const QString& line) { log << line; }, &settings.switches);

    if (local()) {
        QDir().mkpath(home.stationFolder());
        databasePath = home.stationFolder() + QStringLiteral("/ZAMO_Results.mdb");
        ASSERT_EQ(results::buildEmptyDatabase(databasePath), databasePath);
        settings.database.useLocalDatabase = true;
        settings.paths.databaseFile = databasePath;
        return;
    }
    ZAMO_REQUIRE_PG_TEST_SERVER();
    server = std::make_unique<testsupport::PgTestDatabase>();
    testsupport::useServerDatabase(settings.database, server->address());
}

void DatabaseBackendTest::TearDown()
{
    database.closeDatabase();
    stationLog.setStatusWindowEcho({});
    server.reset();
    platform::Clock::useRealTime();
}

void DatabaseBackendTest::pointAtUnreachableDatabase()
{
    if (local())
        settings.paths.databaseFile = home.stationFolder() + QStringLiteral("/missing/ZAMO_Results.mdb");
    else
        settings.database.serverDatabaseName = server->name() + QStringLiteral("_missing");
}

int DatabaseBackendTest::logCount(const QString& text) const
{
    int n = 0;
    for (const QString& line : log)
        n += line.contains(text) ? 1 : 0;
    return n;
}

std::unique_ptr<platform::DbConnection> DatabaseBackendTest::openDirect() const
{
    auto connection = std::make_unique<platform::DbConnection>();
    if (local())
        connection->openFile(databasePath, false);
    else
        connection->openServer(server->address());
    return connection;
}
