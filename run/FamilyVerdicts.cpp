#include "run/FamilyVerdicts.h"

#include "run/VerdictRules.h"

#include <cmath>
#include <initializer_list>

namespace FamilyVerdicts {

namespace {

using VerdictRules::Fixed3;
using VerdictRules::IsNumber;
using VerdictRules::PlainNumber;

bool AllNumbers(std::initializer_list<double> values)
{
    for (double v : values)
        if (!IsNumber(v))
            return false;
    return true;
}

Verdict Failed(QStringList lines)
{
    return {QStringLiteral("FAIL"), std::move(lines), true};
}

// A value that cannot be judged.
Verdict NotJudged()
{
    return {QStringLiteral("ERR"), {}, true};
}

} // namespace

Verdict Single(double v, const LimitPair& vLimits)
{
    if (!IsNumber(v))
        return NotJudged();
    const QString code = VerdictRules::Judge(v, vLimits.limit, vLimits.warning);
    if (code == QLatin1String("FAIL"))
        return Failed({VerdictRules::FailLine(v, vLimits.limit)});
    return {code, {}, false};
}

Verdict SDR(qint16 v200VOk, qint16 v2VOk, double vInitialMeasurement, double vRate1, double vRate2, double vRate3,
            const LimitPair& vOffset, const LimitPair& vSlope)
{
    if (v200VOk == SupplyFailed)
        return {QStringLiteral("FAIL_1"), {}, false};
    if (v2VOk == SupplyFailed)
        return {QStringLiteral("FAIL_2"), {}, false};
    if (!AllNumbers({vInitialMeasurement, vRate1, vRate2, vRate3}))
        return NotJudged();
    if (std::fabs(vInitialMeasurement) > vOffset.limit)
        return Failed({VerdictRules::FailLine(vInitialMeasurement, vOffset.limit)});
    Verdict v{VerdictRules::Judge(vInitialMeasurement, vOffset.limit, vOffset.warning), {}, false};
    for (double slope : {vRate1, vRate2, vRate3}) {
        if (std::fabs(slope) > vSlope.limit)
            return Failed({QStringLiteral("* -> Recovery slope exceeded ") + PlainNumber(vSlope.limit)
                           + QStringLiteral(", FAILED")});
        if (std::fabs(slope) >= vSlope.warning) {
            v.code = QStringLiteral("PASS?");
            return v;
        }
    }
    return v;
}

Verdict ReadingPair(double vR1, double vR2, const LimitPair& vLimits)
{
    if (!AllNumbers({vR1, vR2}))
        return NotJudged();
    if (std::fabs(vR1) > vLimits.limit || std::fabs(vR2) > vLimits.limit)
        return Failed({QStringLiteral("* -> (") + Fixed3(vR1) + QStringLiteral(" OR ") + Fixed3(vR2)
                       + QStringLiteral(") > ") + PlainNumber(vLimits.limit) + QStringLiteral(", FAILED")});
    const bool marginal = std::fabs(vR1) >= vLimits.warning || std::fabs(vR2) >= vLimits.warning;
    return {marginal ? QStringLiteral("PASS?") : QStringLiteral("PASS"), {}, false};
}

Verdict DefibRecovery(double vMeasurement4, double vMeasurement60, const LimitPair& v4, const LimitPair& v60)
{
    if (!AllNumbers({vMeasurement4, vMeasurement60}))
        return NotJudged();
    const bool fail4 = std::fabs(vMeasurement4) > v4.limit;
    const bool fail60 = std::fabs(vMeasurement60) > v60.limit;
    if (fail4 || fail60) {
        QStringList lines;
        if (fail4)
            lines << VerdictRules::FailLine(vMeasurement4, v4.limit);
        if (fail60)
            lines << VerdictRules::FailLine(vMeasurement60, v60.limit);
        return Failed(lines);
    }
    const bool marginal = std::fabs(vMeasurement60) >= v60.warning || std::fabs(vMeasurement4) >= v4.warning;
    return {marginal ? QStringLiteral("PASS?") : QStringLiteral("PASS"), {}, false};
}

} // namespace FamilyVerdicts
