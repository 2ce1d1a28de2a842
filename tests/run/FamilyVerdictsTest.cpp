// The verdicts made on several values: the SDR chain, the ZAMO2-4 ACLG
// pair and the defib recovery readings.
#include "run/FamilyVerdicts.h"
#include "support/QtPrinters.h"

#include <gmock/gmock.h>

#include <limits>

namespace {

using run::FamilyVerdicts::SupplyFailed;

TEST(FamilyVerdictsTest, SdrStopsAtTheFirstDecisivePoint)
{
    const run::LimitPair offset{100, 50};
    const run::LimitPair slope{1.0, 0.5};
    struct Case {
        qint16 s200, s2;
        double initial, r1, r2, r3;
        const char* code;
        QStringList lines;
    } const cases[] = {
        {SupplyFailed, 0, 0, 0, 0, 0, "FAIL_1", {}},
        {SupplyFailed, SupplyFailed, 0, 0, 0, 0, "FAIL_1", {}},
        {1, SupplyFailed, 0, 0, 0, 0, "FAIL_2", {}},
        {1, 1, -100.5, 5, 5, 5, "FAIL", {"* -> -100.500 > 100, FAILED"}},
        {1, 1, 100, 0.1, 0.1, 0.1, "PASS?", {}}, // at the limit: marginal
        {1, 1, 10, 0.6, 2.0, 0.1, "PASS?", {}},  // the second slope is not looked at
        {1, 1, 10, 0.2, 2.0, 0.1, "FAIL", {"* -> Recovery slope exceeded 1, FAILED"}},
        {1, 1, 10, 0.2, -1.5, 0.1, "FAIL", {"* -> Recovery slope exceeded 1, FAILED"}},
        {1, 1, 10, 0.2, 0.3, 0.4, "PASS", {}},
        {1, 1, 60, 0.2, 0.3, 0.4, "PASS?", {}},
        {1, 1, 10, 0.2, 0.3, 1.0, "PASS?", {}},
    };
    for (const Case& c : cases) {
        const run::Verdict v = run::FamilyVerdicts::SDR(c.s200, c.s2, c.initial, c.r1, c.r2, c.r3, offset, slope);
        const std::string what = QString("%1 %2 %3 %4/%5/%6")
                                     .arg(c.s200)
                                     .arg(c.s2)
                                     .arg(c.initial)
                                     .arg(c.r1)
                                     .arg(c.r2)
                                     .arg(c.r3)
                                     .toStdString();
        EXPECT_EQ(v.code, c.code) << what;
        EXPECT_EQ(v.lines, c.lines) << what;
        EXPECT_EQ(v.failureSound, v.code == "FAIL") << what;
    }
}

TEST(FamilyVerdictsTest, PairsAndDefibReadingsAreJudgedByAbsoluteValue)
{
    const run::LimitPair aclg{3, 2};
    EXPECT_EQ(run::FamilyVerdicts::readingPair(0.5, 4.0, aclg).lines, QStringList{"* -> (0.500 OR 4.000) > 3, FAILED"});
    EXPECT_EQ(run::FamilyVerdicts::readingPair(-3.5, 1, aclg).code, "FAIL");
    EXPECT_EQ(run::FamilyVerdicts::readingPair(3, -2, aclg).code, "PASS?");
    EXPECT_EQ(run::FamilyVerdicts::readingPair(1, -1.9, aclg).code, "PASS");

    const run::LimitPair d4{400, 300}, d60{300, 200};
    EXPECT_EQ(run::FamilyVerdicts::defibRecovery(-1253, 10, d4, d60).code, "FAIL");
    EXPECT_EQ(run::FamilyVerdicts::defibRecovery(-1253, 301, d4, d60).lines,
              QStringList{"* -> 301.000 > 300, FAILED"}); // no line for the reading below minus its limit
    EXPECT_EQ(run::FamilyVerdicts::defibRecovery(400, 300, d4, d60).code, "PASS?");
    EXPECT_EQ(run::FamilyVerdicts::defibRecovery(299, 199, d4, d60).code, "PASS");

    // A value that is not a number is never a pass.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(run::FamilyVerdicts::readingPair(nan, 1, aclg).code, "ERR");
    EXPECT_EQ(run::FamilyVerdicts::defibRecovery(1, nan, d4, d60).code, "ERR");
    EXPECT_EQ(run::FamilyVerdicts::SDR(1, 1, 1, nan, 0, 0, {100, 50}, {1, 0.5}).code, "ERR");
}

} // namespace
