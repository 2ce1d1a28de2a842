// ACLG and DEFR replies through the verdict rules: the start
// acknowledgements, the ZAMO80 reading and the ZAMO2-4 pair, the sums kept
// for the run's average, the trace in the log file, and the DEFR readings.
#include "ResultFixture.h"
#include "run/RunState.h"

#include <limits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class DefibResultsTest : public ResultFixture {
protected:
    void SetUp() override
    {
        ResultFixture::SetUp();
        settings.limits.limitZamo80Aclg = 3;
        settings.limits.warningZamo80Aclg = 2;
        settings.limits.limitZamo80Defr4 = 400;
        settings.limits.warningZamo80Defr4 = 300;
        settings.limits.limitZamo80Defr60 = 300;
        settings.limits.warningZamo80Defr60 = 200;
    }

    void ACLG(qint16 channel, qint16 v50, qint16 ve, double value, bool completed = true)
    {
        handlers().handle({1, channel, unit::AclgReading{v50, ve, completed, value}});
    }
    void ACLG24(qint16 channel, double r1, double r2, qint16 raw = 100, bool completed = true)
    {
        handlers().handle({1, channel, unit::Zamo24AclgReading{10, 10, raw, raw, raw, raw, completed, r1, r2}});
    }
    void DEFR(qint16 channel, double m4, double m60, qint16 zero = 100, bool completed = true)
    {
        handlers().handle(
            {1, channel, unit::DefibRecoveryReading{zero, 500, 500, 3, 200, 100, 61, completed, 1.0, m4, m60}});
    }
};

TEST_F(DefibResultsTest, Zamo80ReadingsAreJudgedOnTheValueAndBadOnlyWhenBothWordsAreZero)
{
    startStep("ACLG", true);
    ACLG(0, 0, 120, -46.0); // one word 0 is still good data
    EXPECT_THAT(logLines(), ElementsAre("* ACLG Test Complete on Electrode A1", "* -> -46.000 > 3, FAILED"));
    EXPECT_THAT(results->readings, ElementsAre("A1 61 -46.000 61"));
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL"));
    EXPECT_EQ(failureSounds, 1);
    EXPECT_TRUE(charge().finished(run::ChargeSequence::Test::Aclg));
    EXPECT_TRUE(logText().contains("ACLG.2.3.4.5.10.14.15.16"));

    ACLG(1, 0, 0, 1.0);
    EXPECT_EQ(logLines().last(), "* Data error detected on Electrode B1. Requesting retransmission.");
    EXPECT_THAT(unit1.sent("RESEND"), ElementsAre("RESEND 1"));
    EXPECT_TRUE(electrodeActive(1));
    EXPECT_TRUE(logText().contains("ACLG.2.3.4.6.8.9"));
    for (int reply = 0; reply < 4; ++reply)
        ACLG(1, 0, 0, 1.0);
    EXPECT_EQ(logLines().last(), "* -> Electrode B1 Data Error");
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL", "B1 ERR"));
    EXPECT_TRUE(logText().contains("ACLG.2.3.4.6.7.9"));
}

TEST_F(DefibResultsTest, InterimReadingsStoreTheUnitsLastReadingWhenEitherWordIsZero)
{
    startStep("ACLG", true);
    schedule().openIntervalAt(20); // the 20 s interval is open
    unit1.lastMeasurement[0] = 1.25;
    ACLG(0, 0, 120, 9.0, false);
    ACLG(0, 100, 120, 9.0, false); // not due again in this interval
    ACLG(1, 100, 120, 1.5, false);
    EXPECT_THAT(results->readings, ElementsAre("A1 20 1.250 20", "B1 20 1.500 20"));
    EXPECT_THAT(results->results, IsEmpty());
    const QString log = logText();
    EXPECT_TRUE(log.contains("ACLG.2.17.18.19.21"));
    EXPECT_TRUE(log.contains("ACLG.2.17.22"));
    EXPECT_TRUE(log.contains("ACLG.2.17.18.19.20"));
}

TEST_F(DefibResultsTest, TheAcknowledgementEndsTheStartPhaseAndFinalReadingsAddUpPerChannel)
{
    startStep("ACLG", true);
    aclgSums().clear();
    state().startPhase = true;
    ACLG(0, 100, 120, 1.5); // still starting: an interim reading
    EXPECT_THAT(results->results, IsEmpty());
    EXPECT_EQ(aclgSums().first(0), -99.0);

    state().startPhase = true;
    handlers().handle({1, 0, unit::AclgAck{}});
    EXPECT_TRUE(charge().acknowledged(run::ChargeSequence::Test::Aclg));
    EXPECT_FALSE(state().startPhase);
    EXPECT_TRUE(logText().contains(" - ACLG.1\n") || logText().contains(" - ACLG.1\r\n"));

    ACLG(0, 100, 120, 1.5);
    ACLG(0, 100, 120, 2.5);
    EXPECT_DOUBLE_EQ(aclgSums().first(0), 4.0);
    EXPECT_THAT(results->results, ElementsAre("A1 PASS", "A1 PASS?"));
}

