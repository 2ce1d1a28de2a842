#include "results/TestGroupLimitSets.h"

#include "config/Settings.h"

namespace modDatabase {

StandardLimitSet CurrentStandardLimits()
{
    using namespace Globals;
    return {LimitDCO,      WarningDCO,      LimitACZ,   WarningACZ,   LimitSDRDCO, WarningSDRDCO,
            LimitSDRSlope, WarningSDRSlope, LimitNOISE, WarningNOISE, LimitBIAS,   WarningBIAS};
}

Zamo80LimitSet CurrentZamo80Limits()
{
    using namespace Globals;
    return {LimitZamo80DCO,   WarningZamo80DCO,   LimitZamo80ACZ,   WarningZamo80ACZ,
            LimitZamo80ACZ30, WarningZamo80ACZ30, LimitZamo80ACLG,  WarningZamo80ACLG,
            LimitZamo80NOISE, WarningZamo80NOISE, LimitZamo80DEFR4, WarningZamo80DEFR4,
            LimitZamo80DEFR60, WarningZamo80DEFR60};
}

} // namespace modDatabase
