// Reloading the report list, as the list window does on a click: one page
// of 1000 groups, the number of finished groups that sizes the page list,
// and the archive list. The first page and the last one (the last entry of
// the page list), by group number and by lot, on the local database file on
// disk and on the PostgreSQL test server when scripts/test.sh runs one
// (ZAMO_TEST_PG*). Then the list window itself, from the click to the page
// drawn: its opening on the first page, and the last entry of its page
// list; each must stay under 300 ms for 100,000 groups.
//
// The database holds 2,500 groups, so that the CTest run stays short, and
// 100,000 (the size the window must serve) with ZAMO_BENCH_FULL=1, e.g.
//   ZAMO_BENCH_FULL=1 build/tests/zamo_benchmarks --benchmark_filter=ReportList
// One group in ten is a condensed ZAMO80 group (never listed), one in fifty
// cancelled, one in five a ZAMO80 run, one in twenty a ZAMO2-4 run, seven
// groups to a lot; the database is built once per back end and run.
//
// Each reload is set beside the statements it ran, run bare (BareStatements.h:
// the counters read_ms, bare_ms and x_bare). The number of finished groups is
// counted once and kept while the database stays as it is, so a reload runs
// the page's statement, the archive list and the checks that nothing has
// changed; BM_ReportListFirstOpen is the first reload on a connection, which
// counts the groups.

#include "BareStatements.h"
#include "BenchSize.h"
#include "config/StationSettings.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "results/EmptyDatabase.h"
#include "results/ReportLists.h"
#include "results/ResultsSchema.h"
#include "run/ReportActions.h"
#include "support/PgTestDatabase.h"
#include "ui/common/TextGrid.h"
#include "ui/reportlists/DatabaseArchiving.h"
#include "ui/reportlists/ReportListHost.h"
#include "ui/reportlists/ReportListWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <limits>
#include <map>
#include <memory>
#include <string>

