// The viewer's report list by revision: the group number (GroupID up to
// revision 6), the report types a revision knows, the lot column and order
// from 14, Show All, the pages of 1000, the archive records and the
// condensed report's kind; the report type the list is read with is the
// one the window shows.

#include "ViewerFixture.h"
#include "viewer/ViewerReportList.h"

#include <gmock/gmock.h>

using platform::DbBackend;
using testsupport::OldRevisionSeed;
using viewer::ReportKind;
using viewer::ReportListRequest;
using viewer::ViewerDatabase;
using viewer::ViewerReportList;

namespace {

QList<qint32> range(qint32 first, qint32 last)
{
    QList<qint32> out;
    for (qint32 id = first; first <= last ? id <= last : id >= last; id += first <= last ? 1 : -1)
        out << id;
    return out;
}

// Eight groups: 3, 4 and 5 ZAMO80 runs (5 a ZAMO2-4 run where the revision
// knows them), 7 cancelled, and from revision 9 group 2 a condensed group;
// from revision 14 lots that order the groups 8, 6, 4, 2, 1, 3, 5, 7.
std::unique_ptr<OldDatabase> eightGroups(int revision)
{
    auto old = std::make_unique<OldDatabase>(platform::DbBackend::SQLite, revision, OldRevisionSeed{8, 1, 1});
    auto db = old->connect();
    if (revision >= 8)
        db->execute("UPDATE TestGroups SET Zamo80 = 1 WHERE GroupID IN (3, 4, 5)");
    if (revision >= 11)
        db->execute("UPDATE TestGroups SET Zamo24 = 1 WHERE GroupID = 5");
    if (revision >= 14)
        db->execute("UPDATE TestGroups SET LotNumberSortField = CASE WHEN GroupID % 2 = 0 THEN 'A-' || (9 - GroupID) "
                    "ELSE 'B-' || GroupID END");
    return old;
}

TEST(ViewerReportList, EachRevisionIsListedWithTheColumnsAndReportTypesItHas)
{
    testsupport::TempDataHome home;
    const struct {
        int revision;
        const char* type;
        bool sortByLot;
        const char* listedAs; // the type the list is read with and the window shows
        QList<qint32> ids;
    } cases[] = {
        // No type choice before 8: every group is a base-model run, the type reads "ZAMO".
        {5, "ZAMO80", false, "ZAMO", {1, 2, 3, 4, 5, 6, 8}},
        {7, "ALL", false, "ZAMO", {1, 2, 3, 4, 5, 6, 8}},
        {8, "ZAMO80", false, "ZAMO80", {3, 4, 5}},
        {9, "ZAMO80", false, "ZAMO80", {3, 4, 5}},
        {9, "ZAMO", false, "ZAMO", {1, 6, 8}},
        {10, "ZAMO2-4", false, "ALL", {1, 3, 4, 5, 6, 8}}, // not known before 11
        {11, "ZAMO80", false, "ZAMO80", {3, 4}},
        {12, "ZAMO2-4", false, "ZAMO2-4", {5}},
        {13, "ALL", true, "ALL", {1, 3, 4, 5, 6, 8}}, // no lot order before 14
        {14, "ALL", true, "ALL", {8, 6, 4, 1, 3, 5}},
        {14, "ZAMO80", true, "ZAMO80", {4, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "revision " << c.revision << ", " << c.type
                                        << (c.sortByLot ? " by lot" : ""));
        const auto old = eightGroups(c.revision);
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        ASSERT_TRUE(list.chooseFile(old->path(), {}).list.features.listed);
        viewer::ReportListRequest request;
        request.reportType = c.type;
        request.sortByLot = c.sortByLot;
        const viewer::ReportListView view = list.load(request);
        EXPECT_EQ(view.failure, "");
        EXPECT_EQ(view.reportType, c.listedAs);
        EXPECT_EQ(ids(view), c.ids);
        EXPECT_EQ(view.page.rows.value(0).lot.isEmpty(), c.revision < 14);
    }
}

TEST(ViewerReportList, TheGridTextLeavesTheLotColumnEmptyBeforeRevision14)
{
    testsupport::TempDataHome home;
    for (const int revision : {6, 13, 14}) {
        SCOPED_TRACE(revision);
        const auto old = eightGroups(revision);
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        const viewer::ReportListView view = list.chooseFile(old->path(), {}).list;
        EXPECT_EQ(view.page.clipText().section('\r', 0, 0),
                  QString("1\t%1\t6/1/2015 8:30:15 AM\t6/1/2015 9:45:00 AM").arg(revision >= 14 ? "B-1" : ""));
    }
}

TEST(ViewerReportList, ShowAllAddsOpenAndCancelledGroupsButOnlyThoseThatWereStarted)
{
    testsupport::TempDataHome home;
    const auto old = eightGroups(12);
    old->connect()->execute("UPDATE TestGroups SET DateCompleted = '1899-12-30 00:00:00' WHERE GroupID = 6");
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    list.chooseFile(old->path(), {});
    viewer::ReportListRequest request;
    EXPECT_EQ(ids(list.load(request)), QList<qint32>({1, 3, 4, 5, 8}));
    request.showAll = true;
    const viewer::ReportListView all = list.load(request);
    EXPECT_EQ(ids(all), QList<qint32>({1, 3, 4, 5, 6, 7, 8})); // never the condensed group 2
}

TEST(ViewerReportList, PagesOfAThousandCountEveryFinishedGroupAndTheLastPageShowsTheLastThousand)
{
    testsupport::TempDataHome home;
    const OldDatabase old(platform::DbBackend::SQLite, 6, OldRevisionSeed{2345, 0, 0});
    old.connect()->execute("UPDATE TestGroups SET Cancelled = 0");
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    const viewer::ReportListView first = list.chooseFile(old.path(), {}).list;
    EXPECT_EQ(first.pageCount, 3);
    EXPECT_EQ(first.pageIndex, 0);
    EXPECT_EQ(ids(first), range(1, 1000));

    viewer::ReportListRequest request;
    request.page = 3;
    const viewer::ReportListView third = list.load(request);
    EXPECT_EQ(third.pageIndex, 2);
    EXPECT_EQ(ids(third), range(1346, 2345));
    request.ascending = false;
    EXPECT_EQ(ids(list.load(request)), range(1000, 1));

    // Exactly two full pages still offer a third, which repeats the second.
    old.connect()->execute("DELETE FROM TestGroups WHERE GroupID > 2000");
    request.ascending = true;
    const viewer::ReportListView exact = list.load(request);
    EXPECT_EQ(exact.pageCount, 3);
    EXPECT_EQ(ids(exact), range(1001, 2000));
}

// The type the window shows is the one the list was read with: it is kept
// across the reloads of paging and sorting and starts again from "ALL" for
// a newly chosen database.
TEST(ViewerReportList, TheReportTypeIsKeptAcrossReloadsAndStartsAgainForANewDatabase)
{
    testsupport::TempDataHome home;
    const auto old = eightGroups(12);
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    viewer::ReportListRequest request;
    request.reportType = "ZAMO80";
    const viewer::ReportListView chosen = list.chooseFile(old->path(), request).list;
    EXPECT_EQ(chosen.reportType, "ALL");
    EXPECT_EQ(ids(chosen), QList<qint32>({1, 3, 4, 5, 6, 8}));
    EXPECT_TRUE(chosen.reportTypeEnabled);
    EXPECT_THAT(chosen.reportTypes, ::testing::ElementsAre("ALL", "ZAMO", "ZAMO80", "ZAMO2-4"));

    for (const int page : {1, 2}) {
        request.page = page;
        const viewer::ReportListView view = list.load(request);
        EXPECT_EQ(view.reportType, "ZAMO80");
        EXPECT_EQ(ids(view), QList<qint32>({3, 4}));
    }
}

TEST(ViewerReportList, ArchiveRecordsAreListedFromRevision7)
{
    testsupport::TempDataHome home;
    for (const int revision : {6, 7, 15}) {
        SCOPED_TRACE(revision);
        const OldDatabase old(platform::DbBackend::SQLite, revision, OldRevisionSeed{2, 0, 0});
        if (revision >= 7)
            old.connect()->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                                   "('1-500', 1, 500, 'ZAMO_Results-20140101-080000.mdb', '2014-01-01 08:00:00')");
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        const viewer::ReportListView view = list.chooseFile(old.path(), {}).list;
        EXPECT_EQ(view.failure, "");
        EXPECT_EQ(view.archives.clipText(),
                  revision >= 7 ? "1-500\tZAMO_Results-20140101-080000.mdb\t1/1/2014 8:00:00 AM" : "");
    }
}

TEST(ViewerReportList, TheCondensedReportOfAGroupWithACondensedZamo80GroupIsTheZamo80One)
{
    testsupport::TempDataHome home;
    for (const int revision : {8, 9, 15}) {
        SCOPED_TRACE(revision);
        const OldDatabase old(platform::DbBackend::SQLite, revision);
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        list.chooseFile(old.path(), {});
        EXPECT_EQ(list.condensedKind(1),
                  revision >= 9 ? viewer::ReportKind::Zamo80Condensed : viewer::ReportKind::Condensed);
        EXPECT_EQ(list.condensedKind(3), viewer::ReportKind::Condensed);
        EXPECT_EQ(list.condensedKind(40000), viewer::ReportKind::Condensed); // no such group
    }
}

} // namespace
