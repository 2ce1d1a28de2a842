#pragma once
// The interim-reading schedule of the active step: the elapsed second at
// which the next measurement interval opens, and which channels still owe
// the reading of the current interval.

#include <QString>

struct RunState;

namespace MeasurementSchedule {

// Opens the first interval of the step's test type (vFirst) or the next one.
// At a step start no interim reading counts before the first interval; when
// an interval opens, every channel's next reading is due.
void SetNextMeasurementTime(RunState& state, const QString& vTestType, bool vFirst);

// True when the tick at the current elapsed second opens the next interval.
// A NOISE step opens its first interval at second 65 rather than 60.
bool IntervalOpensNow(const RunState& state, const QString& vTestType);

// True while the channel's interim reading of the current interval is still
// due. vUnit 1..2, vChannel 0..15; anything else throws std::out_of_range.
bool IntervalReadingDue(const RunState& state, int vUnit, int vChannel);

// The channel's interim reading of the current interval is in.
void MarkIntervalReadingTaken(RunState& state, int vUnit, int vChannel);

} // namespace MeasurementSchedule
