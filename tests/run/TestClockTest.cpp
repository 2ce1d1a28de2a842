// The 1-second test clock in virtual time: interval openings of each test
// type, the overrun of an unfinished step, the clock held while unit 1
// reconnects, the ACLG and DEFR charge sequence, the BIAS clock and maximum
// duration, and the keep-awake calls.
#include "run/IntervalTestClock.h"
#include "run/results/ResultFixture.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

class TestClockTest : public ResultFixture {
protected:
    void second() { platform::Clock::advance(1000); }
    void seconds(int n)
    {
        for (int i = 0; i < n; ++i)
            second();
    }
    run::IntervalTestClock& testClock() { return dynamic_cast<run::IntervalTestClock&>(*sequencer->services().clock); }

    // A one-electrode charge step (ACLG or DEFR) on a ZAMO80 unit.
    void startChargeStep(const QString& type, const QString& electrode)
    {
        settings.zamo80Delays.defibCharge = 54;
        unit1.plug(2, true);
        unit2.plug(2, true);
        unit1.commands.clear();
        unit2.commands.clear();
        auto step = std::make_shared<testlists::TestStep>();
        step->initByParams(type, 1, electrode, 1, 60, false, 1, false);
        testLists.active = {step};
        state().lists.running = {step};
        sequencer->startTest(step, false, false, false, false);
        ASSERT_TRUE(testRunning());
        host.log.clear();
    }
};

TEST_F(TestClockTest, EachTypeOpensItsIntervals)
{
    struct Case {
        const char* type;
        int seconds; // watched, below the step's resend second
        std::vector<int> openings;
    } const cases[] = {
        {"DCO", 74, {20, 40, 70}},
        {"ACZ", 34, {10}},
        {"ACZ30", 34, {10}},
        {"SDR", 59, {10}},
        {"NOISE", 150, {65, 90, 120, 150}},
        {"BIAS", 200, {60, 120, 180}},
        {"ACZ30ZERO", 34, {}},
    };
    for (const Case& c : cases) {
        startStep(c.type, QString(c.type) == "ACZ30ZERO");
        run::MeasurementSchedule& schedule = this->schedule();
        if (QString(c.type) == "BIAS") { // a one-minute sample for the test
            schedule.setBiasSampleSeconds(60);
            sequencer->services().clock->setNextMeasurementTime(true);
        }
        std::vector<int> openings;
        for (int s = 1; s <= c.seconds; ++s) {
            schedule.markIntervalReadingTaken(run::UnitIndex::first(), 0);
            second();
            if (schedule.intervalReadingDue(run::UnitIndex::first(), 0))
                openings.push_back(schedule.elapsedSeconds());
        }
        EXPECT_EQ(openings, c.openings) << c.type;
        EXPECT_TRUE(testRunning()) << c.type;
    }
}

TEST_F(TestClockTest, TheStartPhaseOfAnImpedanceStepEndsAtSecondFive)
{
    startStep("ACZ");
    state().startPhase = true;
    seconds(4);
    EXPECT_TRUE(state().startPhase);
    second();
    EXPECT_FALSE(state().startPhase);
}

TEST_F(TestClockTest, AnUnfinishedStepIsAskedToResendThenAborted)
{
    startStep("ACZ"); // 25 s expected: resend at 35, abort at 45
    ACZ(1, 1500);
    seconds(34);
    EXPECT_THAT(unit1.sent("RESEND"), IsEmpty());
    second();
    EXPECT_THAT(unit1.sent("RESEND"), ElementsAre("RESEND 0"));
    seconds(9);
    EXPECT_TRUE(testRunning());
    second();
    EXPECT_FALSE(testRunning());
    EXPECT_THAT(logLines().mid(logLines().indexOf("* TEST EXCEEDED MAX EXPECTED DURATION")),
                ElementsAre("* TEST EXCEEDED MAX EXPECTED DURATION", "* Tests Cancelled"));
    EXPECT_THAT(unit1.sent("RESEND"), ElementsAre("RESEND 0"));
    // Told once the run has stopped, naming the electrode that did not answer.
    EXPECT_THAT(prompts->messages(), ElementsAre("TEST EXCEEDED MAX EXPECTED DURATION.  Aborting test.\r\n\r\n"
                                                 "The ACZ test got no reading in time from Electrodes A1."));
}

