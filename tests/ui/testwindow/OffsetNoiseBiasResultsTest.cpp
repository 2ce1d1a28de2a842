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
    void DCO(qint16 channel, double value, bool completed, qint16 seconds = 30, bool zamo80 = false,
             qint16 ref50 = 500, qint16 ref750 = 500)
    {
        Handlers().RXDCOTestData(1, channel,
                                 DcoReading{100, ref50, ref750, 3, 300, seconds, completed, 1.0, value, zamo80});
    }
    void Noise(qint16 channel, double value, bool completed, qint16 high = 300, qint16 low = 200)
    {
        Handlers().RXNoiseTestData(1, channel,
                                   NoiseReading{100, 500, 50, high, low, 70, completed, 1.0, 2.0, value, false});
    }
    void Bias(qint16 channel, double value, bool completed, qint16 zero = 100)
    {
        Handlers().RXBiasTestData(1, channel, BiasReading{zero, 500, 200, 250, 0, 65, 0, completed, 1.0, value});
    }
    void OpenInterval(qint32 second)
    {
        form->State().PreviousMeasurementTime = second;
        form->State().IntervalReadingTaken[0].fill(false);
    }
    RunState& State() { return form->State(); }
};

TEST_F(OffsetNoiseBiasResultsTest, TheFirstInterimReadingSetsTheClockToTheUnitsSeconds)
{
    StartStep("DCO");
    ASSERT_TRUE(State().DCOResyncPending);
    DCO(0, 5.0, false, 7);   // no reading is due yet: only the clock moves
    EXPECT_EQ(State().ElapsedSeconds, 7);
    EXPECT_FALSE(State().DCOResyncPending);
    EXPECT_THAT(results->readings, IsEmpty());
    DCO(1, 5.0, false, 9);
    EXPECT_EQ(State().ElapsedSeconds, 7);

    State().DCOResyncPending = true;   // a final reading never sets the clock
    DCO(0, 5.0, true, 50);
    EXPECT_EQ(State().ElapsedSeconds, 7);

    StartStep("NOISE");
    Noise(0, 1.0, false);
    EXPECT_EQ(State().ElapsedSeconds, 70);
    EXPECT_FALSE(State().NOISEResyncPending);
}

TEST_F(OffsetNoiseBiasResultsTest, InterimReadingsAreStoredOncePerIntervalAndBadOnesReplaced)
{
    StartStep("DCO");
    OpenInterval(40);
    unit1.lastMeasurement[1] = 3.5;
    form->State().pActiveTest->IncrementErrorCount(1);
    DCO(0, 12.25, false);
    DCO(0, 13.0, false);                       // already stored in this interval
    DCO(1, 99.0, false, 30, false, 0);         // base model: the 50 mV word 0 is bad
    EXPECT_THAT(results->readings, ElementsAre("A1 40 12.250 40", "B1 40 3.500 40"));
    EXPECT_EQ(State().pActiveTest->GetErrorCount(1), 0);
    EXPECT_THAT(Lines(), IsEmpty());
}

TEST_F(OffsetNoiseBiasResultsTest, FinalReadingsAreCheckedByModelAndJudgedAgainstTheirLimits)
{
    settings.limits.limitDco = 100;
    settings.limits.warningDco = 50;
    settings.limits.limitZamo80Dco = 10;
    settings.limits.warningZamo80Dco = 5;
    settings.limits.limitNoise = 30;
    settings.limits.warningNoise = 20;

    StartStep("DCO");
    DCO(0, -60, true);                   // base limits
    DCO(1, 11, true, 30, true, 0, 500);  // ZAMO80 limits; the 50 mV word is not looked at
    EXPECT_THAT(results->readings, ElementsAre("A1 61 -60.000 61", "B1 61 11.000 61"));
    EXPECT_THAT(results->results, ElementsAre("A1 PASS?", "B1 FAIL"));
    EXPECT_EQ(Lines().last(), "* -> 11.000 > 10, FAILED");

    StartStep("DCO");
    DCO(0, 1, true, 30, true, 500, 0);   // ZAMO80: the measured 750 mV word 0 is bad
    EXPECT_EQ(Lines().last(), "* Data error detected on Electrode A1. Requesting retransmission.");

    StartStep("NOISE");
    Noise(0, 1, true, 100, 200);   // high peak below low peak
    EXPECT_EQ(Lines().last(), "* Data error detected on Electrode A1. Requesting retransmission.");
    Noise(1, 25, true);
    EXPECT_THAT(Lines(), ::testing::Contains("* NOISE Test Complete on Electrode B1"));
    EXPECT_THAT(results->readings, ElementsAre("B1 360 25.000 360"));
    EXPECT_THAT(results->results, ElementsAre("B1 PASS?"));
}

TEST_F(OffsetNoiseBiasResultsTest, BiasReadingsAreLabelledInHoursAndMinutes)
{
    settings.limits.limitBias = 100;
    settings.limits.warningBias = 50;
    StartStep("BIAS");
    OpenInterval(3900);
    Bias(0, 12, false);
    EXPECT_THAT(results->readings, ElementsAre("A1 1:05 12.000 3900"));

    Bias(0, 20, true);
    EXPECT_THAT(results->readings, ElementsAre("A1 1:05 12.000 3900", "A1 1:05 20.000 3900"));
    EXPECT_THAT(results->results, ElementsAre("A1 PASS"));
    Bias(0, 120, true);   // the electrode is complete: dropped
    EXPECT_THAT(results->results, ElementsAre("A1 PASS"));
    EXPECT_EQ(Lines().filter("BIAS Test Complete").size(), 1);
}

TEST_F(OffsetNoiseBiasResultsTest, TheFifthBadBiasReadingStopsTheChannelAfterItsResult)
{
    StartStep("BIAS");
    for (int reply = 0; reply < 5; ++reply)
        Bias(1, 10, true, 0);
    EXPECT_THAT(results->results, ElementsAre("B1 ERR"));
    EXPECT_EQ(Lines().last(), "* -> Electrode B1 Data Error");
    EXPECT_THAT(unit1.Sent("CANCEL"), ElementsAre("CANCEL 1"));
    EXPECT_EQ(failureSounds, 1);
}

} // namespace
