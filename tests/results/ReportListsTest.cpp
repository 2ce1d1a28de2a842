// The report lists on both back ends: pages and the page past the end, the
// type filter and Show All, the sort orders with a lot across a page
// boundary, the grid text, archive files read and never written, and the
// condensed-group link.

#include "platform/DbError.h"
#include "platform/OleDate.h"
#include "results/EmptyDatabase.h"
#include "results/ReportListSource.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "results/TestGroupLimitSets.h"
#include "results/TestGroupLookups.h"
#include "results/TestGroupWriter.h"
#include "support/DatabaseBackendFixture.h"
#include "support/ListedGroups.h"
#include "support/WriteProtection.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gmock/gmock.h>

#include <algorithm>

using platform::DbConnection;
using platform::DbError;
using platform::DbParameter;
using platform::DbType;
using results::ReportListQuery;
using results::ReportListSource;
using results::ReportSortKey;
using testsupport::addListedGroups;
using testsupport::finishedGroups;
using testsupport::idRange;
using testsupport::ListedGroup;
using testsupport::listedGroupStart;
using State = testsupport::GroupState;
using Model = testsupport::GroupModel;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const QDateTime kFirstStart(QDate(2026, 3, 2), QTime(9, 0));

QList<qint32> ids(const results::ReportListPage& page)
{
    QList<qint32> out;
    for (const results::ReportListRow& row : page.rows)
        out << row.uniqueGroupId;
    return out;
}

results::ReportListQuery pageOf(int page, int pageSize = 1000, bool ascending = true,
                                results::ReportSortKey sortBy = results::ReportSortKey::Id)
{
    results::ReportListQuery q;
    q.page = page;
    q.pageSize = pageSize;
    q.ascending = ascending;
    q.sortBy = sortBy;
    return q;
}

class ReportLists : public DatabaseBackendTest {
protected:
    void SetUp() override
    {
        DatabaseBackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        db = openDirect();
    }

    // The lists as a window reads them: the live database through the
    // test's connection, counting each time it is asked for.
    results::ReportListSource source()
    {
        return results::ReportListSource(
            [this] {
                ++liveOpens;
                return db.get();
            },
            local());
    }
    QList<qint32> pageIds(const results::ReportListQuery& q, const QString& archive = QString())
    {
        return ids(source().page(q, archive));
    }

    std::unique_ptr<platform::DbConnection> db;
    int liveOpens = 0;
};

TEST_P(ReportLists, PagesOfAThousandAndThePagesPastTheEnd)
{
    addListedGroups(*db, finishedGroups(1, 2500));
    EXPECT_EQ(source().countCompletedTestGroups(false), 2500);

    const struct {
        int page, size;
        bool ascending;
        qint32 first, last;
    } pages[] = {
        {1, 1000, true, 1, 1000},     {2, 1000, true, 1001, 2000}, {3, 1000, true, 1501, 2500}, // last, partial
        {4, 1000, true, 1501, 2500},  {9, 1000, true, 1501, 2500},                              // past the end
        {1, 1000, false, 2500, 1501}, {2, 1000, false, 1500, 501}, {3, 1000, false, 1000, 1},
        {2, 500, true, 501, 1000},    {4, 500, true, 1501, 2000},  {2, 500, false, 2000, 1501},
        {5, 500, false, 500, 1},
    };
    for (const auto& p : pages)
        EXPECT_EQ(pageIds(pageOf(p.page, p.size, p.ascending)), idRange(p.first, p.last))
            << "page " << p.page << " of " << p.size << (p.ascending ? " ascending" : " descending");

    // Exactly two full pages: the third shows the second again.
    db->execute("DELETE FROM TestGroups WHERE UniqueGroupID > 2000");
    EXPECT_EQ(pageIds(pageOf(3)), idRange(1001, 2000));
    // Fewer groups than a page: every page shows them all.
    db->execute("DELETE FROM TestGroups WHERE UniqueGroupID > 7");
    EXPECT_EQ(pageIds(pageOf(1)), idRange(1, 7));
    EXPECT_EQ(pageIds(pageOf(2)), idRange(1, 7));
}

