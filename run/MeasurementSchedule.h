#pragma once
// The interim-reading schedule of the active step: the elapsed second at
// which the next measurement interval opens, and which channels still owe
// the reading of the current interval.

#include <QString>

namespace run {

struct RunState;

namespace MeasurementSchedule {

// Opens the first interval of the step's test type (first) or the next one.
// At a step start no interim reading counts before the first interval; when
// an interval opens, every channel's next reading is due.
void setNextMeasurementTime(RunState& state, const QString& testType, bool first);

// True when the tick at the current elapsed second opens the next interval.
// A NOISE step opens its first interval at second 65 rather than 60.
bool intervalOpensNow(const RunState& state, const QString& testType);

// True while the channel's interim reading of the current interval is still
// due. unit 1..2, channel 0..15; anything else throws std::out_of_range.
bool intervalReadingDue(const RunState& state, int unit, int channel);

// The channel's interim reading of the current interval is in.
void markIntervalReadingTaken(RunState& state, int unit, int channel);

} // namespace MeasurementSchedule

} // namespace run
