// Input far beyond what a unit, a test list or an operator would give, read in
// time linear in its length: one read of N bytes of reply frames, a test list
// step line of N characters (an electrode selection of single electrodes,
// over and over) and a report note of N characters without a blank, broken
// inside the word into lines that fit its box. Full size (ZAMO_BENCH_FULL=1)
// runs each at 1x, 4x and 16x up to a megabyte of frames and of step line and
// a note of 400,000 characters, and a note of wide characters up to 8 million,
// twice as wide as the font's measure can count at once; the smoke run at
// small sizes.
#include "bench/BenchSize.h"
#include "bench/UnitLinkReceive.h"
#include "platform/ReportLayout.h"
#include "platform/ReportTextLines.h"
#include "testlists/TestStep.h"

#include <QByteArrayList>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

// Largest size of a benchmark: full or smoke.
qint64 largest(qint64 full, qint64 smoke)
{
    return benchsupport::fullSize() ? full : smoke;
}

void threeSizes(benchmark::internal::Benchmark* b, qint64 full, qint64 smoke)
{
    const qint64 top = largest(full, smoke);
    b->Arg(top / 16)->Arg(top / 4)->Arg(top)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}

// Complete frames of every kind, at least n bytes of them.
QByteArray frameRead(qint64 n, int& frames)
{
    const QByteArrayList replies = {
        "(!)", "(GA2130,3593,0000,2175,1470*)", "(GN12182,3386,0212,2208,2881,0360*)",
        "[*]", "(GD12022,2513,2031,0060*)",     "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)",
        "(*)"};
    QByteArray read;
    frames = 0;
    while (read.size() < n)
        read += replies.at(frames++ % replies.size());
    return read;
}

void BM_FrameOneLongRead(benchmark::State& state)
{
    unit::UnitLink comm(1);
    UnitLinkTestAccess::attributeTo(comm, 3);
    int frames = 0;
    const QByteArray read = frameRead(state.range(0), frames);
    for (auto _ : state)
        UnitLinkTestAccess::receive(comm, read);
    state.SetComplexityN(read.size());
    state.SetBytesProcessed(state.iterations() * read.size());
    state.counters["frames"] = frames;
}
BENCHMARK(BM_FrameOneLongRead)->Apply([](auto* b) { threeSizes(b, 1 << 20, 1 << 16); });

void BM_ReadLongStepLine(benchmark::State& state)
{
    QString selection;
    const QString names[] = {"A1.", "B1.", "C1.", "D2.", "P2."};
    for (int i = 0; selection.size() < state.range(0); ++i)
        selection += names[i % 5];
    selection.chop(1);
    const QString line = QStringLiteral("ACZ,") + selection + QStringLiteral(",1");
    bool read = false;
    for (auto _ : state) {
        testlists::TestStep step;
        read = step.initByString(line);
        benchmark::DoNotOptimize(read);
    }
    if (!read)
        state.SkipWithError("the step line was not read");
    state.SetComplexityN(line.size());
    state.SetBytesProcessed(state.iterations() * line.size());
}
BENCHMARK(BM_ReadLongStepLine)->Apply([](auto* b) { threeSizes(b, 1 << 20, 1 << 16); });

// A note of state.range(0) characters broken into lines of a 300-point box.
void wrapNote(benchmark::State& state, const QString& note)
{
    const platform::ReportTextLines lines(platform::ReportLayout::font(platform::ReportFont::Body));
    qsizetype count = 0;
    for (auto _ : state)
        count = lines.wrap(note, 300).size();
    state.SetComplexityN(note.size());
    state.counters["lines"] = double(count);
}

void BM_WrapNoteWithoutBlank(benchmark::State& state)
{
    QString note;
    for (int i = 0; note.size() < state.range(0); ++i)
        note += QLatin1Char(char('a' + i % 26));
    wrapNote(state, note);
}
BENCHMARK(BM_WrapNoteWithoutBlank)->Apply([](auto* b) { threeSizes(b, 400000, 16000); });

// Wider than the font's measure counts in one go beyond some 3.8 million.
void BM_WrapNoteOfWideCharacters(benchmark::State& state)
{
    wrapNote(state, QString(state.range(0), QLatin1Char('W')));
}
BENCHMARK(BM_WrapNoteOfWideCharacters)->Apply([](auto* b) { threeSizes(b, 8 << 20, 16000); });

} // namespace
