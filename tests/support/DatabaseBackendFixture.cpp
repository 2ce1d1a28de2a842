#include "support/DatabaseBackendFixture.h"

#include "config/Log.h"
#include "config/Settings.h"
#include "platform/Clock.h"
#include "platform/Timer.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "support/ServerDatabaseSettings.h"

#include <QDir>

void RecordingMainWindow::SetDatabaseStatus(bool vLocalDB, bool vConnected)
{
    statusCalls << std::make_pair(vLocalDB, vConnected);
}

void RecordingMainWindow::DatabaseConnectFailHandler(const QString& vCause)
{
    ++failHandlerCalls;
    if (!modDatabase::ConnectFailureReported) {
        ++messagesShown;
        causesShown << vCause;
    }
}

std::string BackendName(const ::testing::TestParamInfo<platform::DbBackend>& info)
{
    return info.param == platform::DbBackend::SQLite ? "SQLite" : "PostgreSQL";
}

void platform::PrintTo(DbBackend backend, std::ostream* os)
{
    *os << (backend == DbBackend::SQLite ? "SQLite" : "PostgreSQL");
}

void DatabaseBackendTest::SetUp()
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    modDatabase::ConnectFailureReported = false;
    modDatabase::IdleClock().setEnabled(false);   // a failed open of an earlier test may have left it running
    modDatabase::SetConnectionObserver(&mainWindow);
    Globals::StatusWindowOpen = true;
    Globals::DiagnosticLog = true;
    modMain::SetStatusWindowEcho([this](const QString& line) { log << line; });

    if (local()) {
        QDir().mkpath(home.stationFolder());
        databasePath = home.stationFolder() + QStringLiteral("/ZAMO_Results.mdb");
        ASSERT_EQ(modDatabase::BuildEmptyDatabase(databasePath), databasePath);
        Globals::UseLocalDatabase = true;
        Globals::DatabaseFilePath = databasePath;
        return;
    }
    ZAMO_REQUIRE_PG_TEST_SERVER();
    server = std::make_unique<testsupport::PgTestDatabase>();
    testsupport::UseServerDatabase(server->address());
}

void DatabaseBackendTest::TearDown()
{
    modDatabase::CloseDatabase();
    modDatabase::SetConnectionObserver(nullptr);
    modMain::SetStatusWindowEcho({});
    Globals::StatusWindowOpen = false;
    Globals::DiagnosticLog = false;
    server.reset();
    platform::Clock::useRealTime();
}

void DatabaseBackendTest::pointAtUnreachableDatabase()
{
    if (local())
        Globals::DatabaseFilePath = home.stationFolder() + QStringLiteral("/missing/ZAMO_Results.mdb");
    else
        Globals::SQLServerDatabaseName = server->name() + QStringLiteral("_missing");
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