TEST_F(TestClockTest, AFinishedStepWaitingForTheSequencerDoesNotOverrun)
{
    startStep("ACZ");
    sequencer->stepTimer().setInterval(60000);
    seconds(20);
    ACZ(0, 1500);
    ACZ(1, 1500);
    seconds(39); // past the resend and abort seconds
    EXPECT_TRUE(testRunning());
    EXPECT_THAT(unit1.sent("RESEND"), IsEmpty());
    seconds(2); // the sequencer's tick ends the list
    EXPECT_FALSE(testRunning());
    EXPECT_TRUE(logLines().contains("* Tests Completed"));
    EXPECT_FALSE(logLines().contains("* TEST EXCEEDED MAX EXPECTED DURATION"));
}

TEST_F(TestClockTest, TheClockStandsStillWhileAZamo80UnitReconnects)
{
    startStep("ACZ", true);
    seconds(10);
    unit1.isReconnecting = true;
    seconds(7);
    EXPECT_EQ(schedule().elapsedSeconds(), 10);
    unit1.isReconnecting = false;
    seconds(24);
    EXPECT_THAT(unit1.sent("RESEND"), IsEmpty());
    second(); // second 35 of the step, 42 on the wall
    EXPECT_EQ(unit1.sent("RESEND").size(), 2);

    // A base-model unit 1 does not hold the clock.
    startStep("ACZ");
    unit1.isReconnecting = true;
    seconds(3);
    EXPECT_EQ(schedule().elapsedSeconds(), 3);
}

TEST_F(TestClockTest, AStartThatIsNotAcknowledgedIsSentOnceMoreThenTheRunAborts)
{
    struct Case {
        const char* type;
        const char* electrode;
        RecordingUnit* unit;
        const char* start;
        const char* retry;
        const char* fail;
        const char* told;
    } const cases[] = {
        {"ACLG", "B1", &unit1, "ACLG START 1", "* No ACLG ACK received.  Retransmitting ACLG Start Command.",
         "* ACLG failed to start.  Aborting tests!", "ACLG failed to start.  Aborting tests!"},
        // An electrode of unit 2 is started on unit 2.
        {"DEFR", "A2", &unit2, "DEFR START 0", "*No Defib Recovery ACK received.  Retransmitting DEFR Start Command.",
         "*Defib Recovery failed to start.  Aborting tests!", "Defib Recovery failed to start.  Aborting tests!"},
    };
    for (const Case& c : cases) {
        startChargeStep(c.type, c.electrode);
        seconds(51);
        EXPECT_THAT(c.unit->sent(c.type), IsEmpty()) << c.type;
        second();
        EXPECT_THAT(c.unit->sent(c.type), ElementsAre(c.start)) << c.type;
        seconds(2);
        EXPECT_THAT(c.unit->sent(c.type), ElementsAre(c.start, c.start)) << c.type;
        EXPECT_TRUE(testRunning()) << c.type;
        second();
        EXPECT_FALSE(testRunning()) << c.type;
        EXPECT_THAT(logLines().mid(0, 3), ElementsAre(QString("Starting ") + c.type + " Measurements", c.retry, c.fail))
            << c.type;
        EXPECT_THAT(prompts->messages(), ElementsAre(c.told)) << c.type; // once the run has stopped
        prompts->shown.clear();
        EXPECT_THAT(unit1.sent("TRIGGER"), IsEmpty());
        EXPECT_THAT(unit2.sent("TRIGGER"), IsEmpty());
    }
    EXPECT_THAT(unit1.sent("DEFR"), IsEmpty());
}

