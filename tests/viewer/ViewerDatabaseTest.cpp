// Opening a database in the viewer: a file of every revision 4..15 and a
// server database of 13..15, listed with the status line that names its
// revision and never written; the repair of a revision-10 file's legacy
// column, once; what cannot be opened; a failed server connection that
// keeps the database in force; the idle minute that closes the connection.

#include "ViewerFixture.h"
#include "platform/Clock.h"
#include "support/WriteProtection.h"
#include "viewer/ViewerReportList.h"

#include <QFile>

#include <gmock/gmock.h>

using platform::DbBackend;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testsupport::OldRevisionSeed;
using viewer::ReportListRequest;
using viewer::ViewerDatabase;
using viewer::ViewerReportList;

namespace {

using OpenEveryRevision = ViewerCaseTest;

TEST_P(OpenEveryRevision, ListsTheFinishedGroupsUnderTheStatusOfItsRevisionAndWritesNothing)
{
    const ViewerCase c = GetParam();
    const OldDatabase old(c.backend, c.revision);
    const QByteArray before = old.bytes();

    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    QString status;
    viewer::ReportListView view;
    if (old.local()) {
        const viewer::DatabaseChoice choice = list.chooseFile(old.path(), {});
        status = choice.status;
        view = choice.list;
    } else {
        const viewer::ServerChoice choice = list.connectServer(old.logOn(), {});
        ASSERT_TRUE(choice.connected) << choice.failure.toStdString();
        EXPECT_EQ(choice.dialogStatus, "");
        status = choice.status;
        view = choice.list;
    }
    EXPECT_EQ(status, old.local() ? QString("Version %1 Database Selected").arg(c.revision)
                                  : QString("Version %1 SQL Database Selected.").arg(c.revision));
    EXPECT_EQ(view.failure, "");
    EXPECT_EQ(view.features.revision, c.revision);
    // From revision 9 group 2 is a condensed ZAMO80 group, which has no start date.
    EXPECT_EQ(ids(view), c.revision >= 9 ? QList<qint32>({1, 3}) : QList<qint32>({1, 2, 3}));
    EXPECT_EQ(view.page.rows.value(0).lot, ""); // the lot sort field was not seeded
    EXPECT_EQ(view.pageCount, 1);
    EXPECT_EQ(view.pageIndex, 0);

    EXPECT_EQ(view.reportTypeEnabled, c.revision >= 8);
    EXPECT_EQ(view.reportType, c.revision >= 8 ? "ALL" : "ZAMO");
    EXPECT_EQ(view.reportTypes.contains("ZAMO2-4"), c.revision >= 11);
    EXPECT_EQ(view.sortEnabled, c.revision >= 14);
    EXPECT_EQ(view.features.reports, true);
    EXPECT_EQ(view.features.byUniqueGroupId, c.revision >= 7);

    // Reloads of every kind read it without a change to the file.
    viewer::ReportListRequest again;
    again.showAll = true;
    again.ascending = false;
    again.sortByLot = true;
    // From revision 14 by lot, descending: one lot (none), its groups ascending.
    const QList<qint32> descending = c.revision >= 9 ? QList<qint32>({3, 1}) : QList<qint32>({3, 2, 1});
    EXPECT_EQ(ids(list.load(again)), c.revision >= 14 ? QList<qint32>({1, 3}) : descending);
    db.close();
    EXPECT_EQ(old.bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Viewer, OpenEveryRevision, ::testing::ValuesIn(everyViewerCase()), viewerCaseName);

struct DemoFlags {
    QList<int> values;
    bool legacyColumn = false;
    int revision = 0;
};

DemoFlags demoFlags(const OldDatabase& old)
{
    auto db = old.connect();
    DemoFlags flags;
    const platform::DbRecordset columns = db->execute("SELECT * FROM TestGroups");
    for (int i = 0; i < columns.fieldCount(); ++i)
        flags.legacyColumn = flags.legacyColumn || columns.fieldName(i).compare("VadovMode", Qt::CaseInsensitive) == 0;
    if (!flags.legacyColumn)
        for (platform::DbRecordset rs = db->execute("SELECT DemoMode FROM TestGroups ORDER BY GroupID"); !rs.eof();
             rs.moveNext())
            flags.values << rs.value(0).toInt();
    flags.revision = db->execute("SELECT DBRevNumber FROM Version WHERE ID = 1").value(0).toInt();
    return flags;
}

TEST(ViewerRepair, ARevision10FilesLegacyDemoColumnBecomesDemoModeOnceAndTheRevisionStays10)
{
    testsupport::TempDataHome home;
    const OldDatabase old(platform::DbBackend::SQLite, 10, OldRevisionSeed{6, 1, 1}, true);
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);

    const viewer::DatabaseChoice first = list.chooseFile(old.path(), {});
    EXPECT_EQ(first.status, "Version 10 Database Selected");
    EXPECT_EQ(first.list.repairFailure, "");
    EXPECT_EQ(first.list.page.rows.size(), 5); // group 2 is a condensed group
    db.close();
    const DemoFlags flags = demoFlags(old);
    EXPECT_FALSE(flags.legacyColumn);
    EXPECT_EQ(flags.values, QList<int>({0, 0, 1, 0, 0, 1})); // the old column's values, every third group
    EXPECT_EQ(flags.revision, 10);

    // A second open finds nothing to repair and changes nothing.
    const QByteArray repaired = old.bytes();
    const viewer::DatabaseChoice second = list.chooseFile(old.path(), {});
    EXPECT_EQ(second.list.repairFailure, "");
    EXPECT_EQ(second.list.page.rows.size(), 5);
    db.close();
    EXPECT_EQ(old.bytes(), repaired);
}

TEST(ViewerRepair, AFileThatCannotBeWrittenIsListedAllTheSameAndTheFailedRepairIsTold)
{
    testsupport::TempDataHome home;
    const OldDatabase old(platform::DbBackend::SQLite, 10, OldRevisionSeed{6, 1, 1}, true);
    const QByteArray before = old.bytes();
    {
        ZAMO_WRITE_PROTECT(protect, old.path());
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        const viewer::DatabaseChoice choice = list.chooseFile(old.path(), {});
        EXPECT_EQ(choice.status, "Version 10 Database Selected");
        EXPECT_NE(choice.list.repairFailure, "");
        EXPECT_EQ(choice.list.page.rows.size(), 5);
    }
    EXPECT_EQ(old.bytes(), before);
    EXPECT_TRUE(demoFlags(old).legacyColumn);
}

TEST(ViewerOpen, WhatIsNoResultsDatabaseLeavesNoDatabaseSelectedAndAnEmptyList)
{
    testsupport::TempDataHome home;
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.mdb");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a database\n");
    f.close();
    const QString noVersion = dir.filePath("noversion.mdb");
    const QString noRow = dir.filePath("norow.mdb");
    {
        platform::DbConnection db;
        db.createFile(noVersion);
        db.execute("CREATE TABLE TestGroups (GroupID INTEGER PRIMARY KEY)");
        platform::DbConnection empty;
        empty.createFile(noRow);
        empty.execute("CREATE TABLE Version (ID INTEGER PRIMARY KEY, DBRevNumber INTEGER)");
    }
    const struct {
        const char* what;
        QString path;
    } cases[] = {
        {"a missing file", dir.filePath("missing.mdb")},
        {"a text file", text},
        {"a database without a Version table", noVersion},
        {"a Version table without its row", noRow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        const viewer::DatabaseChoice choice = list.chooseFile(c.path, {});
        EXPECT_EQ(choice.status, "No Database Selected");
        EXPECT_FALSE(choice.list.features.listed);
        EXPECT_TRUE(choice.list.page.rows.isEmpty());
        EXPECT_NE(choice.list.failure, "");
        // The window's later reloads stay empty too.
        EXPECT_TRUE(list.load({}).page.rows.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.mdb"))); // never created

    // The open dialog cancelled before any file was chosen.
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    EXPECT_EQ(list.chooseFile(QString(), {}).status, "No Database Selected");
    EXPECT_NE(list.load({}).failure, "");
}

TEST(ViewerOpen, AFailedServerConnectionKeepsTheValuesAndTheDatabaseInForce)
{
    testsupport::TempDataHome home;
    const OldDatabase old(platform::DbBackend::SQLite, 12);
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    ASSERT_EQ(list.chooseFile(old.path(), {}).status, "Version 12 Database Selected");

    const viewer::ServerLogOn wrong[] = {
        {"/nonexistent/zamo-viewer-socket", "", "ZAMO_Results", "operator", "secret"},
        {"localhost", "MSSQL", "ZAMO_Results", "operator", "secret"}, // an instance that is no port
    };
    for (const viewer::ServerLogOn& logOn : wrong) {
        SCOPED_TRACE(logOn.host.toStdString());
        const viewer::ServerChoice choice = list.connectServer(logOn, {});
        EXPECT_FALSE(choice.connected);
        EXPECT_EQ(choice.dialogStatus, "Database connection failed!");
        EXPECT_EQ(choice.status, "No Database Selected");
        EXPECT_NE(choice.failure, "");
        EXPECT_FALSE(db.usesServer());
        EXPECT_EQ(db.serverLogOn().host, "");
        // The file chosen before is what a reload lists.
        EXPECT_THAT(list.load({}).page.rows, ::testing::SizeIs(2));
    }
    EXPECT_THAT(list.connectServer(wrong[1], {}).failure.toStdString(), HasSubstr("not a port number"));
}

TEST(ViewerOpen, TheConnectionClosesAMinuteAfterItsLastUseAndOpensAgainOnDemand)
{
    testsupport::TempDataHome home;
    const OldDatabase old(platform::DbBackend::SQLite, 15);
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    {
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        ASSERT_EQ(list.chooseFile(old.path(), {}).status, "Version 15 Database Selected");
        EXPECT_TRUE(db.isOpen());
        platform::Clock::advance(59000);
        EXPECT_EQ(list.load({}).page.rows.size(), 2); // a use starts the minute again
        platform::Clock::advance(59000);
        EXPECT_TRUE(db.isOpen());
        platform::Clock::advance(2000);
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(list.load({}).page.rows.size(), 2);
        EXPECT_TRUE(db.isOpen());
    }
    platform::Clock::useRealTime();
}

TEST(ViewerOpen, AServerAfterAFileAndAFileAfterAServerEachListTheirOwnGroups)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    testsupport::TempDataHome home;
    const OldDatabase file(platform::DbBackend::SQLite, 6, OldRevisionSeed{4, 1, 1});
    const OldDatabase server(platform::DbBackend::PostgreSQL, 14, OldRevisionSeed{3, 1, 1}); // group 2 is condensed
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    EXPECT_EQ(list.chooseFile(file.path(), {}).list.page.rows.size(), 4);
    const viewer::ServerChoice choice = list.connectServer(server.logOn(), {});
    ASSERT_TRUE(choice.connected) << choice.failure.toStdString();
    EXPECT_EQ(choice.status, "Version 14 SQL Database Selected.");
    EXPECT_EQ(choice.list.page.rows.size(), 2);
    EXPECT_TRUE(choice.list.archives.rows.isEmpty()); // a server keeps no archive files
    db.close();
    EXPECT_EQ(list.load({}).page.rows.size(), 2); // reopened on the server
    EXPECT_EQ(list.chooseFile(file.path(), {}).list.page.rows.size(), 4);
    EXPECT_FALSE(db.usesServer());
}

} // namespace
