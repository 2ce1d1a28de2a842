// The simulated unit: unit-frame answers, routing of channel and all-channel
// frames, the seconds clock, and the canned test replies with their timing.

#include "SimUnitFixture.h"

#include <vector>

using platform::Clock;

TEST_F(SimUnitTest, AnswersUnitFramesByTheirSecondCharacterForEachModel)
{
    struct Case {
        bool zamo80, zamo24;
        QString frame, answer;
    };
    const Case cases[] = {
        {false, false, "[*]", "[*]"},
        {false, false, "[8]", ""},
        {true, false, "[8]", "[8]"},
        {false, false, "[2]", ""},
        {false, true, "[2]", "[2]"},
        {false, false, "[21]", ""},
        {false, true, "[21]", "[2]"},
        {false, false, "[L]", "[L0]"},
        {false, false, "[D]", "[D0629,0234,0362,0362,0174,1,1,1,01010]"},
        {true, false, "[d]", ""},
        {false, true, "[T]", ""},
        {true, true, "[3]", ""},
        {false, false, "[]", ""},
    };
    for (const Case& c : cases) {
        make(2, c.zamo80, c.zamo24);
        EXPECT_EQ(unit.rxData(c.frame, true), c.answer) << c.frame.toStdString();
        EXPECT_EQ(Send(c.frame), (std::vector<Reply>{{c.answer, -1}})) << c.frame.toStdString();
    }
}

TEST_F(SimUnitTest, TheChannelMapComesAMomentAfterTheFindChannelsFrame)
{
    make(2);
    EXPECT_EQ(unit.rxData("[F]", true), "[F1100000000000000]");
    EXPECT_TRUE(Send("[F]").empty());
    platform::Clock::advance(unit::SimulatedUnit::ChannelSearchMs);
    EXPECT_EQ(replies, (std::vector<Reply>{{"[F1100000000000000]", -1}}));
    platform::Clock::advance(1000);
    EXPECT_EQ(replies.size(), 1u);
}

TEST_F(SimUnitTest, AFrameWithoutBracketsGetsNoAnswerAtAll)
{
    make(2);
    for (const QString frame : {"*", "[*", "*]", "(?)", ""}) {
        EXPECT_TRUE(Send(frame).empty()) << frame.toStdString();
        EXPECT_EQ(unit.rxData(frame, true), "");
    }
}