TEST_P(ReportLists, TypeFilterAndShowAllChooseTheGroups)
{
    addListedGroups(*db, {{1, State::Finished, Model::Base},
                          {2, State::Finished, Model::Zamo80},
                          {3, State::Finished, Model::Zamo24},
                          {4, State::Open, Model::Base},
                          {5, State::Cancelled, Model::Zamo80},
                          {6, State::Condensed, Model::Zamo80},
                          {7, State::Open, Model::Zamo24},
                          {8, State::Cancelled, Model::Base}});

    const struct {
        const char* type;
        bool showAll;
        QList<qint32> ids;
    } cases[] = {
        {"ALL", false, {1, 2, 3}},    {"ALL", true, {1, 2, 3, 4, 5, 7, 8}}, // never the condensed group 6
        {"ZAMO", false, {1}},         {"ZAMO", true, {1, 4, 8}},
        {"ZAMO80", false, {2}},       {"ZAMO80", true, {2, 5}},
        {"ZAMO2-4", false, {3}},      {"ZAMO2-4", true, {3, 7}},
        {"zamo80", false, {1, 2, 3}}, {"", false, {1, 2, 3}}, // any other text lists all
    };
    for (const auto& c : cases) {
        results::ReportListQuery q = pageOf(1);
        q.type = results::reportTypeFromText(c.type);
        q.showAll = c.showAll;
        EXPECT_EQ(pageIds(q), c.ids) << c.type << (c.showAll ? " with Show All" : "");
    }

    // The count knows no type and no start date: Show All counts every group.
    EXPECT_EQ(source().countCompletedTestGroups(false), 3);
    EXPECT_EQ(source().countCompletedTestGroups(true), 8);
}

TEST_P(ReportLists, SortedByIdOrByLotWithTheGroupsOfALotAscendingInEitherDirection)
{
    addListedGroups(*db, {{1, State::Finished, Model::Base, QString("B")},
                          {2, State::Finished, Model::Base, QString("A")},
                          {3, State::Finished, Model::Base, QString("B")},
                          {4, State::Finished, Model::Base, QVariant()},
                          {5, State::Finished, Model::Base, QString("A")}});
    EXPECT_EQ(pageIds(pageOf(1, 1000, true, results::ReportSortKey::Id)), QList<qint32>({1, 2, 3, 4, 5}));
    EXPECT_EQ(pageIds(pageOf(1, 1000, false, results::ReportSortKey::Id)), QList<qint32>({5, 4, 3, 2, 1}));
    EXPECT_EQ(pageIds(pageOf(1, 1000, true, results::ReportSortKey::Lot)), QList<qint32>({4, 2, 5, 1, 3}));
    EXPECT_EQ(pageIds(pageOf(1, 1000, false, results::ReportSortKey::Lot)), QList<qint32>({1, 3, 2, 5, 4}));

    // The rows as values and as the grid's text; a lot without text is empty.
    const results::ReportListPage page = source().page(pageOf(1, 2, true, results::ReportSortKey::Lot));
    ASSERT_EQ(page.rows.size(), 2);
    EXPECT_EQ(page.rows[0].lot, QString());
    EXPECT_EQ(page.rows[1].lot, "A");
    EXPECT_EQ(page.rows[1].dateExecuted, listedGroupStart(2));
    EXPECT_EQ(page.rows[1].dateCompleted, listedGroupStart(2).addSecs(1800));
    EXPECT_EQ(page.clipText(), "4\t\t3/2/2026 9:04:00 AM\t3/2/2026 9:34:00 AM\r"
                               "2\tA\t3/2/2026 9:02:00 AM\t3/2/2026 9:32:00 AM");
}

TEST_P(ReportLists, ALotAcrossAPageBoundaryPutsEveryGroupOnExactlyOnePage)
{
    // Lot "M" runs from the middle of page 2 into page 3 (pages of 4).
    const char* lots = "AMMBMMCMMZMA";
    QList<ListedGroup> groups;
    for (qint32 id = 1; id <= 12; ++id)
        groups << ListedGroup{id, State::Finished, Model::Base, QString(QChar(lots[id - 1]))};
    addListedGroups(*db, groups);

    // The lots either way, the groups of a lot ascending in both; the last
    // page is read from the end of the list.
    const struct {
        bool ascending;
        QList<qint32> order;
    } directions[] = {
        {true, {1, 12, 4, 7, 2, 3, 5, 6, 8, 9, 11, 10}},
        {false, {10, 2, 3, 5, 6, 8, 9, 11, 7, 4, 1, 12}},
    };
    for (const auto& d : directions) {
        QList<qint32> pages;
        for (int p = 1; p <= 3; ++p)
            pages += pageIds(pageOf(p, 4, d.ascending, results::ReportSortKey::Lot));
        EXPECT_EQ(pages, d.order) << (d.ascending ? "ascending" : "descending");
        // A page past the end shows the last page in the same order.
        EXPECT_EQ(pageIds(pageOf(5, 4, d.ascending, results::ReportSortKey::Lot)), d.order.mid(8))
            << (d.ascending ? "ascending" : "descending");
    }
}

