#pragma once
// Results databases of every revision the viewer reads, as older stations
// left them, for the viewer's tests: a database file of revision 4..15, or a
// server database of revision 13..15, seeded by the old-revision builder and
// filled out with what a report of that revision shows (unit diagnostics,
// pace settings, a condensed ZAMO80 group), and a temporary data folder for
// the viewer's templates.

#include "platform/DbConnection.h"
#include "support/OldRevisionDatabase.h"
#include "support/PgTestDatabase.h"
#include "support/TempDataHome.h"
#include "viewer/ViewerDatabase.h"
#include "viewer/ViewerReportList.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

struct ViewerCase {
    platform::DbBackend backend;
    int revision;
};

void PrintTo(const ViewerCase& c, std::ostream* os);
std::string viewerCaseName(const ::testing::TestParamInfo<ViewerCase>& info);

// Every revision the viewer reads: database files 4..15, server databases 13..15.
std::vector<ViewerCase> everyViewerCase();

// One old-revision database. Group 1 is a finished base-model run with its
// tests, readings, verdicts and electrodes; from revision 6 it has unit
// diagnostics, from 8 those of a ZAMO80 unit too, from 9 it is linked to
// group 2 as its condensed ZAMO80 group, from 11 it has pace settings.
class OldDatabase {
public:
    OldDatabase(platform::DbBackend backend, int revision, const testsupport::OldRevisionSeed& seed = {3, 2, 2},
                bool legacyDemoColumn = false);

    bool local() const { return m_backend == platform::DbBackend::SQLite; }
    int revision() const { return m_revision; }
    QString path() const { return m_path; } // the file ("" on a server)
    // The values of the SQL Server dialog that reach this server database.
    viewer::ServerLogOn logOn() const;
    // A connection of the test's own.
    std::unique_ptr<platform::DbConnection> connect() const;
    // The viewer's database set to this one.
    void choose(viewer::ViewerDatabase& db) const;
    // The file's bytes, to show that it was not written ("" on a server).
    QByteArray bytes() const;

private:
    void addReportRows(platform::DbConnection& db) const;

    platform::DbBackend m_backend;
    int m_revision;
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<testsupport::PgTestDatabase> m_server;
};

// The viewer's tests on one database case; skips the server cases without
// the PostgreSQL test server.
class ViewerCaseTest : public ::testing::TestWithParam<ViewerCase> {
protected:
    void SetUp() override;
    bool local() const { return GetParam().backend == platform::DbBackend::SQLite; }

    testsupport::TempDataHome home;
};

// The group numbers of a list page, in order.
QList<qint32> ids(const viewer::ReportListView& view);

// A server case needs the test server (skipped without it, failed on CI).
#define ZAMO_REQUIRE_BACKEND(backend)                                                                                  \
    if ((backend) == platform::DbBackend::PostgreSQL)                                                                  \
    ZAMO_REQUIRE_PG_TEST_SERVER()
