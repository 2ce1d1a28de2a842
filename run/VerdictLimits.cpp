#include "run/VerdictLimits.h"

#include <stdexcept>

namespace VerdictLimits {

LimitPair For(const QString& vTest, bool vZamo80, const config::Limits& l)
{
    if (vTest == QLatin1String("ACZ"))
        return vZamo80 ? LimitPair{l.limitZamo80Acz, l.warningZamo80Acz} : LimitPair{l.limitAcz, l.warningAcz};
    if (vTest == QLatin1String("DCO"))
        return vZamo80 ? LimitPair{l.limitZamo80Dco, l.warningZamo80Dco} : LimitPair{l.limitDco, l.warningDco};
    if (vTest == QLatin1String("NOISE"))
        return vZamo80 ? LimitPair{l.limitZamo80Noise, l.warningZamo80Noise} : LimitPair{l.limitNoise, l.warningNoise};
    if (vTest == QLatin1String("ACZ30"))
        return {l.limitZamo80Acz30, l.warningZamo80Acz30};
    if (vTest == QLatin1String("ACLG"))
        return {l.limitZamo80Aclg, l.warningZamo80Aclg};
    if (vTest == QLatin1String("DEFR4"))
        return {l.limitZamo80Defr4, l.warningZamo80Defr4};
    if (vTest == QLatin1String("DEFR60"))
        return {l.limitZamo80Defr60, l.warningZamo80Defr60};
    if (vTest == QLatin1String("BIAS"))
        return {l.limitBias, l.warningBias};
    if (vTest == QLatin1String("SDRDCO"))
        return {l.limitSdrDco, l.warningSdrDco};
    if (vTest == QLatin1String("SDRSlope"))
        return {l.limitSdrSlope, l.warningSdrSlope};
    throw std::invalid_argument("no limits for test " + vTest.toStdString());
}

} // namespace VerdictLimits
