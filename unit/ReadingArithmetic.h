#pragma once
// The arithmetic of the test-data replies, as pure functions of the reply
// fields and the [ACLG] constants. All values are IEEE doubles: a zero
// divisor gives infinity with the sign of the dividend, or not-a-number for
// 0 / 0. Such a reading must be treated as a data error by the receiver,
// which isNotANumber tells (a NaN compares false with every limit).

#include "config/AclgSettings.h"

#include <cmath>
#include <cstdint>

namespace unit {

namespace TestDataArithmetic {

// Count factor of the ACZ supply reading and the ZAMO2-4 ACLG readings.
inline constexpr double CountFactor = 1.25 / 4096;

inline bool isNotANumber(double reading)
{
    return std::isnan(reading);
}

// numerator / divisor in IEEE arithmetic (never an integer division).
inline double gainFrom(double numerator, std::int32_t divisor)
{
    return numerator / static_cast<double>(divisor);
}

// ACZ supply reading on the base model.
inline double vccFrom(std::int32_t vcc)
{
    return vcc * CountFactor * (1.0 / 11);
}

// ZAMO80 ACLG resistance: (50 * GainVe * Ve) / (V50 * GainV50 - Ve * GainVe) * Correct_Gain.
double zamo80AclgResistance(std::int32_t v50, std::int32_t ve, double gainVe, double gainV50, double correctGain);

// One [ACLG] constant set of the ZAMO2-4.
using AclgSet = config::AclgDivider;

// The set of aclg that the energy selection names: xJ first, then 100 J,
// else 360 J.
AclgSet selectAclgSet(const config::AclgSettings& aclg, bool energyXJ, bool energy100J);

// The two ZAMO2-4 ACLG readings: each one's two voltages (from Ve and V50)
// and the resistance calculated from them.
struct Zamo24AclgResult {
    double e1 = 0, v1 = 0, calcR1 = 0;
    double e2 = 0, v2 = 0, calcR2 = 0;
};

// ZAMO2-4 ACLG: the first reading without zero correction, the second with
// the zero fields subtracted.
Zamo24AclgResult zamo24AclgResistances(std::int32_t zero50, std::int32_t zeroE, std::int32_t v50First,
                                       std::int32_t veFirst, std::int32_t v50Second, std::int32_t veSecond,
                                       const AclgSet& set);

} // namespace TestDataArithmetic

} // namespace unit
