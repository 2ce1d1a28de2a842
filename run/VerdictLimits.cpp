#include "run/VerdictLimits.h"

#include <stdexcept>

namespace run {

namespace VerdictLimits {

LimitPair limitsFor(const QString& test, bool zamo80, const config::Limits& l)
{
    if (test == QLatin1String("ACZ"))
        return zamo80 ? LimitPair{l.limitZamo80Acz, l.warningZamo80Acz} : LimitPair{l.limitAcz, l.warningAcz};
    if (test == QLatin1String("DCO"))
        return zamo80 ? LimitPair{l.limitZamo80Dco, l.warningZamo80Dco} : LimitPair{l.limitDco, l.warningDco};
    if (test == QLatin1String("NOISE"))
        return zamo80 ? LimitPair{l.limitZamo80Noise, l.warningZamo80Noise} : LimitPair{l.limitNoise, l.warningNoise};
    if (test == QLatin1String("ACZ30"))
        return {l.limitZamo80Acz30, l.warningZamo80Acz30};
    if (test == QLatin1String("ACLG"))
        return {l.limitZamo80Aclg, l.warningZamo80Aclg};
    if (test == QLatin1String("DEFR4"))
        return {l.limitZamo80Defr4, l.warningZamo80Defr4};
    if (test == QLatin1String("DEFR60"))
        return {l.limitZamo80Defr60, l.warningZamo80Defr60};
    if (test == QLatin1String("BIAS"))
        return {l.limitBias, l.warningBias};
    if (test == QLatin1String("SDRDCO"))
        return {l.limitSdrDco, l.warningSdrDco};
    if (test == QLatin1String("SDRSlope"))
        return {l.limitSdrSlope, l.warningSdrSlope};
    throw std::invalid_argument("no limits for test " + test.toStdString());
}

} // namespace VerdictLimits

} // namespace run
