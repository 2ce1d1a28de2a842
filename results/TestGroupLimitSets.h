#pragma once
// The limit and warning values that a new test group stores, in the order
// of its columns: pairs of limit and warning per test type.

#include <array>

namespace modDatabase {

// DCO, ACZ, SDR 5 s offset, SDR recovery slope, NOISE, BIAS: limit, warning each.
using StandardLimitSet = std::array<double, 12>;
// DCO, ACZ, ACZ30, ACLG, NOISE, DEFR 4 s, DEFR 60 s: limit, warning each.
using Zamo80LimitSet = std::array<double, 14>;

// The values of the settings in force (Globals).
StandardLimitSet CurrentStandardLimits();
Zamo80LimitSet CurrentZamo80Limits();

} // namespace modDatabase
