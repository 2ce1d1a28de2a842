#pragma once
// The limit and warning pair that judges each test, by the unit model of
// the reading (ZAMO80 and ZAMO2-4, or the base model).

#include "config/Limits.h"

#include <QString>

namespace run {

struct LimitPair {
    double limit = 0;
    double warning = 0;
};

namespace VerdictLimits {

// test: "ACZ", "ACZ30", "DCO", "NOISE", "BIAS", "ACLG", "DEFR4", "DEFR60",
// "SDRDCO" or "SDRSlope", taken from limits. An unknown name throws
// std::invalid_argument.
LimitPair limitsFor(const QString& test, bool zamo80, const config::Limits& limits);

} // namespace VerdictLimits

} // namespace run
