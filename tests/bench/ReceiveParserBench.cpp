// Decoding speed of the receive parser on a realistic reply stream: a unit
// running ACZ, NOISE, DCO and BIAS on its channels, answering polls with
// "not ready", interim and final data, idle and unit idle replies, arriving
// in reads of 5 to 64 bytes, so that many frames are split between reads.
// A unit at 19200 baud delivers fewer than 200 frames per second.
#include "bench/UnitLinkReceive.h"

#include <QByteArrayList>

#include <benchmark/benchmark.h>

namespace {

const QByteArrayList replies = {"(!)",
                                "(GA2130,3593,0000,2175,1470!)",
                                "(!)",
                                "(GA2130,3593,0000,2175,1470*)",
                                "(*)",
                                "(GN00212,0300,0100,0030!)",
                                "(GN00212*)",
                                "(GN12182,3386,0212,2208,2881,0360!)",
                                "(GN12182,3386,0212,2208,2881,0360*)",
                                "[*]",
                                "(!)",
                                "(GD12022,2513,2031,0030!)",
                                "(GD12022,2513,2031,0060*)",
                                "(GB02022,2513,2046,2054,0001,0030*)",
                                "(*)",
                                "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)",
                                "[*]",
                                "(!)"};

// The stream cut into reads of varying length.
QByteArrayList Reads(int& frames)
{
    QByteArray all;
    for (int i = 0; i < 20; ++i)
        for (const QByteArray& r : replies)
            all += r;
    frames = 20 * int(replies.size());
    QByteArrayList reads;
    for (int i = 0; !all.isEmpty(); ++i) {
        const int len = 5 + (i * 37) % 60;
        reads << all.left(len);
        all.remove(0, len);
    }
    return reads;
}

void BM_ReceiveReplyStream(benchmark::State& state)
{
    unit::UnitLink comm(1);
    UnitLinkTestAccess::attributeTo(comm, 3);
    int frames = 0;
    const QByteArrayList reads = Reads(frames);
    for (auto _ : state)
        for (const QByteArray& read : reads)
            UnitLinkTestAccess::receive(comm, read);
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()) * frames, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReceiveReplyStream);

} // namespace
