// Opening a database in the report viewer and showing the first page of its
// list, as the file choice does: the revision read (and the revision-10
// check), the first 1000 groups, the number of finished groups that sizes
// the page list, and the archive records. A revision-15 file, and a
// revision-6 file, whose groups are numbered by GroupID.
//
// Then a change of page in the open viewer: the last page of the list.
// Each is set beside its statements run bare (BareStatements.h: read_ms,
// bare_ms, x_bare).
//
// The database holds 2,500 groups, so that the CTest run stays short, and
// 100,000 (the size the viewer must open in under 1 s) with ZAMO_BENCH_FULL=1:
//   ZAMO_BENCH_FULL=1 build/tests/zamo_benchmarks --benchmark_filter=Viewer

#include "BareStatements.h"
#include "BenchSize.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "support/OldRevisionDatabase.h"
#include "viewer/ViewerReportList.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

using benchsupport::groupCount;

struct BenchFile {
    QTemporaryDir folder;
    QString path;
};

// The file of the revision, built at the first call; "" (with the reason)
// when it could not be built.
QString benchFile(int revision, QString* why)
{
    static std::map<int, std::unique_ptr<BenchFile>> files;
    auto found = files.find(revision);
    if (found != files.end())
        return found->second->path;
    auto file = std::make_unique<BenchFile>();
    file->path = file->folder.path() + QStringLiteral("/ZAMO_Results.mdb");
    try {
        platform::DbConnection db;
        db.createFile(file->path);
        testsupport::buildOldRevisionDatabase(db, revision, {groupCount(), 0, 0});
    } catch (const platform::DbError& e) {
        *why = e.text();
        return QString();
    }
    return files.emplace(revision, std::move(file)).first->second->path;
}

// The file of the revision, or "" with the benchmark skipped.
QString benchFileOrSkip(benchmark::State& state, int revision)
{
    QString why;
    const QString path = benchFile(revision, &why);
    if (path.isEmpty())
        state.SkipWithError(why.toStdString().c_str());
    return path;
}

void BM_ViewerOpen(benchmark::State& state, int revision)
{
    const QString path = benchFileOrSkip(state, revision);
    if (path.isEmpty())
        return;
    benchsupport::BareStatements bare(path, benchsupport::BareStatements::sqliteFile(path));
    for (auto _ : state) {
        bare.beginRead();
        viewer::ViewerDatabase db;
        viewer::ViewerReportList list(db);
        const viewer::DatabaseChoice choice = list.chooseFile(path, {});
        bare.endRead(state);
        if (choice.list.page.rows.size() != viewer::ReportListRequest::PageSize) {
            state.SkipWithError(("the first page is not full: " + choice.list.failure).toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(choice.list.pageCount);
    }
    bare.report(state);
    state.SetLabel(QStringLiteral("%1 groups, revision %2").arg(groupCount()).arg(revision).toStdString());
}

void BM_ViewerPage(benchmark::State& state, int revision)
{
    const QString path = benchFileOrSkip(state, revision);
    if (path.isEmpty())
        return;
    viewer::ViewerDatabase db;
    viewer::ViewerReportList list(db);
    viewer::ReportListRequest request;
    request.page = list.chooseFile(path, {}).list.pageCount;
    benchsupport::BareStatements bare(path, benchsupport::BareStatements::sqliteFile(path));
    for (auto _ : state) {
        bare.beginRead();
        const viewer::ReportListView view = list.load(request);
        bare.endRead(state);
        if (view.page.rows.size() != viewer::ReportListRequest::PageSize) {
            state.SkipWithError(("the last page is not full: " + view.failure).toStdString().c_str());
            return;
        }
    }
    bare.report(state);
    state.SetLabel(QStringLiteral("%1 groups, revision %2, page %3")
                       .arg(groupCount())
                       .arg(revision)
                       .arg(request.page)
                       .toStdString());
}

BENCHMARK_CAPTURE(BM_ViewerOpen, Revision15, 15)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ViewerOpen, Revision6, 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ViewerPage, Revision15, 15)->Unit(benchmark::kMillisecond);

} // namespace
