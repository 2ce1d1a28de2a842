// The 1-second test clock in virtual time: interval openings of each test
// type, the overrun of an unfinished step, the clock held while unit 1
// reconnects, the ACLG and DEFR charge sequence, the BIAS clock and maximum
// duration, and the keep-awake calls.
#include "ResultFixture.h"

#include "run/IntervalTestClock.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

class TestClockTest : public ResultFixture {
protected:
    void Second() { platform::Clock::advance(1000); }
    void Seconds(int n)
    {
        for (int i = 0; i < n; ++i)
            Second();
    }
    IntervalTestClock& Clock() { return dynamic_cast<IntervalTestClock&>(*form->Services().clock); }

    // A one-electrode charge step (ACLG or DEFR) on a ZAMO80 unit.
    void StartChargeStep(const QString& type, const QString& electrode)
    {
        settings.zamo80Delays.defibCharge = 54;
        unit1.Plug(2, true);
        unit2.Plug(2, true);
        unit1.commands.clear();
        unit2.commands.clear();
        auto step = std::make_shared<clsTestSequence>();
        step->InitByParams(type, 1, electrode, 1, 60, false, 1, false);
        Globals::ActiveTestList = {step};
        form->State().lists.running = {step};
        form->Sequencer().StartTest(step, false, false, false, false);
        ASSERT_TRUE(form->pTestRunning());
        form->operatorLog().clear();
    }
};

TEST_F(TestClockTest, EachTypeOpensItsIntervals)
{
    struct Case {
        const char* type;
        int seconds;   // watched, below the step's resend second
        std::vector<int> openings;
    } const cases[] = {
        {"DCO", 74, {20, 40, 70}},          {"ACZ", 34, {10}},
        {"ACZ30", 34, {10}},                {"SDR", 59, {10}},
        {"NOISE", 150, {65, 90, 120, 150}}, {"BIAS", 200, {60, 120, 180}},
        {"ACZ30ZERO", 34, {}},
    };
    for (const Case& c : cases) {
        StartStep(c.type, QString(c.type) == "ACZ30ZERO");
        RunState& state = form->State();
        if (QString(c.type) == "BIAS") {   // a one-minute sample for the test
            state.BiasSampleSeconds = 60;
            form->Services().clock->SetNextMeasurementTime(true);
        }
        std::vector<int> openings;
        for (int s = 1; s <= c.seconds; ++s) {
            state.IntervalReadingTaken[0][0] = true;
            Second();
            if (!state.IntervalReadingTaken[0][0])
                openings.push_back(state.ElapsedSeconds);
        }
        EXPECT_EQ(openings, c.openings) << c.type;
        EXPECT_TRUE(form->pTestRunning()) << c.type;
    }
}

TEST_F(TestClockTest, TheStartPhaseOfAnImpedanceStepEndsAtSecondFive)
{
    StartStep("ACZ");
    form->State().StartupFlag = true;
    Seconds(4);
    EXPECT_TRUE(form->State().StartupFlag);
    Second();
    EXPECT_FALSE(form->State().StartupFlag);
}

TEST_F(TestClockTest, AnUnfinishedStepIsAskedToResendThenAborted)
{
    StartStep("ACZ");   // 25 s expected: resend at 35, abort at 45
    ACZ(1, 1500);
    Seconds(34);
    EXPECT_THAT(unit1.Sent("RESEND"), IsEmpty());
    Second();
    EXPECT_THAT(unit1.Sent("RESEND"), ElementsAre("RESEND 0"));
    Seconds(9);
    EXPECT_TRUE(form->pTestRunning());
    Second();
    EXPECT_FALSE(form->pTestRunning());
    EXPECT_THAT(Lines().mid(Lines().indexOf("* TEST EXCEEDED MAX EXPECTED DURATION")),
                ElementsAre("* TEST EXCEEDED MAX EXPECTED DURATION", "* Tests Cancelled"));
    EXPECT_THAT(unit1.Sent("RESEND"), ElementsAre("RESEND 0"));
}

TEST_F(TestClockTest, AFinishedStepWaitingForTheSequencerDoesNotOverrun)
{
    StartStep("ACZ");
    form->Sequencer().TestSequenceTimer.setInterval(60000);
    Seconds(20);
    ACZ(0, 1500);
    ACZ(1, 1500);
    Seconds(39);   // past the resend and abort seconds
    EXPECT_TRUE(form->pTestRunning());
    EXPECT_THAT(unit1.Sent("RESEND"), IsEmpty());
    Seconds(2);    // the sequencer's tick ends the list
    EXPECT_FALSE(form->pTestRunning());
    EXPECT_TRUE(Lines().contains("* Tests Completed"));
    EXPECT_FALSE(Lines().contains("* TEST EXCEEDED MAX EXPECTED DURATION"));
}

