#include "unit/ReadingArithmetic.h"

namespace unit {

namespace TestDataArithmetic {

double zamo80AclgResistance(std::int32_t v50, std::int32_t ve, double gainVe, double gainV50, double correctGain)
{
    const double numerator = 50 * gainVe * ve;
    const double denominator = v50 * gainV50 - ve * gainVe;
    return numerator / denominator * correctGain;
}

AclgSet selectAclgSet(const config::AclgSettings& aclg, bool energyXJ, bool energy100J)
{
    if (energyXJ)
        return aclg.energyX;
    if (energy100J)
        return aclg.energy100J;
    return aclg.energy360J;
}

Zamo24AclgResult zamo24AclgResistances(std::int32_t zero50, std::int32_t zeroE, std::int32_t v50First,
                                       std::int32_t veFirst, std::int32_t v50Second, std::int32_t veSecond,
                                       const AclgSet& set)
{
    const double eDivider = (set.r3 + set.r4) / set.r4;
    const double divider = (set.r1 + set.r2) / set.r2;
    Zamo24AclgResult r;
    r.e1 = veFirst * CountFactor * eDivider;
    r.v1 = v50First * CountFactor * divider;
    r.calcR1 = set.correctGain * 50 * r.e1 / (r.v1 - r.e1);
    r.e2 = (veSecond - zeroE) * CountFactor * eDivider;
    r.v2 = (v50Second - zero50) * CountFactor * divider;
    r.calcR2 = set.correctGain * 50 * r.e2 / (r.v2 - r.e2);
    return r;
}

} // namespace TestDataArithmetic

} // namespace unit
