#include "run/FamilyVerdicts.h"

#include "run/VerdictRules.h"

#include <cmath>
#include <initializer_list>

namespace run {

namespace FamilyVerdicts {

namespace {

using VerdictRules::fixed3;
using VerdictRules::isNumber;
using VerdictRules::plainNumber;

bool allNumbers(std::initializer_list<double> values)
{
    for (double v : values)
        if (!isNumber(v))
            return false;
    return true;
}

Verdict failed(QStringList lines)
{
    return {QStringLiteral("FAIL"), std::move(lines), true};
}

// A value that cannot be judged.
Verdict notJudged()
{
    return {QStringLiteral("ERR"), {}, true};
}

} // namespace

Verdict single(double v, const LimitPair& limits)
{
    if (!isNumber(v))
        return notJudged();
    const QString code = VerdictRules::judge(v, limits.limit, limits.warning);
    if (code == QLatin1String("FAIL"))
        return failed({VerdictRules::failLine(v, limits.limit)});
    return {code, {}, false};
}

Verdict SDR(qint16 ok200V, qint16 ok2V, double initialMeasurement, double rate1, double rate2, double rate3,
            const LimitPair& offset, const LimitPair& slopeLimits)
{
    if (ok200V == SupplyFailed)
        return {QStringLiteral("FAIL_1"), {}, false};
    if (ok2V == SupplyFailed)
        return {QStringLiteral("FAIL_2"), {}, false};
    if (!allNumbers({initialMeasurement, rate1, rate2, rate3}))
        return notJudged();
    if (std::fabs(initialMeasurement) > offset.limit)
        return failed({VerdictRules::failLine(initialMeasurement, offset.limit)});
    Verdict v{VerdictRules::judge(initialMeasurement, offset.limit, offset.warning), {}, false};
    for (double slope : {rate1, rate2, rate3}) {
        if (std::fabs(slope) > slopeLimits.limit)
            return failed({QStringLiteral("* -> Recovery slope exceeded ") + plainNumber(slopeLimits.limit)
                           + QStringLiteral(", FAILED")});
        if (std::fabs(slope) >= slopeLimits.warning) {
            v.code = QStringLiteral("PASS?");
            return v;
        }
    }
    return v;
}

Verdict readingPair(double r1, double r2, const LimitPair& limits)
{
    if (!allNumbers({r1, r2}))
        return notJudged();
    if (std::fabs(r1) > limits.limit || std::fabs(r2) > limits.limit)
        return failed({QStringLiteral("* -> (") + fixed3(r1) + QStringLiteral(" OR ") + fixed3(r2)
                       + QStringLiteral(") > ") + plainNumber(limits.limit) + QStringLiteral(", FAILED")});
    const bool marginal = std::fabs(r1) >= limits.warning || std::fabs(r2) >= limits.warning;
    return {marginal ? QStringLiteral("PASS?") : QStringLiteral("PASS"), {}, false};
}

Verdict defibRecovery(double measurement4, double measurement60, const LimitPair& v4, const LimitPair& v60)
{
    if (!allNumbers({measurement4, measurement60}))
        return notJudged();
    if (std::fabs(measurement4) > v4.limit || std::fabs(measurement60) > v60.limit) {
        // The lines name only a reading above its limit; one far below
        // fails as well, without a line of its own.
        QStringList lines;
        if (measurement4 > v4.limit)
            lines << VerdictRules::failLine(measurement4, v4.limit);
        if (measurement60 > v60.limit)
            lines << VerdictRules::failLine(measurement60, v60.limit);
        return failed(lines);
    }
    const bool marginal = std::fabs(measurement60) >= v60.warning || std::fabs(measurement4) >= v4.warning;
    return {marginal ? QStringLiteral("PASS?") : QStringLiteral("PASS"), {}, false};
}

} // namespace FamilyVerdicts

} // namespace run
