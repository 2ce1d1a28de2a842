// Memory over a shift: the whole station offscreen in virtual time
// (StationHarness), a simulated unit of 16 channels, and a run of the
// ACZ, DCO and NOISE steps every ten minutes, the unit polled in between,
// and the report window each run opens closed again. After each hour the heap in use (malloc's count) and the resident
// size are taken; the counters give their growth per hour from the end of
// the first hour on (the first hour fills the windows, the logs' buffers
// and the caches up to their bounds), in KB.
//
// rss_after_first_hour_kb is what the resident size gained from the end of
// the first hour to the end of the shift, against rss_goal_kb (1 MB).
//
// The shift lasts 3 hours so that the CTest run stays short, and a whole
// shift of 8 hours with ZAMO_BENCH_FULL=1:
//   ZAMO_BENCH_FULL=1 build/tests/zamo_benchmarks --benchmark_filter=ShiftMemory

#include "BenchSize.h"
#include "support/StationHarness.h"

#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

namespace {

using benchsupport::shiftHours;

double heapInUseKb()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / 1024.0;
}

double residentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1024.0 : 0;
}

// The least-squares slope of y over x, from sample `from` on.
double slopeFrom(const QList<double>& x, const QList<double>& y, qsizetype from)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (qsizetype i = from; i < x.size(); ++i) {
        n += 1;
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    const double d = n * sxx - sx * sx;
    return d > 0 ? (n * sxy - sx * sy) / d : 0;
}

void BM_ShiftMemory(benchmark::State& state)
{
    for (auto _ : state) {
        testsupport::StationHarness station;
        if (!station.start()) {
            state.SkipWithError("the station did not start");
            return;
        }
        station.connectSimulatedUnit(1, 16);
        if (!station.runUntil([&] { return station.testWindow().testListPanel().runButton()->isEnabled(); }, 60000)) {
            state.SkipWithError("the simulated unit did not connect");
            return;
        }
        station.useTestList("A1-P1", {"ACZ,A1-P1,1", "DCO,A1-P1,1", "NOISE,A1-P1,1"});
        const qint64 runEvery = 10 * 60 * 1000;
        const int runsPerHour = 6;
        const double startHeap = heapInUseKb();
        const double startResident = residentKb();
        QList<double> hours, heap, resident; // after each run
        int runs = 0;
        while (runs < shiftHours() * runsPerHour) {
            const qint64 begun = platform::Clock::now().toMSecsSinceEpoch();
            if (!station.runTestList(QStringLiteral("LOT-%1").arg(++runs), runEvery)) {
                state.SkipWithError("a run did not end");
                return;
            }
            // The run's report window, closed as the operator does; the
            // frames the harness itself keeps are let go.
            for (QMdiSubWindow* sub : station.frame().mdiArea()->subWindowList())
                if (sub->widget()->inherits("ui::TestReportWindow"))
                    sub->close();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            station.forgetSent();
            const qint64 taken = platform::Clock::now().toMSecsSinceEpoch() - begun;
            station.advance(std::max<qint64>(0, runEvery - taken));
            malloc_trim(0);
            hours << double(runs) / runsPerHour;
            heap << heapInUseKb();
            resident << residentKb();
        }
        state.counters["runs"] = runs;
        state.counters["heap_first_hour_kb"] = heap[runsPerHour - 1] - startHeap;
        state.counters["rss_first_hour_kb"] = resident[runsPerHour - 1] - startResident;
        state.counters["heap_kb_per_h"] = slopeFrom(hours, heap, runsPerHour);
        state.counters["rss_kb_per_h"] = slopeFrom(hours, resident, runsPerHour);
        state.counters["rss_end_kb"] = resident.last();
        state.counters["rss_after_first_hour_kb"] = resident.last() - resident[runsPerHour - 1];
        state.counters["rss_goal_kb"] = 1024;
    }
}
BENCHMARK(BM_ShiftMemory)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
