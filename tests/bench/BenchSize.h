#pragma once
// The sizes the benchmarks run at. The CTest smoke run keeps them small; with
// ZAMO_BENCH_FULL=1 (scripts/bench.sh) they are those the station must serve:
// 100,000 groups, an 8-hour shift. ZAMO_BENCH_GROUPS and
// ZAMO_BENCH_SHIFT_HOURS set one size on its own.

#include <QtGlobal>

namespace benchsupport {

inline bool fullSize()
{
    return !qEnvironmentVariableIsEmpty("ZAMO_BENCH_FULL");
}

// The groups of a database in the list and viewer benchmarks.
inline int groupCount()
{
    const int n = qEnvironmentVariableIntValue("ZAMO_BENCH_GROUPS");
    return n > 0 ? n : fullSize() ? 100000 : 2500;
}

// The hours of the shift in virtual time (at least 2: the growth is taken
// from the second hour on).
inline int shiftHours()
{
    const int n = qEnvironmentVariableIntValue("ZAMO_BENCH_SHIFT_HOURS");
    return n >= 2 ? n : fullSize() ? 8 : 3;
}

} // namespace benchsupport
