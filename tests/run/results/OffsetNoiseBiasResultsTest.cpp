// DCO, NOISE and BIAS replies: the clock set to the unit's seconds by the
// first interim reading, interim readings stored once per interval (the
// unit's last reading in place of a bad one), the data-quality checks of
// each model, the BIAS labels in hours and minutes, and the cancel of a
// BIAS channel that keeps sending bad data.
#include "ResultFixture.h"
#include "run/RunState.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class OffsetNoiseBiasResultsTest : public ResultFixture {
protected:
    void DCO(qint16 channel, double value, bool completed, qint16 seconds = 30, bool zamo80 = false, qint16 ref50 = 500,
             qint16 ref750 = 500)
    {
        handlers().handle(
            {1, channel, unit::DcoReading{100, ref50, ref750, 3, 300, seconds, completed, 1.0, value, zamo80}});
    }
    void noise(qint16 channel, double value, bool completed, qint16 high = 300, qint16 low = 200)
    {
        handlers().handle(
            {1, channel, unit::NoiseReading{100, 500, 50, high, low, 70, completed, 1.0, 2.0, value, false}});
    }
    void bias(qint16 channel, double value, bool completed, qint16 zero = 100)
    {
        handlers().handle({1, channel, unit::BiasReading{zero, 500, 200, 250, 0, 65, 0, completed, 1.0, value}});
    }
    void openInterval(qint32 second) { schedule().openIntervalAt(second); }
    run::RunState& state() { return sequencer->state(); }
};

TEST_F(OffsetNoiseBiasResultsTest, TheFirstInterimReadingSetsTheClockToTheUnitsSeconds)
{
    startStep("DCO");
    ASSERT_TRUE(schedule().resyncPending(run::MeasurementSchedule::Resync::Dco));
    DCO(0, 5.0, false, 7); // no reading is due yet: only the clock moves
    EXPECT_EQ(schedule().elapsedSeconds(), 7);
    EXPECT_FALSE(schedule().resyncPending(run::MeasurementSchedule::Resync::Dco));
    EXPECT_THAT(results->readings, IsEmpty());
    DCO(1, 5.0, false, 9);
    EXPECT_EQ(schedule().elapsedSeconds(), 7);

    schedule().setResyncPending(run::MeasurementSchedule::Resync::Dco, true); // a final reading never sets the clock
    DCO(0, 5.0, true, 50);
    EXPECT_EQ(schedule().elapsedSeconds(), 7);

    startStep("NOISE");
    noise(0, 1.0, false);
    EXPECT_EQ(schedule().elapsedSeconds(), 70);
    EXPECT_FALSE(schedule().resyncPending(run::MeasurementSchedule::Resync::Noise));
}

TEST_F(OffsetNoiseBiasResultsTest, InterimReadingsAreStoredOncePerIntervalAndBadOnesReplaced)
{
    startStep("DCO");
    openInterval(40);
    unit1.lastMeasurement[1] = 3.5;
    sequencer->state().activeTest->incrementErrorCount(1);
    DCO(0, 12.25, false);
    DCO(0, 13.0, false);               // already stored in this interval
    DCO(1, 99.0, false, 30, false, 0); // base model: the 50 mV word 0 is bad
    EXPECT_THAT(results->readings, ElementsAre("A1 40 12.250 40", "B1 40 3.500 40"));
    EXPECT_EQ(state().activeTest->getErrorCount(1), 0);
    EXPECT_THAT(logLines(), IsEmpty());
}

TEST_F(OffsetNoiseBiasResultsTest, FinalReadingsAreCheckedByModelAndJudgedAgainstTheirLimits)
{
    settings.limits.limitDco = 100;
    settings.limits.warningDco = 50;
    settings.limits.limitZamo80Dco = 10;
    settings.limits.warningZamo80Dco = 5;
    settings.limits.limitNoise = 30;
    settings.limits.warningNoise = 20;

    startStep("DCO");
    DCO(0, -60, true);                  // base limits
    DCO(1, 11, true, 30, true, 0, 500); // ZAMO80 limits; the 50 mV word is not looked at
    EXPECT_THAT(results->readings, ElementsAre("A1 61 -60.000 61", "B1 61 11.000 61"));
    EXPECT_THAT(results->results, ElementsAre("A1 PASS?", "B1 FAIL"));
    EXPECT_EQ(logLines().last(), "* -> 11.000 > 10, FAILED");

    startStep("DCO");
    DCO(0, 1, true, 30, true, 500, 0); // ZAMO80: the measured 750 mV word 0 is bad
    EXPECT_EQ(logLines().last(), "* Data error detected on Electrode A1. Requesting retransmission.");

    startStep("NOISE");
    noise(0, 1, true, 100, 200); // high peak below low peak
    EXPECT_EQ(logLines().last(), "* Data error detected on Electrode A1. Requesting retransmission.");
    noise(1, 25, true);
    EXPECT_THAT(logLines(), ::testing::Contains("* NOISE Test Complete on Electrode B1"));
    EXPECT_THAT(results->readings, ElementsAre("B1 360 25.000 360"));
    EXPECT_THAT(results->results, ElementsAre("B1 PASS?"));
}

TEST_F(OffsetNoiseBiasResultsTest, BiasReadingsAreLabelledInHoursAndMinutes)
{
    settings.limits.limitBias = 100;
    settings.limits.warningBias = 50;
    startStep("BIAS");
    openInterval(3900);
    bias(0, 12, false);
    EXPECT_THAT(results->readings, ElementsAre("A1 1:05 12.000 3900"));

    bias(0, 20, true);
    EXPECT_THAT(results->readings, ElementsAre("A1 1:05 12.000 3900", "A1 1:05 20.000 3900"));
    EXPECT_THAT(results->results, ElementsAre("A1 PASS"));
    bias(0, 120, true); // the electrode is complete: dropped
    EXPECT_THAT(results->results, ElementsAre("A1 PASS"));
    EXPECT_EQ(logLines().filter("BIAS Test Complete").size(), 1);
}

TEST_F(OffsetNoiseBiasResultsTest, TheFifthBadBiasReadingStopsTheChannelAfterItsResult)
{
    startStep("BIAS");
    for (int reply = 0; reply < 5; ++reply)
        bias(1, 10, true, 0);
    EXPECT_THAT(results->results, ElementsAre("B1 ERR"));
    EXPECT_EQ(logLines().last(), "* -> Electrode B1 Data Error");
    EXPECT_THAT(unit1.sent("CANCEL"), ElementsAre("CANCEL 1"));
    EXPECT_EQ(failureSounds, 1);
}

} // namespace
