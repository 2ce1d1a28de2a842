#include "results/TestGroupLimitSets.h"

namespace results {

StandardLimitSet currentStandardLimits(const config::Limits& l)
{
    return {l.limitDco,      l.warningDco,      l.limitAcz,   l.warningAcz,   l.limitSdrDco, l.warningSdrDco,
            l.limitSdrSlope, l.warningSdrSlope, l.limitNoise, l.warningNoise, l.limitBias,   l.warningBias};
}

Zamo80LimitSet currentZamo80Limits(const config::Limits& l)
{
    return {l.limitZamo80Dco,     l.warningZamo80Dco,   l.limitZamo80Acz,    l.warningZamo80Acz,   l.limitZamo80Acz30,
            l.warningZamo80Acz30, l.limitZamo80Aclg,    l.warningZamo80Aclg, l.limitZamo80Noise,   l.warningZamo80Noise,
            l.limitZamo80Defr4,   l.warningZamo80Defr4, l.limitZamo80Defr60, l.warningZamo80Defr60};
}

} // namespace results