TEST_F(TestClockTest, TheClockStandsStillWhileAZamo80UnitReconnects)
{
    StartStep("ACZ", true);
    Seconds(10);
    unit1.reconnecting = true;
    Seconds(7);
    EXPECT_EQ(form->State().ElapsedSeconds, 10);
    unit1.reconnecting = false;
    Seconds(24);
    EXPECT_THAT(unit1.Sent("RESEND"), IsEmpty());
    Second();   // second 35 of the step, 42 on the wall
    EXPECT_EQ(unit1.Sent("RESEND").size(), 2);

    // A base-model unit 1 does not hold the clock.
    StartStep("ACZ");
    unit1.reconnecting = true;
    Seconds(3);
    EXPECT_EQ(form->State().ElapsedSeconds, 3);
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
    } const cases[] = {
        {"ACLG", "B1", &unit1, "ACLG START 1", "* No ACLG ACK received.  Retransmitting ACLG Start Command.",
         "* ACLG failed to start.  Aborting tests!"},
        // An electrode of unit 2 is started on unit 2.
        {"DEFR", "A2", &unit2, "DEFR START 0", "*No Defib Recovery ACK received.  Retransmitting DEFR Start Command.",
         "*Defib Recovery failed to start.  Aborting tests!"},
    };
    for (const Case& c : cases) {
        StartChargeStep(c.type, c.electrode);
        Seconds(51);
        EXPECT_THAT(c.unit->Sent(c.type), IsEmpty()) << c.type;
        Second();
        EXPECT_THAT(c.unit->Sent(c.type), ElementsAre(c.start)) << c.type;
        Seconds(2);
        EXPECT_THAT(c.unit->Sent(c.type), ElementsAre(c.start, c.start)) << c.type;
        EXPECT_TRUE(form->pTestRunning()) << c.type;
        Second();
        EXPECT_FALSE(form->pTestRunning()) << c.type;
        EXPECT_THAT(Lines().mid(0, 3), ElementsAre(QString("Starting ") + c.type + " Measurements", c.retry, c.fail))
            << c.type;
        EXPECT_THAT(unit1.Sent("TRIGGER"), IsEmpty());
        EXPECT_THAT(unit2.Sent("TRIGGER"), IsEmpty());
    }
    EXPECT_THAT(unit1.Sent("DEFR"), IsEmpty());
}

TEST_F(TestClockTest, AnAcknowledgedStartGetsTheTriggerChargeOnce)
{
    // Acknowledged before the charge time: trigger at 54.
    StartChargeStep("ACLG", "A1");
    Seconds(53);
    form->State().ACLGAckReceived = true;
    Second();
    EXPECT_THAT(unit1.Sent("TRIGGER"), ElementsAre("TRIGGER CHARGE"));
    Seconds(6);
    EXPECT_THAT(unit1.Sent("TRIGGER"), ElementsAre("TRIGGER CHARGE"));
    EXPECT_THAT(Lines(), ElementsAre("Starting ACLG Measurements", "Sending Trigger Charge Command"));
    EXPECT_TRUE(form->pTestRunning());

    // Acknowledged after the resend: trigger at the next tick, no abort.
    form->StopTests();
    StartChargeStep("ACLG", "A1");
    Seconds(54);
    form->State().ACLGAckReceived = true;
    Second();
    EXPECT_THAT(unit1.Sent("ACLG"), ElementsAre("ACLG START 0", "ACLG START 0"));
    EXPECT_THAT(unit1.Sent("TRIGGER"), ElementsAre("TRIGGER CHARGE"));
    EXPECT_TRUE(form->pTestRunning());

    // A delivered result stops the sequence.
    form->State().ACLGDone = true;
    form->State().TriggerChargeSent = false;
    Seconds(3);
    EXPECT_EQ(unit1.Sent("TRIGGER").size(), 1);
}

TEST_F(TestClockTest, TheBiasCountCatchesUpWithUtcButNotPastTheNextSample)
{
    for (const int next : {3600, 1003}) {
        StartStep("BIAS");
        RunState& state = form->State();
        state.ElapsedSeconds = 999;
        state.NextMeasurementTime = next;
        state.BiasUtcStart = platform::Clock::nowUtc().addSecs(-1002);
        Second();
        EXPECT_EQ(state.ElapsedSeconds, next == 3600 ? 1003 : 1000) << "next sample " << next;
    }
}

TEST_F(TestClockTest, TheBiasMaximumDurationStopsTheBiasTestsOnce)
{
    StartStep("BIAS");
    RunState& state = form->State();
    state.ElapsedSeconds = 3599;
    Clock().CheckBiasTestDuration();
    EXPECT_THAT(unit1.Sent("STOP"), IsEmpty());
    state.ElapsedSeconds = 3600;
    Clock().CheckBiasTestDuration();
    Clock().CheckBiasTestDuration();
    EXPECT_THAT(unit1.Sent("STOP"), ElementsAre("STOP ALL BIAS"));
    EXPECT_THAT(unit2.Sent("STOP"), IsEmpty());   // not connected
    EXPECT_EQ(state.BiasMaxSeconds, 9999999);
    EXPECT_TRUE(LogText().contains("Test Duration (3600) >= Max BIAS Duration (3600)"));
}

TEST_F(TestClockTest, KeepAwakeCallsDuringARunOnly)
{
    settings.keepAlive.moveMouse = true;
    settings.keepAlive.wakeUp = true;
    QList<int> nudges;
    QList<int> wakes;
    Clock().KeepAwakeCalls() = {[&] { nudges << platform::Clock::now().time().second(); },
                                [&] { wakes << platform::Clock::now().time().second(); }};
    platform::Clock::setNow(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
    StartStep("NOISE");
    Seconds(120);
    EXPECT_THAT(nudges, ElementsAre(59, 0, 59, 0));
    EXPECT_THAT(wakes, ElementsAre(0, 0));

    form->StopTests();
    Seconds(120);
    EXPECT_EQ(nudges.size(), 4);
    EXPECT_EQ(wakes.size(), 2);
}

} // namespace