namespace {

using platform::DbBackend;
using platform::DbConnection;

using benchsupport::groupCount;

// The rows of a database in use: limits, texts and dates as a run writes them.
void fillGroups(platform::DbConnection& db, int count)
{
    const bool sqlite = db.backend() == platform::DbBackend::SQLite;
    const QString start = sqlite ? QStringLiteral("datetime('2020-01-01', '+' || (i * 7) || ' minutes')")
                                 : QStringLiteral("(TIMESTAMP '2020-01-01 00:00:00' + i * INTERVAL '7 minutes')");
    const QString end = sqlite ? QStringLiteral("datetime('2020-01-01', '+' || (i * 7 + 5) || ' minutes')")
                               : QStringLiteral("(TIMESTAMP '2020-01-01 00:05:00' + i * INTERVAL '7 minutes')");
    const QString zero = db.dialect().dateLiteral(QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    db.execute(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO TestGroups (UniqueGroupID, DateExecuted, DateCompleted, LotNumber, Notes, Cancelled, "
            "TestLimitString, TestWarningString, DCOLimit, ACZLimit, DCOWarning, ACZWarning, Zamo80, "
            "SoftwareVersion, Zamo80CondensedID, DemoMode, Zamo24, Completed, WindowsUserName, ComputerName, "
            "LotNumberSortField) "
            "SELECT i, CASE WHEN i % 10 = 0 THEN NULL ELSE %2 END, "
            "CASE WHEN i % 10 = 0 THEN NULL WHEN i > %1 - 2 THEN %4 ELSE %3 END, "
            "'LOT-' || (i / 7), 'Shift notes of the run', (i % 50 = 3), "
            "'DCO: 100 mV, ACZ: 3000 Ohms, SDR 5 s offset: 100 mV, SDR slope: 1 mV/s, NOISE: 150 uV, BIAS: 100 mV', "
            "'DCO: 80 mV, ACZ: 2000 Ohms, SDR 5 s offset: 80 mV, SDR slope: 0.8 mV/s, NOISE: 120 uV, BIAS: 80 mV', "
            "100, 3000, 80, 2000, (i % 5 = 0 OR i % 20 = 1), '1.0.0', CASE WHEN i % 10 = 0 THEN i - 1 END, "
            "(1 = 0), (i % 20 = 1), (i % 10 <> 0 AND i <= %1 - 2), 'operator', 'BENCH-01', 'LOT-' || (i / 7) "
            "FROM n")
            .arg(count)
            .arg(start, end, zero));
    db.execute(QStringLiteral("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                              "('1-100000', 1, 100000, 'ZAMO_Results-20190101-080000.mdb', %1)")
                   .arg(db.dialect().dateLiteral(QDateTime(QDate(2019, 1, 1), QTime(8, 0)))));
    if (!sqlite)
        db.execute(QStringLiteral("ANALYZE TestGroups")); // as the server's own upkeep leaves it
}

struct BenchDatabase {
    QTemporaryDir folder;
    std::unique_ptr<testsupport::PgTestDatabase> server;
    platform::DbConnection db;

    // The bare statements of a read on this database.
    std::unique_ptr<benchsupport::BareStatements> bare() const
    {
        return std::make_unique<benchsupport::BareStatements>(
            db.databaseName(), server ? benchsupport::BareStatements::server(server->address())
                                      : benchsupport::BareStatements::sqliteFile(db.databaseName()));
    }
};

std::map<platform::DbBackend, std::unique_ptr<BenchDatabase>>& databases()
{
    static std::map<platform::DbBackend, std::unique_ptr<BenchDatabase>> all;
    return all;
}

// The database of the back end, built at the first call; nullptr (with the
// reason) when there is none to be had. Released while the application, and
// with it the database drivers, still stand.
BenchDatabase* benchDatabase(platform::DbBackend backend, QString* why)
{
    auto& all = databases();
    auto found = all.find(backend);
    if (found != all.end())
        return found->second.get();
    if (all.empty())
        qAddPostRoutine([] { databases().clear(); });
    auto bench = std::make_unique<BenchDatabase>();
    try {
        if (backend == platform::DbBackend::SQLite) {
            const QString path = bench->folder.path() + QStringLiteral("/ZAMO_Results.mdb");
            if (results::buildEmptyDatabase(path, why).isEmpty())
                return nullptr;
            bench->db.openFile(path, false);
        } else {
            if (!testsupport::PgTestDatabase::serverConfigured(why))
                return nullptr;
            bench->server = std::make_unique<testsupport::PgTestDatabase>();
            bench->db.openServer(bench->server->address());
            results::ResultsSchema::create(bench->db, results::ResultsSchema::CurrentRevision);
        }
        fillGroups(bench->db, groupCount());
    } catch (const platform::DbError& e) {
        *why = e.text();
        return nullptr;
    }
    return all.emplace(backend, std::move(bench)).first->second.get();
}

enum class Page { First, Last };

void BM_ReportListReload(benchmark::State& state, platform::DbBackend backend, results::ReportSortKey sortBy,
                         Page which)
{
    QString why;
    BenchDatabase* bench = benchDatabase(backend, &why);
    if (!bench) {
        state.SkipWithError(why.toStdString().c_str());
        return;
    }
    platform::DbConnection* db = &bench->db;
    results::ReportListQuery query;
    query.sortBy = sortBy;
    if (which == Page::Last)
        query.page = int(results::countCompletedTestGroups(*db, false) / query.pageSize + 1);
    const auto bare = bench->bare();
    for (auto _ : state) {
        bare->beginRead();
        const results::ReportListPage page = results::reportListPage(*db, query);
        benchmark::DoNotOptimize(results::countCompletedTestGroups(*db, false));
        benchmark::DoNotOptimize(results::archiveList(*db));
        bare->endRead(state);
        if (page.rows.size() != query.pageSize) {
            state.SkipWithError("fewer finished groups than one page");
            return;
        }
    }
    bare->report(state);
    state.SetLabel(QStringLiteral("%1 groups, page %2").arg(groupCount()).arg(query.page).toStdString());
}

// The first reload on a newly opened connection: the groups are counted.
// The bare statements run on a newly opened connection of their own as
// well, so that both sides meet the same cold connection (its first
// statements prepared, the server's catalogue or the file's schema read);
// neither opening is timed.
void BM_ReportListFirstOpen(benchmark::State& state, platform::DbBackend backend)
{
    QString why;
    BenchDatabase* bench = benchDatabase(backend, &why);
    if (!bench) {
        state.SkipWithError(why.toStdString().c_str());
        return;
    }
    const auto bare = bench->bare();
    std::unique_ptr<DbConnection> db;
    for (auto _ : state) {
        state.PauseTiming();
        db = std::make_unique<DbConnection>();
        if (bench->server)
            db->openServer(bench->server->address());
        else
            db->openFile(bench->db.databaseName(), false);
        bare->reconnect();
        state.ResumeTiming();
        bare->beginRead();
        const results::ReportListPage page = results::reportListPage(*db, results::ReportListQuery());
        benchmark::DoNotOptimize(results::countCompletedTestGroups(*db, false));
        benchmark::DoNotOptimize(results::archiveList(*db));
        bare->endRead(state);
        if (page.rows.size() != 1000) {
            state.SkipWithError("fewer finished groups than one page");
            return;
        }
    }
    bare->report(state);
    state.SetLabel(QStringLiteral("%1 groups, page 1").arg(groupCount()).toStdString());
}

// The station as the list window sees it here: the bench database, no
// units, no report actions, and no archive (MaxRecords beyond reach).
class BenchListHost : public ui::ReportListHost, private ui::DatabaseArchiving {
public:
    BenchListHost(DbConnection& db, bool local) : m_db(db)
    {
        m_settings.database.useLocalDatabase = local;
        m_settings.database.maxRecords = std::numeric_limits<qint32>::max();
    }
    const config::StationSettings& settings() const override { return m_settings; }
    DbConnection* liveDatabase() override { return &m_db; }
    run::ConnectedUnitsMode unitsMode() const override { return run::ConnectedUnitsMode::None; }
    bool singleZamo24() const override { return false; }
    run::ReportActions& reports() override { return m_reports; }
    ui::DatabaseArchiving& archiving() override { return *this; }
    bool runActive() const override { return false; }
    void showWindow(QWidget* window) override { delete window; }
    int archives = 0;

private:
    void archiveDatabase() override { ++archives; }

    DbConnection& m_db;
    config::StationSettings m_settings;
    run::NoReportActions m_reports;
};

void BM_ReportListWindow(benchmark::State& state, DbBackend backend, Page which)
{
    QString why;
    BenchDatabase* bench = benchDatabase(backend, &why);
    if (!bench) {
        state.SkipWithError(why.toStdString().c_str());
        return;
    }
    BenchListHost host(bench->db, backend == DbBackend::SQLite);
    ui::ReportListWindow window(host);
    window.show();
    window.load();
    const int last = window.pagesList()->count() - 1;
    const auto bare = bench->bare();
    for (auto _ : state) {
        bare->beginRead();
        if (which == Page::First) {
            window.load(); // the opening: the report type of the units (none: "ZAMO")
        } else {
            window.pagesList()->setCurrentIndex(last);
            emit window.pagesList()->activated(last);
        }
        window.repaint();
        bare->endRead(state);
        if (window.reportGrid()->rowCount() != 1000) {
            state.SkipWithError("fewer finished groups than one page");
            return;
        }
    }
    bare->report(state);
    state.SetLabel(
        QStringLiteral("%1 groups, page %2").arg(groupCount()).arg(which == Page::First ? 1 : last + 1).toStdString());
}

// BM_ReportListReload/<back end>_<order>_<page>
const bool registered = [] {
    using results::ReportSortKey;
    for (platform::DbBackend backend : {platform::DbBackend::SQLite, platform::DbBackend::PostgreSQL})
        for (results::ReportSortKey sortBy : {results::ReportSortKey::Id, results::ReportSortKey::Lot})
            for (Page which : {Page::First, Page::Last}) {
                const std::string name = std::string("BM_ReportListReload/")
                                         + (backend == platform::DbBackend::SQLite ? "SQLite" : "PostgreSQL")
                                         + (sortBy == results::ReportSortKey::Id ? "_Id" : "_Lot")
                                         + (which == Page::First ? "_First" : "_Last");
                benchmark::RegisterBenchmark(name.c_str(), BM_ReportListReload, backend, sortBy, which)
                    ->Unit(benchmark::kMillisecond);
            }
    for (DbBackend backend : {DbBackend::SQLite, DbBackend::PostgreSQL})
        benchmark::RegisterBenchmark(backend == DbBackend::SQLite ? "BM_ReportListFirstOpen/SQLite"
                                                                  : "BM_ReportListFirstOpen/PostgreSQL",
                                     BM_ReportListFirstOpen, backend)
            ->Unit(benchmark::kMillisecond);
    for (DbBackend backend : {DbBackend::SQLite, DbBackend::PostgreSQL})
        for (Page which : {Page::First, Page::Last}) {
            const std::string name = std::string("BM_ReportListWindow/")
                                     + (backend == DbBackend::SQLite ? "SQLite" : "PostgreSQL")
                                     + (which == Page::First ? "_First" : "_Last");
            benchmark::RegisterBenchmark(name.c_str(), BM_ReportListWindow, backend, which)
                ->Unit(benchmark::kMillisecond);
        }
    return true;
}();

} // namespace