TEST_F(TestClockTest, AnAcknowledgedStartGetsTheTriggerChargeOnce)
{
    // Acknowledged before the charge time: trigger at 54.
    startChargeStep("ACLG", "A1");
    seconds(53);
    charge().acknowledge(run::ChargeSequence::Test::Aclg);
    second();
    EXPECT_THAT(unit1.sent("TRIGGER"), ElementsAre("TRIGGER CHARGE"));
    seconds(6);
    EXPECT_THAT(unit1.sent("TRIGGER"), ElementsAre("TRIGGER CHARGE"));
    EXPECT_THAT(logLines(), ElementsAre("Starting ACLG Measurements", "Sending Trigger Charge Command"));
    EXPECT_TRUE(testRunning());

    // Acknowledged after the resend: trigger at the next tick, no abort.
    sequencer->stopTests();
    startChargeStep("ACLG", "A1");
    seconds(54);
    charge().acknowledge(run::ChargeSequence::Test::Aclg);
    second();
    EXPECT_THAT(unit1.sent("ACLG"), ElementsAre("ACLG START 0", "ACLG START 0"));
    EXPECT_THAT(unit1.sent("TRIGGER"), ElementsAre("TRIGGER CHARGE"));
    EXPECT_TRUE(testRunning());

    // A delivered result stops the sequence.
    // (acknowledged, no trigger sent yet, the result in)
    charge().begin(run::ChargeSequence::Test::Aclg);
    charge().acknowledge(run::ChargeSequence::Test::Aclg);
    charge().finish(run::ChargeSequence::Test::Aclg);
    seconds(3);
    EXPECT_EQ(unit1.sent("TRIGGER").size(), 1);
}

TEST_F(TestClockTest, TheBiasCountCatchesUpWithUtcButNotPastTheNextSample)
{
    for (const int next : {3600, 1003}) {
        startStep("BIAS");
        run::MeasurementSchedule& schedule = this->schedule();
        schedule.setElapsedSeconds(999);
        schedule.setNextMeasurementSecond(next);
        schedule.setBiasUtcStart(platform::Clock::nowUtc().addSecs(-1002));
        second();
        EXPECT_EQ(schedule.elapsedSeconds(), next == 3600 ? 1003 : 1000) << "next sample " << next;
    }
}

TEST_F(TestClockTest, TheBiasMaximumDurationStopsTheBiasTestsOnce)
{
    startStep("BIAS");
    run::MeasurementSchedule& schedule = this->schedule();
    schedule.setElapsedSeconds(3599);
    testClock().checkBiasTestDuration();
    EXPECT_THAT(unit1.sent("STOP"), IsEmpty());
    schedule.setElapsedSeconds(3600);
    testClock().checkBiasTestDuration();
    testClock().checkBiasTestDuration();
    EXPECT_THAT(unit1.sent("STOP"), ElementsAre("STOP ALL BIAS"));
    EXPECT_THAT(unit2.sent("STOP"), IsEmpty()); // not connected
    EXPECT_EQ(schedule.biasMaxSeconds(), 9999999);
    EXPECT_TRUE(logText().contains("Test Duration (3600) >= Max BIAS Duration (3600)"));
}

TEST_F(TestClockTest, KeepAwakeCallsDuringARunOnly)
{
    settings.keepAlive.moveMouse = true;
    settings.keepAlive.wakeUp = true;
    QList<int> nudges;
    QList<int> wakes;
    testClock().keepAwakeCalls() = {[&] { nudges << platform::Clock::now().time().second(); },
                                    [&] { wakes << platform::Clock::now().time().second(); }};
    platform::Clock::setNow(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
    startStep("NOISE");
    seconds(120);
    EXPECT_THAT(nudges, ElementsAre(59, 0, 59, 0));
    EXPECT_THAT(wakes, ElementsAre(0, 0));

    sequencer->stopTests();
    seconds(120);
    EXPECT_EQ(nudges.size(), 4);
    EXPECT_EQ(wakes.size(), 2);
}

} // namespace
