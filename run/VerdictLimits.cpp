#include "run/VerdictLimits.h"

#include "config/Settings.h"

#include <stdexcept>

namespace VerdictLimits {

LimitPair For(const QString& vTest, bool vZamo80)
{
    using namespace Globals;
    if (vTest == QLatin1String("ACZ"))
        return vZamo80 ? LimitPair{LimitZamo80ACZ, WarningZamo80ACZ} : LimitPair{LimitACZ, WarningACZ};
    if (vTest == QLatin1String("DCO"))
        return vZamo80 ? LimitPair{LimitZamo80DCO, WarningZamo80DCO} : LimitPair{LimitDCO, WarningDCO};
    if (vTest == QLatin1String("NOISE"))
        return vZamo80 ? LimitPair{LimitZamo80NOISE, WarningZamo80NOISE} : LimitPair{LimitNOISE, WarningNOISE};
    if (vTest == QLatin1String("ACZ30"))
        return {LimitZamo80ACZ30, WarningZamo80ACZ30};
    if (vTest == QLatin1String("ACLG"))
        return {LimitZamo80ACLG, WarningZamo80ACLG};
    if (vTest == QLatin1String("DEFR4"))
        return {LimitZamo80DEFR4, WarningZamo80DEFR4};
    if (vTest == QLatin1String("DEFR60"))
        return {LimitZamo80DEFR60, WarningZamo80DEFR60};
    if (vTest == QLatin1String("BIAS"))
        return {LimitBIAS, WarningBIAS};
    if (vTest == QLatin1String("SDRDCO"))
        return {LimitSDRDCO, WarningSDRDCO};
    if (vTest == QLatin1String("SDRSlope"))
        return {LimitSDRSlope, WarningSDRSlope};
    throw std::invalid_argument("no limits for test " + vTest.toStdString());
}

} // namespace VerdictLimits
