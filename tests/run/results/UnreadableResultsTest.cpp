// A reading the unit sent but that could not be read, for every test that
// judges readings: the final one is asked for again four times and the fifth
// ends the electrode with ERR, with nothing stored or judged from it; an
// interim one is dropped.
#include "ResultFixture.h"
#include "run/ChargeSequence.h"
#include "run/RunState.h"
#include "run/Zamo80RunPlan.h"

#include <QRegularExpression>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using unit::ReadingKind;

namespace {

class UnreadableResultsTest : public ResultFixture {
protected:
    void unreadable(qint16 channel, ReadingKind kind, bool completed, bool zamo80)
    {
        handlers().handle({1, channel, unit::UnreadableReading{kind, completed, zamo80}});
    }
    // A log line that ends with the trace given.
    bool traced(const QString& trace) const
    {
        return logText().contains(QRegularExpression(trace + "\\r?$", QRegularExpression::MultilineOption));
    }
};

struct Case {
    const char* type;
    ReadingKind kind;
    bool zamo80;
    const char* completion;
};

const Case kCases[] = {
    {"ACZ", ReadingKind::Acz, false, "* ACZ Test Complete on Electrode A1"},
    {"ACZ", ReadingKind::Acz, true, "* ACZ Test Complete on Electrode A1"},
    {"ACZ30", ReadingKind::Acz30, true, "* ACZ30 Test Complete on Electrode A1"},
    {"ACLG", ReadingKind::Aclg, true, "* ACLG Test Complete on Electrode A1"},
    {"ACLG", ReadingKind::Zamo24Aclg, true, "* ACLG Test Complete on Electrode A1"},
    {"DEFR", ReadingKind::DefibRecovery, true, "* DEFR Test Complete on Electrode A1"},
    {"NOISE", ReadingKind::Noise, false, "* NOISE Test Complete on Electrode A1"},
    {"DCO", ReadingKind::Dco, true, "* DCO Test Complete on Electrode A1"},
    {"BIAS", ReadingKind::Bias, false, "* BIAS Test Complete on Electrode A1"},
    {"SDR", ReadingKind::Sdr, false, "* SDR Test Complete on Electrode A1"},
};

TEST_F(UnreadableResultsTest, AskedAgainFourTimesThenERRAndNothingStored)
{
    for (const Case& c : kCases) {
        const std::string what = std::string(c.type) + (c.zamo80 ? " ZAMO80" : "");
        startStep(c.type, c.zamo80);
        unreadable(0, c.kind, false, c.zamo80);
        EXPECT_THAT(logLines(), IsEmpty()) << what;
        EXPECT_THAT(unit1.sent("RESEND"), IsEmpty()) << what;

        unreadable(0, c.kind, true, c.zamo80);
        EXPECT_THAT(logLines(),
                    ElementsAre(c.completion, "* Data error detected on Electrode A1. Requesting retransmission."))
            << what;
        EXPECT_TRUE(electrodeActive(0)) << what;
        for (int reply = 0; reply < 4; ++reply)
            unreadable(0, c.kind, true, c.zamo80);
        EXPECT_EQ(logLines().last(), "* -> Electrode A1 Data Error") << what;
        EXPECT_EQ(unit1.sent("RESEND 0").size(), 4) << what;
        EXPECT_THAT(results->results, ElementsAre("A1 ERR")) << what;
        EXPECT_THAT(results->readings, IsEmpty()) << what;
        EXPECT_EQ(failureSounds, 1) << what;
        EXPECT_FALSE(electrodeActive(0)) << what;
        EXPECT_TRUE(electrodeActive(1)) << what;
    }
}

TEST_F(UnreadableResultsTest, WhatTheTestsOwnFinalReadingEndsEndsToo)
{
    startStep("ACLG", true);
    unreadable(0, ReadingKind::Aclg, true, true);
    EXPECT_TRUE(charge().finished(run::ChargeSequence::Test::Aclg));

    startStep("DEFR", true);
    unreadable(0, ReadingKind::DefibRecovery, true, true);
    EXPECT_TRUE(charge().finished(run::ChargeSequence::Test::Defr));

    // A bias measurement that cannot be read is stopped on its channel.
    startStep("BIAS");
    for (int reply = 0; reply < 5; ++reply)
        unreadable(0, ReadingKind::Bias, true, false);
    EXPECT_THAT(unit1.sent("CANCEL"), ElementsAre("CANCEL 0"));

    // The pre-check of a ZAMO80 run counts the electrode as open.
    startStep("ACZ", true);
    state().preCheckRunning = true;
    for (int reply = 0; reply < 5; ++reply)
        unreadable(0, ReadingKind::Acz, true, true);
    EXPECT_TRUE(sequencer->services().zamo80->openCircuit(run::UnitIndex::first(), 0));
}

// A final SDR reply ends the start phase, readable or not: before any
// interim reply it is still asked for again, and the fifth is ERR.
TEST_F(UnreadableResultsTest, AnSdrFinalBeforeAnyInterimReplyIsFinal)
{
    startStep("SDR");
    state().startPhase = true;
    unreadable(0, ReadingKind::Sdr, true, false);
    EXPECT_FALSE(state().startPhase);
    EXPECT_THAT(logLines(), ElementsAre("* SDR Test Complete on Electrode A1",
                                        "* Data error detected on Electrode A1. Requesting retransmission."));
    for (int reply = 0; reply < 4; ++reply)
        unreadable(0, ReadingKind::Sdr, true, false);
    EXPECT_THAT(results->results, ElementsAre("A1 ERR"));
    // An interim one in the start phase leaves it as it is.
    startStep("SDR");
    state().startPhase = true;
    unreadable(1, ReadingKind::Sdr, false, false);
    EXPECT_TRUE(state().startPhase);
}

// Every ACLG reply leaves its trace line, with the points of the path it
// takes, readable or not.
TEST_F(UnreadableResultsTest, AnUnreadableAclgReplyLeavesItsTraceLine)
{
    startStep("ACLG", true);
    unreadable(0, ReadingKind::Aclg, false, true);
    EXPECT_TRUE(traced("ACLG\\.2\\.17")) << logText().toStdString();
    unreadable(0, ReadingKind::Aclg, true, true);
    EXPECT_TRUE(traced("ACLG\\.2\\.3\\.4\\.6\\.8\\.9")) << logText().toStdString();
    for (int reply = 0; reply < 4; ++reply)
        unreadable(0, ReadingKind::Zamo24Aclg, true, true);
    EXPECT_TRUE(traced("ACLG24\\.2\\.3\\.4\\.6\\.7\\.9")) << logText().toStdString();
}

TEST_F(UnreadableResultsTest, CalibrationModeShowsTheDataErrorAndJudgesNothing)
{
    startStep("ACZ");
    state().calibrationMode = true;
    state().burnInRunning = false;
    unreadable(0, ReadingKind::Acz, true, false);
    EXPECT_EQ(logLines().last(), "* -> Electrode A1 Data Error");
    EXPECT_THAT(results->results, IsEmpty());
    EXPECT_THAT(unit1.sent("RESEND"), IsEmpty());
}

} // namespace
