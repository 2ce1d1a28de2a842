#pragma once
// Runs a test on each back end: the settings point the station at a fresh
// results database (an SQLite file in a temporary data folder, or a database
// of its own on the PostgreSQL test server), the clock runs in virtual time,
// log lines are captured, and a stand-in for the main window records what
// the connection tells it.

#include "config/StationSettings.h"
#include "platform/DbConnection.h"
#include "results/DatabaseObserver.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "support/InstalledLog.h"
#include "support/PgTestDatabase.h"
#include "support/TempDataHome.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The main window's side: the status lamp calls, and the failure message,
// which it shows only while no failure of the present run was reported.
class RecordingMainWindow : public results::DatabaseConnectionObserver {
public:
    QList<std::pair<bool, bool>> statusCalls; // (local, connected)
    int failHandlerCalls = 0;
    int messagesShown = 0;
    QStringList causesShown;                            // the cause of each message shown
    const results::ResultsDatabase* database = nullptr; // whose failures it hears of
    // What the window does on a failure besides (a run cancelled, say).
    std::function<void()> onFailure;

    void setDatabaseStatus(bool localDB, bool connected) override;
    void databaseConnectFailHandler(const QString& cause) override;
};

class DatabaseBackendTest : public ::testing::TestWithParam<platform::DbBackend> {
protected:
    void SetUp() override;
    void TearDown() override;

    bool local() const { return GetParam() == platform::DbBackend::SQLite; }
    // Points the settings at a database that cannot be opened.
    void pointAtUnreachableDatabase();
    // Log lines written since the start of the test that contain the text.
    int logCount(const QString& text) const;
    // A private connection to the test's database.
    std::unique_ptr<platform::DbConnection> openDirect() const;

    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    // The settings the database connection follows during the test.
    config::StationSettings settings;
    // The station's connection, on those settings, and the ends of its groups.
    results::ResultsDatabase database{settings};
    results::TestGroupEnd groupEnds{database};
    std::unique_ptr<testsupport::PgTestDatabase> server;
    QString databasePath; // the SQLite file
    QStringList log;
    RecordingMainWindow mainWindow;
};

// The name of a back end in test names and messages.
std::string backendName(const ::testing::TestParamInfo<platform::DbBackend>& info);
namespace platform {
void PrintTo(platform::DbBackend backend, std::ostream* os);
}

#define INSTANTIATE_ON_BOTH_BACKENDS(suite)                                                                            \
    INSTANTIATE_TEST_SUITE_P(                                                                                          \
        Backends, suite, ::testing::Values(platform::DbBackend::SQLite, platform::DbBackend::PostgreSQL), backendName)
