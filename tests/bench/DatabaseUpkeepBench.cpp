// The database upkeep on a big file: a revision-6 database file rising to 15
// (target: under a minute for 100,000 groups, each with three tests of two
// readings, with the message loop let run at least every second), and the
// archive of a file of that size (target: under 30 s).
//
// longest_stretch_ms is the longest wait between two turns of the message
// loop during the upgrade; stretch_goal_ms beside it is what 100,000 groups
// may take so that a file ten times larger still turns the loop every second.
//
// The smoke run (ctest) uses 1,000 groups; the full size runs with
//   ZAMO_BENCH_FULL=1 ./build/tests/zamo_benchmarks --benchmark_filter=Upkeep

#include "BenchSize.h"
#include "platform/Clock.h"
#include "platform/DbConnection.h"
#include "results/DatabaseArchive.h"
#include "results/SchemaUpgrades.h"
#include "support/OldRevisionDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>

namespace {

using benchsupport::fullSize;

// Counts what a job tells its window, and the longest stretch without a turn
// of the message loop.
class CountingObserver : public results::SchemaUpgradeObserver {
public:
    int barUpdates = 0;
    int turns = 0;
    qint64 longestStretchMs = 0;

    void start() { m_sinceTurn.start(); }
    void finish() { longestStretchMs = std::max(longestStretchMs, m_sinceTurn.elapsed()); }
    void progress(int) override { ++barUpdates; }
    void letEventsRun() override
    {
        ++turns;
        finish();
        m_sinceTurn.restart();
    }
    void log(const QString&) override {}
    // The window repaints when it opens and closes, too.
    void windowShown() override { letEventsRun(); }
    void windowClosed() override { letEventsRun(); }

private:
    QElapsedTimer m_sinceTurn;
};

// A database file of the revision with the groups, made once per size.
QString oldFile(int revision, int groups)
{
    static QTemporaryDir dir;
    static std::map<std::pair<int, int>, QString> made;
    QString& path = made[{revision, groups}];
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("rev%1-%2.mdb").arg(revision).arg(groups));
        platform::DbConnection db;
        db.createFile(path);
        testsupport::buildOldRevisionDatabase(db, revision, {groups, 3, 2});
    }
    return path;
}

void BM_UpkeepUpgradeFromRevision6(benchmark::State& state)
{
    const int groups = int(state.range(0));
    const QString source = oldFile(6, groups);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZAMO_Results.mdb"));
    CountingObserver observer;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        QFile::copy(source, path);
        observer = CountingObserver();
        state.ResumeTiming();
        observer.start();
        platform::DbConnection db;
        db.openFile(path, false);
        if (!results::SchemaUpgrades(db, observer).upgradeLocalFrom(6))
            state.SkipWithError("the upgrade failed");
        db.close();
        observer.finish();
    }
    state.counters["groups"] = groups;
    state.counters["bar_updates"] = observer.barUpdates;
    state.counters["loop_turns"] = observer.turns;
    state.counters["longest_stretch_ms"] = double(observer.longestStretchMs);
    state.counters["stretch_goal_ms"] = 250.0 * 100000 / std::max(groups, 100000);
}
BENCHMARK(BM_UpkeepUpgradeFromRevision6)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_UpkeepArchive(benchmark::State& state)
{
    const int groups = int(state.range(0));
    const QString source = oldFile(14, groups);
    QTemporaryDir dir;
    const QString live = dir.filePath(QStringLiteral("ZAMO_Results.mdb"));
    const QString archiveFolder = dir.filePath(QStringLiteral("Archive"));
    CountingObserver observer;
    platform::Clock::useVirtualTime(QDateTime(QDate(2024, 1, 15), QTime(23, 5, 9)));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(live);
        QFile::copy(source, live);
        QDir(archiveFolder).removeRecursively();
        platform::Clock::advance(1000);
        state.ResumeTiming();
        if (!results::DatabaseArchive(live, archiveFolder, observer).archive().done)
            state.SkipWithError("the archive failed");
    }
    platform::Clock::useRealTime();
    state.counters["groups"] = groups;
}
BENCHMARK(BM_UpkeepArchive)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The full size only when asked for.
const bool g_fullSize = [] {
    if (fullSize()) {
        benchmark::RegisterBenchmark("BM_UpkeepUpgradeFromRevision6", BM_UpkeepUpgradeFromRevision6)
            ->Arg(100000)
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("BM_UpkeepArchive", BM_UpkeepArchive)
            ->Arg(100000)
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
