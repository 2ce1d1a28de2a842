// SDR replies: the clock set to the unit's seconds, the four SDR readings,
// the supply status verdicts without a line or sound, the verdict chain and
// the final reply that is judged even in the start phase.
#include "ResultFixture.h"
#include "run/RunState.h"

#include <limits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class SDRResultsTest : public ResultFixture {
protected:
    void SetUp() override
    {
        ResultFixture::SetUp();
        settings.limits.limitSdrDco = 100;
        settings.limits.warningSdrDco = 50;
        settings.limits.limitSdrSlope = 1.0;
        settings.limits.warningSdrSlope = 0.5;
    }
    struct Reply {
        qint16 s200 = 1, s2 = 1, words = 100;
        double initial = 10, r1 = 0.1, r2 = 0.2, r3 = 0.3;
        bool completed = true;
        qint16 second = 40;
    };
    void SDR(qint16 channel, const Reply& r)
    {
        handlers().handle({1, channel,
                           unit::SdrReading{r.words, r.words, r.s200, r.s2, r.words, r.words, r.words, r.words,
                                            r.second, r.completed, 1.0, r.initial, r.r1, r.r2, r.r3}});
    }
    run::RunState& state() { return sequencer->state(); }
};

TEST_F(SDRResultsTest, AGoodFinalReplyStoresTheFourReadingsAndIsJudgedEvenWhileStarting)
{
    startStep("SDR");
    state().startPhase = true;
    unit1.calibrationExpired[1] = true;
    SDR(0, {});
    SDR(1, {.r2 = 2.0});
    SDR(1, {}); // a repeated reply is judged again
    EXPECT_FALSE(state().startPhase);
    EXPECT_THAT(results->readings.mid(0, 4),
                ElementsAre("A1 5 10.000 5 P1", "A1 15 0.100 15 P2", "A1 25 0.200 25 P3", "A1 35 0.300 35 P4"));
    EXPECT_THAT(results->results, ElementsAre("A1 PASS", "B1 FAIL", "B1 PASS*"));
    EXPECT_THAT(logLines(),
                ElementsAre("* SDR Test Complete on Electrode A1", "* SDR Test Complete on Electrode B1",
                            "* -> Recovery slope exceeded 1, FAILED", "* SDR Test Complete on Electrode B1"));
    EXPECT_EQ(failureSounds, 1);
    EXPECT_FALSE(electrodeActive(0));
}

TEST_F(SDRResultsTest, AFailedSupplyIsTheVerdictWithoutADataErrorLineOrSound)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    startStep("SDR");
    SDR(0, {.s200 = 2, .words = 0, .initial = 0, .r1 = 0, .r2 = 0, .r3 = 0});
    SDR(1, {.s200 = 2, .s2 = 2, .words = 0, .initial = nan, .r1 = nan, .r2 = nan, .r3 = nan});
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL_1", "B1 FAIL_1"));
    // Readings are stored as received; those the unit could not make stay empty.
    EXPECT_THAT(results->readings,
                ElementsAre("A1 5 0.000 5 P1", "A1 15 0.000 15 P2", "A1 25 0.000 25 P3", "A1 35 0.000 35 P4"));
    EXPECT_THAT(logLines(), ElementsAre("* SDR Test Complete on Electrode A1", "* SDR Test Complete on Electrode B1"));
    EXPECT_EQ(failureSounds, 0);

    startStep("SDR");
    SDR(0, {.s2 = 2});
    EXPECT_THAT(results->results, ElementsAre("A1 FAIL_2"));
    SDR(1, {.words = 0});
    EXPECT_EQ(logLines().last(), "* Data error detected on Electrode B1. Requesting retransmission.");
}

TEST_F(SDRResultsTest, InterimRepliesOnlySetTheClock)
{
    startStep("SDR");
    ASSERT_TRUE(schedule().resyncPending(run::MeasurementSchedule::Resync::Sdr));
    SDR(0, {.completed = false, .second = 12});
    EXPECT_EQ(schedule().elapsedSeconds(), 12);
    SDR(0, {.completed = false, .second = 20});
    EXPECT_EQ(schedule().elapsedSeconds(), 12);
    EXPECT_THAT(results->readings, IsEmpty());
    EXPECT_THAT(logLines(), IsEmpty());

    schedule().setResyncPending(run::MeasurementSchedule::Resync::Sdr, true); // a final reply sets it too
    SDR(0, {.second = 44});
    EXPECT_EQ(schedule().elapsedSeconds(), 44);
}

} // namespace
