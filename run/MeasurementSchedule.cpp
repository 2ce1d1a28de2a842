#include "run/MeasurementSchedule.h"

#include "run/RunState.h"

#include <stdexcept>

namespace MeasurementSchedule {

namespace {

bool Is(const QString& type, const char* name)
{
    return type == QLatin1String(name);
}

// The intervals of DCO, ACLG and DEFR: every 20 s, with 60 moved to 70.
qint32 NextTwentySecondMark(qint32 current)
{
    const qint32 next = current + 20;
    return next == 60 ? 70 : next;
}

bool& TakenFlag(RunState& state, int vUnit, int vChannel)
{
    if (vUnit < 1 || vUnit > 2 || vChannel < 0 || vChannel > 15)
        throw std::out_of_range("interval reading of unit " + std::to_string(vUnit) + ", channel "
                                + std::to_string(vChannel));
    return state.IntervalReadingTaken[std::size_t(vUnit - 1)][std::size_t(vChannel)];
}

} // namespace

void SetNextMeasurementTime(RunState& state, const QString& vTestType, bool vFirst)
{
    for (auto& unit : state.IntervalReadingTaken)
        unit.fill(vFirst);

    const qint32 old = state.NextMeasurementTime;
    qint32 next = old;
    if (Is(vTestType, "DCO") || Is(vTestType, "ACLG") || Is(vTestType, "DEFR"))
        next = vFirst ? 20 : NextTwentySecondMark(old);
    else if (Is(vTestType, "ACZ") || Is(vTestType, "ACZ30"))
        next = vFirst ? 10 : 999;
    else if (Is(vTestType, "SDR"))
        next = vFirst ? 10 : old;
    else if (Is(vTestType, "NOISE"))
        next = vFirst ? 60 : old + 30;
    else if (Is(vTestType, "BIAS"))
        next = vFirst ? state.BiasSampleSeconds : old + state.BiasSampleSeconds;

    state.PreviousMeasurementTime = vFirst ? 0 : old;
    state.NextMeasurementTime = next;
}

bool IntervalOpensNow(const RunState& state, const QString& vTestType)
{
    if (Is(vTestType, "NOISE") && state.NextMeasurementTime == 60)
        return state.ElapsedSeconds == 65;
    return state.ElapsedSeconds == state.NextMeasurementTime;
}

bool IntervalReadingDue(const RunState& state, int vUnit, int vChannel)
{
    return !TakenFlag(const_cast<RunState&>(state), vUnit, vChannel);
}

void MarkIntervalReadingTaken(RunState& state, int vUnit, int vChannel)
{
    TakenFlag(state, vUnit, vChannel) = true;
}

} // namespace MeasurementSchedule