TEST_P(ReportLists, AnEmptyListHasNoRowsAndABadPageIsRefused)
{
    EXPECT_EQ(source().countCompletedTestGroups(false), 0);
    for (int p : {1, 2}) {
        const results::ReportListPage page = source().page(pageOf(p));
        EXPECT_TRUE(page.rows.isEmpty());
        EXPECT_EQ(page.clipText(), QString());
    }
    addListedGroups(*db, {{1, State::Open}});
    EXPECT_TRUE(source().page(pageOf(1)).rows.isEmpty()) << "the only group is open";
    EXPECT_TRUE(source().archives().rows.isEmpty());

    for (const results::ReportListQuery& bad : {pageOf(0), pageOf(1, 0), pageOf(-3)}) {
        try {
            source().page(bad);
            ADD_FAILURE() << "page " << bad.page << " of " << bad.pageSize << " was shown";
        } catch (const platform::DbError& e) {
            EXPECT_THAT(e.text().toStdString(), HasSubstr("numbered from 1"));
        }
    }
}

TEST_P(ReportLists, GroupsWrittenByTheStationAreListedByTheirState)
{
    const config::Limits limits;
    auto create = [this, &limits](bool zamo24) {
        return zamo24
                   ? results::createZamo80TestGroup(
                       database, groupEnds.openGroupNote(), kFirstStart, platform::OleDate().toDateTime(),
                       results::currentZamo80Limits(limits), "L-24", "", {}, {}, "operator", "BENCH-1", true, {}, false)
                   : results::createTestGroup(database, groupEnds.openGroupNote(), kFirstStart,
                                              platform::OleDate().toDateTime(), results::currentStandardLimits(limits),
                                              "L-1", "", {}, {}, "operator", "BENCH-1", {}, false);
    };
    const qint32 open = create(false);
    const qint32 completed = create(false);
    const qint32 cancelled = create(false);
    const qint32 zamo24 = create(true);
    ASSERT_TRUE(groupEnds.completeTestGroup(completed, kFirstStart.addSecs(600)));
    groupEnds.cancelTestGroup(cancelled);
    ASSERT_TRUE(groupEnds.completeTestGroup(zamo24, kFirstStart.addSecs(900)));
    auto number = [this](qint32 group) { return results::getUniqueGroupID(database, group); };

    // The window's own wiring: the shared connection, opened on demand.
    const results::ReportListSource lists(
        [this] { return database.openDatabase(false) ? database.sharedConnection() : nullptr; }, local());
    EXPECT_THAT(ids(lists.page(pageOf(1))), ElementsAre(number(completed), number(zamo24)));
    results::ReportListQuery all = pageOf(1);
    all.showAll = true;
    EXPECT_THAT(ids(lists.page(all)), ElementsAre(number(open), number(completed), number(cancelled), number(zamo24)));
    all.type = results::ReportType::Zamo24;
    EXPECT_THAT(ids(lists.page(all)), ElementsAre(number(zamo24)));
    EXPECT_EQ(lists.countCompletedTestGroups(false), 2);
}