TEST_F(SimUnitTest, InitBuildsAtMostSixteenChannelsAndLightsTheirLamps)
{
    make(20);
    EXPECT_EQ(unit.channelCount(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(unit.lampColour(i), unit::SimulatedUnit::activeLamp());
    EXPECT_EQ(unit.rxData("[F]", true), "[F1111111111111111]");

    make(0);
    EXPECT_EQ(unit.channelCount(), 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(unit.lampColour(i), unit::SimulatedUnit::idleLamp());
    EXPECT_EQ(unit.rxData("[F]", true), "[F0000000000000000]");
}

TEST_F(SimUnitTest, ANonNumericChannelCountLeavesTheChannelsAsTheyWere)
{
    make(2);
    unit.setChannelsText("two");
    EXPECT_FALSE(unit.numOfChannels().has_value());
    unit.init();
    EXPECT_EQ(unit.channelCount(), 2);
    EXPECT_EQ(unit.rxData("[F]", true), "[F1100000000000000]");
}

TEST_F(SimUnitTest, RoutesChannelFramesToTheirChannelAndAnswersWithChannelMinusOne)
{
    make(2);
    EXPECT_EQ(Send("[C01(MS1)]"), (std::vector<Reply>{{"(MS199901)", -1}}));
    EXPECT_EQ(Send("[C00(MV1)]"), (std::vector<Reply>{{"(MV100101)", -1}}));
    EXPECT_EQ(Send("[C05(MD1)]"), (std::vector<Reply>{{"", -1}})); // no such channel
    EXPECT_EQ(Send("[Cxx(MD1)]"), (std::vector<Reply>{{"", -1}}));
    EXPECT_EQ(Send("[C00(MP1)]"), (std::vector<Reply>{{"(MV100101)", -1}})); // matches nothing: repeats
    EXPECT_EQ(Send("[C00(X)]"), (std::vector<Reply>{{"", -1}}));
}

TEST_F(SimUnitTest, AllChannelFramesAnswerOncePerMaskedChannelInChannelOrder)
{
    make(2);
    EXPECT_EQ(Send("[A(GA))1100000000000000]"), (std::vector<Reply>{{"(!)", 0}, {"(!)", 1}}));
    EXPECT_EQ(Send("[A(GA))0100000000000000]"), (std::vector<Reply>{{"(!)", 1}}));
    // The first masked position without a channel ends the broadcast.
    EXPECT_EQ(Send("[A(GA))1011000000000000]"), (std::vector<Reply>{{"(!)", 0}}));
    EXPECT_EQ(unit.rxData("[A(GA))1100000000000000]", true), "");
}

TEST_F(SimUnitTest, TheSecondsClockRunsFromInitOnAndTimesABaseModelAczTest)
{
    EXPECT_EQ(unit.clock(), 0);
    platform::Clock::advance(5000);
    EXPECT_EQ(unit.clock(), 0); // not started before init
    make(1);
    platform::Clock::advance(3000);
    EXPECT_EQ(unit.clock(), 3);

    EXPECT_EQ(Send("[A(GA))1000000000000000]"), (std::vector<Reply>{{"(!)", 0}}));
    EXPECT_EQ(Send("[C00(?)]"), (std::vector<Reply>{{"(!)", -1}})); // takes the clock start
    platform::Clock::advance(14000);
    EXPECT_EQ(Send("[C00(?)]"), (std::vector<Reply>{{"(!)", -1}}));
    platform::Clock::advance(1000);
    EXPECT_EQ(Send("[C00(?)]"), (std::vector<Reply>{{"(GA2130,3593,0000,2175,1470*)", -1}}));
    EXPECT_EQ(Send("[C00(?)]"), (std::vector<Reply>{{"(*)", -1}}));
    EXPECT_EQ(unit.clock(), 18);
}

// ---- one channel, driven with explicit clock values ----

namespace {

struct Step {
    qint32 clock;
    QString command;
    QString answer;
};

struct Scenario {
    const char* name;
    bool zamo80, zamo24;
    qint16 channel;
    std::vector<Step> steps;
};

class SimChannelReplies : public ::testing::TestWithParam<Scenario> {};

} // namespace

TEST_P(SimChannelReplies, AnswerAsTheUnitWould)
{
    const Scenario& s = GetParam();
    unit::SimulatedChannel channel;
    channel.init(s.channel, s.zamo80, s.zamo24);
    for (const Step& step : s.steps) {
        channel.rxCommand(step.command, step.clock);
        EXPECT_EQ(channel.data(), step.answer) << s.name << ": " << step.command.toStdString() << " at " << step.clock;
    }
}

static const QString AczBase = "(GA2130,3593,0000,2175,1470*)";
static const QString AczZ80 = "(GA2130,3593,0000,2175,0000*)";
static const QString AczZ80Ch0 = "(GA2130,3593,9999,2175,0000*)";

INSTANTIATE_TEST_SUITE_P(
    Tests, SimChannelReplies,
    ::testing::Values(
        Scenario{"ACZ base: busy for 15 s, then one final reply, then idle",
                 false,
                 false,
                 0,
                 {{10, "(GA)", "(!)"},
                  {10, "(?)", "(!)"},
                  {24, "(?)", "(!)"},
                  {25, "(?)", AczBase},
                  {26, "(?)", "(*)"},
                  {27, "(L)", AczBase},
                  {27, "(L)", AczBase},
                  {28, "(L)", AczBase}}},
        Scenario{"ACZ ZAMO80 channel 0: data error, the alternate on the third resend",
                 true,
                 false,
                 0,
                 {{1, "(GA))", "(!)"},
                  {1, "(?)", "(!)"},
                  {16, "(?)", AczZ80Ch0},
                  {17, "(L)", AczZ80Ch0},
                  {17, "(L)", AczZ80Ch0},
                  {17, "(L)", AczZ80},
                  {18, "(L)", AczZ80}}},
        Scenario{
            "ACZ ZAMO80 other channel", true, false, 1, {{1, "(GA)", "(!)"}, {1, "(?)", "(!)"}, {16, "(?)", AczZ80}}},
        Scenario{"clock start waits for a running clock",
                 false,
                 false,
                 0,
                 {{0, "(GA)", "(!)"}, {0, "(?)", "(!)"}, {5, "(?)", "(!)"}, {19, "(?)", "(!)"}, {20, "(?)", AczBase}}},
        Scenario{"ACZ30 base ends without data",
                 false,
                 false,
                 0,
                 {{1, "(Ga)", "(!)"},
                  {1, "(?)", "(!)"},
                  {16, "(?)", "(!)"},
                  {17, "(?)", "(*)"},
                  {17, "(L)", ""},
                  {17, "(L)", ""},
                  {17, "(L)", ""}}},
        Scenario{
            "ACZ30 ZAMO80",
            true,
            false,
            2,
            {{1, "(Ga)", "(!)"}, {1, "(?)", "(!)"}, {16, "(?)", "(Ga2130,3593,0000,2175,0000*)"}, {17, "(?)", "(*)"}}},
        Scenario{"ACLG base",
                 false,
                 false,
                 0,
                 {{1, "(GT)", "(GT0)"},
                  {1, "(?)", "(GT0)"},
                  {4, "(?)", "(GT0)"},
                  {5, "(?)", "(!)"},
                  {20, "(?)", "(!)"},
                  {21, "(?)", "(GT2130,3593*)"}}},
        Scenario{"ACLG ZAMO2-4",
                 false,
                 true,
                 0,
                 {{1, "(Gt)", "(Gt0)"},
                  {1, "(?)", "(Gt0)"},
                  {5, "(?)", "(!)"},
                  {21, "(?)", "(Gt0064,0076,3034,2749,1310,1205*)"}}},
        Scenario{"DEFR",
                 false,
                 false,
                 0,
                 {{1, "(GR)", "(GR0)"},
                  {1, "(?)", "(GR0)"},
                  {4, "(?)", "(GR0)"},
                  {5, "(?)", "(GR2022,2513,7492,0008,0000,0000,0004!)"},
                  {6, "(?)", "(GR2022,2513,7492,0008,2031,0000,0005!)"},
                  {60, "(?)", "(GR2022,2513,7492,0008,2031,0000,0059!)"},
                  {61, "(?)", "(GR2022,2513,7492,0008,2031,1222,0060*)"},
                  {62, "(?)", "(*)"}}},
        Scenario{"NOISE with its alternate",
                 false,
                 false,
                 0,
                 {{1, "(GN1)", "(GN12182,3386,0212,2208,2881,0000!)"},
                  {1, "(?)", "(GN12182,3386,0212,2208,2881,0000!)"},
                  {360, "(?)", "(GN12182,3386,0212,2208,2881,0359!)"},
                  {360, "(L)", "(GN12182,3386,0212,2208,2881,0359!)"},
                  {360, "(L)", "(GN12182,3386,0212,2208,2881,0359!)"},
                  {361, "(L)", "(GN12182,3386,0212,3208,2881,0360*)"},
                  {361, "(?)", "(GN12182,3386,0212,2208,2881,0360*)"},
                  {362, "(?)", "(*)"}}},
        Scenario{"DCO base, other channel",
                 false,
                 false,
                 1,
                 {{1, "(GD1)", "(GD12022,0000,2031,0000!)"},
                  {1, "(?)", "(GD12022,0000,2031,0000!)"},
                  {61, "(?)", "(GD12022,0000,2031,0060*)"},
                  {62, "(?)", "(*)"}}},
        Scenario{"DCO ZAMO80: every third resend gives the alternate",
                 true,
                 false,
                 0,
                 {{1, "(Gd1)", "(Gd12022,2513,7492,0008,2031,0000!)"},
                  {1, "(?)", "(Gd12022,2513,7492,0008,2031,0000!)"},
                  {2, "(L)", "(Gd12022,2513,7492,0008,2031,0000!)"},
                  {2, "(L)", "(Gd12022,2513,7492,0008,2031,0000!)"},
                  {2, "(L)", "(GD12022,2513,7492,0008,2031,0001!)"},
                  {3, "(L)", "(GD12022,2513,7492,0008,2031,0001!)"},
                  {3, "(L)", "(GD12022,2513,7492,0008,2031,0001!)"},
                  {3, "(L)", "(GD12022,2513,7492,0008,2031,0002!)"},
                  {3, "(?)", "(Gd12022,2513,7492,0008,2031,0002!)"}}},
        Scenario{"BIAS on channel 3 at 125 s and its end",
                 false,
                 false,
                 3,
                 {{1, "(GB1)", "(GB12022,1212,2046,2054,2054,0000,0000!)"},
                  {1, "(?)", "(GB12022,1212,2046,2054,2054,0000,0000!)"},
                  {126, "(?)", "(GB12022,1212,2046,2054,2054,0002,0005!)"},
                  {126, "(GB0)", "(GB02022,2513,2046,2054,0002,0005*)"},
                  {127, "(?)", "(*)"},
                  {127, "(L)", "(GB12022,1212,2046,2054,2054,0002,0005!)"}}},
        Scenario{"BIAS alternate on channel 0",
                 false,
                 false,
                 0,
                 {{1, "(GB1)", "(GB12022,0000,2046,2054,2054,0000,0000!)"},
                  {1, "(?)", "(GB12022,0000,2046,2054,2054,0000,0000!)"},
                  {2, "(L)", "(GB12022,0000,2046,2054,2054,0000,0000!)"},
                  {2, "(L)", "(GB12022,0000,2046,2054,2054,0000,0000!)"},
                  {62, "(L)", "(GB12022,2525,2046,2054,2054,0001,0001!)"}}},
        Scenario{"SDR answers only at 5, 15, 25 and from 35 s",
                 false,
                 false,
                 0,
                 {{1, "(GS)", "(!)"},
                  {1, "(?)", "(!)"},
                  {6, "(?)", "(GS2046,2536,0001,0002,2169,0000,0000,0000,0005!)"},
                  {7, "(?)", "(!)"},
                  {16, "(?)", "(GS2046,2536,0001,0002,2169,2143,0000,0000,0015!)"},
                  {26, "(?)", "(GS2046,2536,0001,0002,2169,2143,2131,0000,0025!)"},
                  {40, "(?)", "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)"},
                  {41, "(?)", "(*)"}}},
        Scenario{"PACE base and ZAMO2-4 never end",
                 false,
                 false,
                 0,
                 {{1, "(GP1)", "(GP1!)"}, {500, "(?)", "(GP1!)"}, {500, "(GP2)", "(GP2!)"}}},
        Scenario{"PACE ZAMO2-4", false, true, 0, {{1, "(Gp1)", "(Gp1!)"}, {2, "(Gp2)", "(Gp2!)"}}},
        Scenario{"queries, unknown commands and the reset",
                 false,
                 true,
                 4,
                 {{1, "(*)", "(*)"},
                  {1, "(MS1)", "(MS199904)"},
                  {1, "(MD1)", "(MD12010,01,02)"},
                  {1, "(Mp1)", "(Mp11234,5678,1234,5678,1000,0700)"},
                  {1, "(MP1)", "(Mp11234,5678,1234,5678,1000,0700)"},
                  {1, "(MS0,12345)", "(Mp11234,5678,1234,5678,1000,0700)"},
                  {1, "(Gz)", "(Mp11234,5678,1234,5678,1000,0700)"},
                  {1, "(?)", "(*)"},
                  {1, "(X)", ""},
                  {1, "(L)", ""}}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return "case" + std::to_string(info.index); });
