#pragma once
// The limit and warning values that a new test group stores, in the order
// of its columns: pairs of limit and warning per test type.

#include "config/Limits.h"

#include <array>

// DCO, ACZ, SDR 5 s offset, SDR recovery slope, NOISE, BIAS: limit, warning each.
namespace results {

using StandardLimitSet = std::array<double, 12>;
// DCO, ACZ, ACZ30, ACLG, NOISE, DEFR 4 s, DEFR 60 s: limit, warning each.
using Zamo80LimitSet = std::array<double, 14>;

// The values of the limits in force, in column order.
StandardLimitSet currentStandardLimits(const config::Limits& limits);
Zamo80LimitSet currentZamo80Limits(const config::Limits& limits);

} // namespace results
