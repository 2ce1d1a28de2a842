#include "run/MeasurementSchedule.h"

#include "run/RunState.h"

#include <stdexcept>

namespace run {

namespace MeasurementSchedule {

namespace {

bool is(const QString& type, const char* name)
{
    return type == QLatin1String(name);
}

// The intervals of DCO, ACLG and DEFR: every 20 s, with 60 moved to 70.
qint32 nextTwentySecondMark(qint32 current)
{
    const qint32 next = current + 20;
    return next == 60 ? 70 : next;
}

bool& takenFlag(RunState& state, int unitValue, int channel)
{
    if (unitValue < 1 || unitValue > 2 || channel < 0 || channel > 15)
        throw std::out_of_range("interval reading of unit " + std::to_string(unitValue) + ", channel "
                                + std::to_string(channel));
    return state.IntervalReadingTaken[std::size_t(unitValue - 1)][std::size_t(channel)];
}

} // namespace

void setNextMeasurementTime(RunState& state, const QString& testType, bool first)
{
    for (auto& unit : state.IntervalReadingTaken)
        unit.fill(first);

    const qint32 old = state.NextMeasurementTime;
    qint32 next = old;
    if (is(testType, "DCO") || is(testType, "ACLG") || is(testType, "DEFR"))
        next = first ? 20 : nextTwentySecondMark(old);
    else if (is(testType, "ACZ") || is(testType, "ACZ30"))
        next = first ? 10 : 999;
    else if (is(testType, "SDR"))
        next = first ? 10 : old;
    else if (is(testType, "NOISE"))
        next = first ? 60 : old + 30;
    else if (is(testType, "BIAS"))
        next = first ? state.BiasSampleSeconds : old + state.BiasSampleSeconds;

    state.PreviousMeasurementTime = first ? 0 : old;
    state.NextMeasurementTime = next;
}

bool intervalOpensNow(const RunState& state, const QString& testType)
{
    if (is(testType, "NOISE") && state.NextMeasurementTime == 60)
        return state.ElapsedSeconds == 65;
    return state.ElapsedSeconds == state.NextMeasurementTime;
}

bool intervalReadingDue(const RunState& state, int unitValue, int channel)
{
    return !takenFlag(const_cast<RunState&>(state), unitValue, channel);
}

void markIntervalReadingTaken(RunState& state, int unitValue, int channel)
{
    takenFlag(state, unitValue, channel) = true;
}

} // namespace MeasurementSchedule

} // namespace run
