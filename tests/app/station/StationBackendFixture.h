#pragma once
// A whole station (StationHarness) on either back end: on PostgreSQL the
// settings point the station at a database of its own on the test server,
// made with the station's schema; on SQLite the station makes its file at
// start-up.

#include "platform/DbConnection.h"
#include "support/PgTestDatabase.h"
#include "support/ServerDatabaseSettings.h"
#include "support/StationHarness.h"

#include <gtest/gtest.h>

#include <memory>

class StationOnBackend : public ::testing::TestWithParam<platform::DbBackend> {
protected:
    void SetUp() override
    {
        if (GetParam() == platform::DbBackend::PostgreSQL)
            pointSettingsAtServer();
    }

    bool local() const { return GetParam() == platform::DbBackend::SQLite; }

    void pointSettingsAtServer()
    {
        ZAMO_REQUIRE_PG_TEST_SERVER();
        server = std::make_unique<testsupport::PgTestDatabase>();
        pointSettingsAt(server->address());
    }
    // The station's settings.ini names the server database given, which is
    // made with the station's schema.
    void pointSettingsAt(const platform::DbServerAddress& a)
    {
        testsupport::pointStationAtServer(station.dataFolder(), a);
    }

    // A connection of the test's own to the station's results database.
    std::unique_ptr<platform::DbConnection> openResults(bool readOnly = true) const
    {
        auto db = std::make_unique<platform::DbConnection>();
        if (server)
            db->openServer(server->address());
        else
            db->openFile(station.stationSettings().paths.databaseFile, readOnly);
        return db;
    }

    std::unique_ptr<testsupport::PgTestDatabase> server;
    testsupport::StationHarness station;
};

#define INSTANTIATE_STATION_ON_BOTH_BACKENDS(suite)                                                                    \
    INSTANTIATE_TEST_SUITE_P(                                                                                          \
        Backends, suite, ::testing::Values(platform::DbBackend::SQLite, platform::DbBackend::PostgreSQL),              \
        [](const ::testing::TestParamInfo<platform::DbBackend>& info) {                                                \
            return std::string(info.param == platform::DbBackend::SQLite ? "SQLite" : "PostgreSQL");                   \
        })