TEST_P(ReportLists, AnArchiveFileIsReadOnlyAndOnlyBesideALocalDatabase)
{
    addListedGroups(*db, finishedGroups(1, 3));
    db->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                "('1-40', 1, 40, 'ZAMO_Results-20260101-080000.mdb', ?), "
                "('41-90', 41, 90, 'ZAMO_Results-20260201-080000.mdb', ?)",
                {{"d1", platform::DbType::Date, 0, QDateTime(QDate(2026, 1, 1), QTime(8, 0))},
                 {"d2", platform::DbType::Date, 0, QDateTime(QDate(2026, 2, 1), QTime(8, 0))}});

    // An archive of the local file: groups 91 and 92 (the latter condensed
    // into GroupID 7), and the record of the one archive before it.
    QDir().mkpath(home.stationFolder() + "/Archive");
    const QString archive = home.stationFolder() + "/Archive/ZAMO_Results-20260301-080000.mdb";
    ASSERT_EQ(results::buildEmptyDatabase(archive), archive);
    {
        platform::DbConnection file;
        file.openFile(archive, false);
        addListedGroups(file, {{91}, {92, State::Finished, Model::Zamo80, QString("L"), 7}});
        file.execute("INSERT INTO Archive (Range, FileName, ArchiveDate) VALUES "
                     "('1-90', 'ZAMO_Results-20260201-080000.mdb', '2026-02-01 08:00:00')");
    }
    auto fingerprint = [&] {
        QFile f(archive);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    };
    const QByteArray before = fingerprint();
    const QDateTime modified = QFileInfo(archive).lastModified();
    testsupport::WriteProtection protection(archive); // where it can be had; the bytes tell in any case

    const results::ReportListSource lists = source();
    EXPECT_EQ(lists.readsArchive(archive), local());
    if (local()) {
        EXPECT_EQ(pageIds(pageOf(1), archive), QList<qint32>({91, 92}));
        const results::ArchiveList archives = lists.archives(archive);
        ASSERT_EQ(archives.rows.size(), 1);
        EXPECT_EQ(archives.rows[0].range, "1-90");
        EXPECT_EQ(lists.condensedReportId(92, archive), 7);
        EXPECT_EQ(liveOpens, 0) << "the live database is left alone";
        EXPECT_EQ(fingerprint(), before);
        EXPECT_EQ(QFileInfo(archive).lastModified(), modified);
        EXPECT_THAT(QDir(home.stationFolder() + "/Archive").entryList(QDir::Files),
                    ElementsAre(QFileInfo(archive).fileName()))
            << "no journal or other file beside the archive";

        const QString missing = home.stationFolder() + "/Archive/ZAMO_Results-20250101-080000.mdb";
        try {
            lists.page(pageOf(1), missing);
            ADD_FAILURE() << "a missing archive was listed";
        } catch (const platform::DbError& e) {
            EXPECT_THAT(e.text().toStdString(), HasSubstr("does not exist"));
        }
        EXPECT_FALSE(QFileInfo::exists(missing));
    } else {
        // A server: the archive path is ignored and the server is read.
        EXPECT_EQ(pageIds(pageOf(1), archive), QList<qint32>({1, 2, 3}));
        EXPECT_EQ(lists.archives(archive).rows.size(), 2);
        EXPECT_EQ(lists.condensedReportId(92, archive), 0);
    }

    // The live database's own archive list, in the order the archives were made.
    const results::ArchiveList live = lists.archives();
    ASSERT_EQ(live.rows.size(), 2);
    EXPECT_EQ(live.rows[1].fileName, "ZAMO_Results-20260201-080000.mdb");
    EXPECT_EQ(live.rows[1].archiveDate, QDateTime(QDate(2026, 2, 1), QTime(8, 0)));
    EXPECT_EQ(live.clipText(), "1-40\tZAMO_Results-20260101-080000.mdb\t1/1/2026 8:00:00 AM\r"
                               "41-90\tZAMO_Results-20260201-080000.mdb\t2/1/2026 8:00:00 AM");
    EXPECT_EQ(lists.countCompletedTestGroups(false), 3) << "the count reads the live database";
}

TEST_P(ReportLists, TheCondensedLinkIsZeroForAMissingGroupNullOrAnyFailure)
{
    addListedGroups(*db, {{1, State::Finished, Model::Zamo80, QString("L"), 9}, {2, State::Finished, Model::Zamo80}});
    EXPECT_EQ(source().condensedReportId(1), 9);
    EXPECT_EQ(source().condensedReportId(2), 0) << "Null";
    EXPECT_EQ(source().condensedReportId(99), 0) << "no such group";

    // A live database that cannot be opened.
    const results::ReportListSource unreachable([] { return nullptr; }, local());
    EXPECT_EQ(unreachable.condensedReportId(1), 0);
    EXPECT_EQ(unreachable.countCompletedTestGroups(false), 0);
    EXPECT_THROW(unreachable.page(pageOf(1)), platform::DbError);
    db->close();
    EXPECT_EQ(results::condensedReportId(*db, 1), 0) << "a closed connection";
}

} // namespace

INSTANTIATE_ON_BOTH_BACKENDS(ReportLists);
