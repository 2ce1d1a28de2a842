#include "run/CompletionEstimate.h"

namespace run {

namespace CompletionEstimate {

namespace {

qint64 remainingOf(const testlists::TestList& list, qsizetype from, const config::Zamo80Delays& delays,
                   const config::PaceSettings& pace)
{
    qint64 sum = 0;
    for (qsizetype i = from; i < list.size(); ++i) {
        if (!list[i]->testCompleted())
            sum += list[i]->totalExpectedRemainingDuration(delays, pace);
    }
    return sum;
}

// How many electrodes an expanded list holds: the changes of the electrode
// selection along the list from its second step on.
qint64 electrodeCount(const testlists::TestList& running)
{
    qint64 n = 0;
    QString previous;
    for (qsizetype i = 1; i < running.size(); ++i) {
        const QString electrodes = running[i]->electrodeString();
        if (electrodes != previous)
            ++n;
        previous = electrodes;
    }
    return n;
}

} // namespace

qint64 remainingSeconds(const testlists::TestList& running, const testlists::TestList& pace,
                        const testlists::TestList& operatorList, qint16 simultaneousTests,
                        const config::Zamo80Delays& delays, const config::PaceSettings& paceSettings)
{
    if (pace.isEmpty())
        return remainingOf(running, 0, delays, paceSettings);
    const qint64 paceSeconds = qint64(pace.first()->paceTestTime()) * 60;
    const qint64 stagger = simultaneousTests < 1 ? paceSeconds : paceSeconds / simultaneousTests;
    const qint64 others = remainingOf(operatorList, 1, delays, paceSettings);
    const qint64 n = electrodeCount(running);
    const qint64 total = others >= stagger ? others * n + paceSeconds : paceSeconds + stagger * (n - 1) + others;
    const qint64 first = running.isEmpty() ? 0 : running.first()->singleTestDuration(delays, paceSettings);
    return total + first;
}

} // namespace CompletionEstimate

} // namespace run