TEST_F(DefibResultsTest, Zamo24PairsFailOnEitherReadingAndAreStoredAndSummedTogether)
{
    startStep("ACLG", true);
    aclgSums().clear();
    unit1.calibrationExpired[1] = true;
    ACLG24(0, 0.5, 4.0);
    ACLG24(1, 0.5, 2.0); // marginal on an expired channel
    EXPECT_THAT(logLines(), ElementsAre("* ACLG Test Complete on Electrode A1", "* -> (0.500 OR 4.000) > 3, FAILED",
                                        "* ACLG Test Complete on Electrode B1"));
    EXPECT_THAT(results->readings, ElementsAre("A1 61 0.500 61 / 4.000", "B1 61 0.500 61 / 2.000"));
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL", "B1 PASS*"));
    EXPECT_EQ(failureSounds, 1);
    EXPECT_DOUBLE_EQ(aclgSums().first(0), 0.5);
    EXPECT_DOUBLE_EQ(aclgSums().second(0), 4.0);
    EXPECT_TRUE(logText().contains("ACLG24.2.3.4.5.10.14.15.16"));

    // Bad data only when all four words are zero; an interim pair with one
    // zero word stores the unit's last pair.
    ACLG24(0, 0.1, 0.1, 0);
    EXPECT_EQ(logLines().last(), "* Data error detected on Electrode A1. Requesting retransmission.");
    schedule().openIntervalAt(40);
    unit1.lastMeasurement[1] = 0.7;
    unit1.lastMeasurement2[1] = 0.8;
    handlers().handle({1, 1, unit::Zamo24AclgReading{10, 10, 0, 100, 100, 100, false, 9.0, 9.0}});
    EXPECT_EQ(results->readings.last(), "B1 40 0.700 40 / 0.800");
}

TEST_F(DefibResultsTest, DefibRecoveryFailsByMagnitudeWithALineForEachReadingAboveItsLimitAndOneSound)
{
    struct Case {
        double m4, m60;
        const char* code;
        QStringList lines;
    } const cases[] = {
        {450, 100, "FAIL", {"* -> 450.000 > 400, FAILED"}},
        {450, 300.5, "FAIL", {"* -> 450.000 > 400, FAILED", "* -> 300.500 > 300, FAILED"}},
        // Below minus its limit a reading fails by its magnitude, but the line is for one above the limit only.
        {-1253, 100, "FAIL", {}},
        {450, -301, "FAIL", {"* -> 450.000 > 400, FAILED"}},
        {-401, -301, "FAIL", {}},
        {100, -200, "PASS?", {}},
        {-300, 10, "PASS?", {}},
        {100, 100, "PASS", {}},
    };
    for (const Case& c : cases) {
        startStep("DEFR", true);
        DEFR(0, c.m4, c.m60);
        const QString what = QString("%1/%2").arg(c.m4).arg(c.m60);
        EXPECT_EQ(logLines(), QStringList("* DEFR Test Complete on Electrode A1") + c.lines) << what.toStdString();
        EXPECT_THAT(results->results, ElementsAre(QString("A1 ") + c.code)) << what.toStdString();
        EXPECT_EQ(failureSounds, QString(c.code) == "FAIL" ? 1 : 0) << what.toStdString();
        EXPECT_THAT(results->readings, ElementsAre(QString("A1 4 %1 4").arg(c.m4, 0, 'f', 3),
                                                   QString("A1 60 %1 60").arg(c.m60, 0, 'f', 3)));
        EXPECT_TRUE(charge().finished(run::ChargeSequence::Test::Defr));
    }
}

TEST_F(DefibResultsTest, DefibRecoveryIgnoresInterimReplies)
{
    startStep("DEFR", true);
    DEFR(0, 450, 100, 100, false);
    state().startPhase = true;
    DEFR(0, 450, 100);
    EXPECT_THAT(logLines(), IsEmpty());
    EXPECT_FALSE(charge().finished(run::ChargeSequence::Test::Defr));

    handlers().handle({1, 0, unit::DefibRecoveryAck{}});
    EXPECT_TRUE(charge().acknowledged(run::ChargeSequence::Test::Defr));
    EXPECT_FALSE(state().startPhase);
}

// Each kind of bad final reply asks for the data again, four times, and the
// fifth ends the electrode with "ERR"; nothing is stored before that.
TEST_F(DefibResultsTest, DefibRecoveryRetriesEveryKindOfBadData)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        double m4, m60;
        qint16 zero;
    } const cases[] = {
        {"zero word 0", 100, 100, 0},     {"4 s not a number", nan, 100, 100},  {"60 s not a number", 100, nan, 100},
        {"4 s infinite", -inf, 100, 100}, {"both not a number", nan, nan, 100},
    };
    for (const Case& c : cases) {
        startStep("DEFR", true);
        DEFR(0, c.m4, c.m60, c.zero);
        EXPECT_EQ(logLines().last(), "* Data error detected on Electrode A1. Requesting retransmission.") << c.what;
        EXPECT_THAT(unit1.sent("RESEND"), ElementsAre("RESEND 0")) << c.what;
        EXPECT_TRUE(electrodeActive(0)) << c.what;
        EXPECT_TRUE(charge().finished(run::ChargeSequence::Test::Defr)) << c.what;
        EXPECT_THAT(results->results, IsEmpty()) << c.what;
        for (int reply = 0; reply < 4; ++reply)
            DEFR(0, c.m4, c.m60, c.zero);
        EXPECT_EQ(logLines().last(), "* -> Electrode A1 Data Error") << c.what;
        EXPECT_EQ(unit1.sent("RESEND").size(), 4) << c.what;
        EXPECT_THAT(results->results, ElementsAre("A1 ERR")) << c.what;
        EXPECT_THAT(results->readings, IsEmpty()) << c.what;
    }
}

} // namespace
