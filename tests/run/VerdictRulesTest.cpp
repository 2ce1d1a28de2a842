// The verdict rules as a table: comparisons at the limit and warning, the
// expired-calibration pass, readings that are not numbers, and the texts.
#include "config/Limits.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>
#include <vector>

namespace {

struct JudgeCase {
    double value;
    bool expired;
    const char* code;
};

TEST(VerdictRulesTest, AbsoluteValueAgainstLimit3000AndWarning2000)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const JudgeCase cases[] = {
        {1999.999, false, "PASS"}, {2000.0, false, "PASS?"},  {3000.0, false, "PASS?"}, {3000.001, false, "FAIL"},
        {-3500.0, false, "FAIL"},  {-2500.0, false, "PASS?"}, {-1999.0, false, "PASS"}, {0.0, false, "PASS"},
        {1999.999, true, "PASS*"}, {3000.0, true, "PASS*"},   {3000.001, true, "FAIL"}, {nan, false, "ERR"},
        {nan, true, "ERR"},        {inf, false, "ERR"},       {-inf, false, "ERR"},
    };
    for (const JudgeCase& c : cases) {
        const QString code =
            run::VerdictRules::withCalibrationExpiry(run::VerdictRules::judge(c.value, 3000, 2000), c.expired);
        EXPECT_EQ(code, c.code) << "value " << c.value << (c.expired ? " expired" : "");
    }
}

TEST(VerdictRulesTest, LinesOfAVerdict)
{
    EXPECT_EQ(run::VerdictRules::failLine(3000.001, 3000), "* -> 3000.001 > 3000, FAILED");
    EXPECT_EQ(run::VerdictRules::failLine(-3500, 3000), "* -> -3500.000 > 3000, FAILED");
    EXPECT_EQ(run::VerdictRules::failLine(2.75, 2.5), "* -> 2.750 > 2.5, FAILED");
    EXPECT_EQ(
        run::VerdictRules::completionLine("ACZ30", run::VerdictRules::electrodeName(run::UnitIndex::second(), 15)),
        "* ACZ30 Test Complete on Electrode P2");
    EXPECT_EQ(run::VerdictRules::retransmissionLine("A1"),
              "* Data error detected on Electrode A1. Requesting retransmission.");
    EXPECT_EQ(run::VerdictRules::dataErrorLine("B2"), "* -> Electrode B2 Data Error");
    EXPECT_EQ(run::VerdictRules::electrodeIndex(run::UnitIndex::second(), 3), 19);
}

TEST(VerdictRulesTest, FinalOnlyWhenMarkedFinalAfterTheStartPhase)
{
    EXPECT_TRUE(run::VerdictRules::isFinal(true, false));
    EXPECT_FALSE(run::VerdictRules::isFinal(true, true));
    EXPECT_FALSE(run::VerdictRules::isFinal(false, false));
}

TEST(VerdictRulesTest, EachTestTakesItsPairByUnitModel)
{
    using L = config::Limits;
    // Every value distinct, so that a pair taken from the wrong keys shows.
    double L::*const values[] = {
        &L::limitAcz,         &L::warningAcz,         &L::limitZamo80Acz,    &L::warningZamo80Acz,
        &L::limitDco,         &L::warningDco,         &L::limitZamo80Dco,    &L::warningZamo80Dco,
        &L::limitNoise,       &L::warningNoise,       &L::limitZamo80Noise,  &L::warningZamo80Noise,
        &L::limitZamo80Acz30, &L::warningZamo80Acz30, &L::limitZamo80Aclg,   &L::warningZamo80Aclg,
        &L::limitZamo80Defr4, &L::warningZamo80Defr4, &L::limitZamo80Defr60, &L::warningZamo80Defr60,
        &L::limitBias,        &L::warningBias,        &L::limitSdrDco,       &L::warningSdrDco,
        &L::limitSdrSlope,    &L::warningSdrSlope};
    L limits;
    for (int i = 0; i < int(std::size(values)); ++i)
        limits.*values[i] = 100 + i;
    struct Case {
        const char* test;
        bool zamo80;
        double limit;
        double warning;
    } const cases[] = {
        {"ACZ", false, 100, 101},   {"ACZ", true, 102, 103},     {"DCO", false, 104, 105},
        {"DCO", true, 106, 107},    {"NOISE", false, 108, 109},  {"NOISE", true, 110, 111},
        {"ACZ30", false, 112, 113}, {"ACZ30", true, 112, 113},   {"ACLG", false, 114, 115},
        {"ACLG", true, 114, 115},   {"DEFR4", true, 116, 117},   {"DEFR60", true, 118, 119},
        {"BIAS", false, 120, 121},  {"SDRDCO", false, 122, 123}, {"SDRSlope", false, 124, 125},
    };
    for (const Case& c : cases) {
        const run::LimitPair pair = run::VerdictLimits::limitsFor(c.test, c.zamo80, limits);
        EXPECT_EQ(pair.limit, c.limit) << c.test << (c.zamo80 ? " ZAMO80" : "");
        EXPECT_EQ(pair.warning, c.warning) << c.test << (c.zamo80 ? " ZAMO80" : "");
    }
    EXPECT_THROW(run::VerdictLimits::limitsFor("PACE1", false, limits), std::invalid_argument);
}

} // namespace
