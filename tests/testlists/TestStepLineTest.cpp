#include "testlists/TestStep.h"

#include <gtest/gtest.h>

namespace {

int selectedCount(const clsTestSequence& step)
{
    int n = 0;
    for (int i = 0; i < 32; ++i)
        n += step.ElectrodeSelected(i) ? 1 : 0;
    return n;
}

} // namespace

TEST(StepLine, EveryTypeIsWrittenAndReadBackUnchanged)
{
    const char* lines[] = {
        "DCO,A1-P2,1",      "SDR,A1-D1.F1,4",   "ACZ,A1-P2,1",       "NOISE,B2,3",
        "BIAS,8/30,1",      "ACZ30,A1.C1,2",    "ACLG,A1-P2,2",      "DEFR,P1-A2,1",
        "PACE1,A1-P2,60,-1,0", "PACE2,C1,45,0,-1", "ACZ30ZERO,A2-P2,1", "SGROLL,None,5",
        "ACZ,,1",           "ACZ,A1,-3",
    };
    for (const char* line : lines) {
        clsTestSequence step;
        EXPECT_TRUE(step.InitByString(line)) << line;
        EXPECT_EQ(step.TestString(), line);
        clsTestSequence copy;
        EXPECT_TRUE(copy.InitByString(step.TestString()));
        EXPECT_EQ(copy.TestString(), line);
    }
}

TEST(StepLine, InitByParamsComposesEachLayout)
{
    struct Case {
        const char* type;
        qint16 count;
        const char* electrodes;
        qint16 biasHours, biasMinutes;
        bool prompt;
        qint16 paceMinutes;
        bool concurrent;
        const char* line;
    };
    const Case cases[] = {
        {"ACZ", 3, "A1-B1", 7, 8, true, 9, true, "ACZ,A1-B1,3"},
        {"BIAS", 2, "C1", 8, 30, false, 0, false, "BIAS,8/30,2"},
        {"PACE1", 5, "A1-P2", 0, 0, true, 60, false, "PACE1,A1-P2,60,-1,0"},
        {"PACE2", 5, "D2", 0, 0, false, 15, true, "PACE2,D2,15,0,-1"},
    };
    for (const Case& c : cases) {
        clsTestSequence step;
        EXPECT_TRUE(step.InitByParams(c.type, c.count, c.electrodes, c.biasHours, c.biasMinutes,
                                      c.prompt, c.paceMinutes, c.concurrent));
        EXPECT_EQ(step.TestString(), c.line);
    }
}

TEST(StepLine, BiasTakesAllElectrodesAndItsTimes)
{
    clsTestSequence step;
    ASSERT_TRUE(step.InitByString("BIAS,8/30,1"));
    EXPECT_EQ(step.BiasTestTime(), 8);
    EXPECT_EQ(step.BiasSampleTime(), 30);
    EXPECT_EQ(step.TestCount(), 1);
    EXPECT_EQ(step.electrodeString(), "A1-P2");
    EXPECT_EQ(selectedCount(step), 32);

    clsTestSequence noSlash;
    EXPECT_FALSE(noSlash.InitByString("BIAS,8,1"));
    EXPECT_EQ(noSlash.electrodeString(), "A1-P2");
    EXPECT_EQ(selectedCount(noSlash), 32);
}

TEST(StepLine, PaceHasCountOneAndFlagsOnlyForPace)
{
    clsTestSequence pace;
    ASSERT_TRUE(pace.InitByString("PACE2,A1-B1,45,1"));
    EXPECT_EQ(pace.PaceTestTime(), 45);
    EXPECT_EQ(pace.TestCount(), 1);
    EXPECT_TRUE(pace.ShowPaceRollPrompt());
    EXPECT_FALSE(pace.ConcurrentPaceRollPrompt());
    EXPECT_EQ(pace.TestString(), "PACE2,A1-B1,45,-1,0");

    clsTestSequence other;
    ASSERT_TRUE(other.InitByString("ACZ,A1,2"));
    EXPECT_FALSE(other.ShowPaceRollPrompt());
    EXPECT_FALSE(other.ConcurrentPaceRollPrompt());
}

TEST(StepLine, PartialFailuresKeepWhatWasSetBeforeTheFault)
{
    struct Case {
        const char* line;
        bool ok;
        const char* type;
        const char* electrodes;
        const char* testString;
    };
    // Every case starts from a step holding "DCO,B1,2".
    const Case cases[] = {
        {"PACE1,A1-P2,60", false, "PACE1", "B1", "PACE1,B1,0,0,0"},
        {"ACZ,A1-P2,1,", true, "ACZ", "A1-P2", "ACZ,A1-P2,1"},
        {"ACZ,,1", true, "ACZ", "", "ACZ,,1"},
        {"ACZ,A1", false, "DCO", "B1", "DCO,B1,2"},
        {"", false, "DCO", "B1", "DCO,B1,2"},
        {"ACZ,A1,1,0,0,0", false, "DCO", "B1", "DCO,B1,2"},
        {"XYZ,A1,1", false, "XYZ", "B1", "XYZ,B1,2"},
        {"ACZ,A1,abc", false, "ACZ", "A1", "ACZ,A1,2"},
        {"ACZ,A1,40000", false, "ACZ", "A1", "ACZ,A1,2"},
        {"acz,A1,1", false, "acz", "B1", "acz,B1,2"},
        {"ACZ,A1,1,0", false, "ACZ", "B1", "ACZ,B1,2"},
        {"PACE1,C1,x,0,0", false, "PACE1", "C1", "PACE1,C1,0,0,0"},
        {"PACE1,C1,30,y,0", false, "PACE1", "C1", "PACE1,C1,30,0,0"},
    };
    for (const Case& c : cases) {
        clsTestSequence step;
        ASSERT_TRUE(step.InitByString("DCO,B1,2"));
        EXPECT_EQ(step.InitByString(c.line), c.ok) << c.line;
        EXPECT_EQ(step.TestType(), c.type) << c.line;
        EXPECT_EQ(step.electrodeString(), c.electrodes) << c.line;
        EXPECT_EQ(step.TestString(), c.testString) << c.line;
    }

    clsTestSequence fresh;
    EXPECT_FALSE(fresh.InitByString("XYZ,A1,1"));
    EXPECT_EQ(fresh.TestType(), "XYZ");
    EXPECT_EQ(fresh.TestString(), "XYZ,,0");
}

TEST(StepLine, CopyThroughTheLineCarriesOnlyTheDefinition)
{
    clsTestSequence original;
    original.InitByString("ACZ,A1-C1,3");
    original.IncrementItteration();
    original.SetElectrodeTestActive(4);
    original.IncrementErrorCount(4);
    original.setId(7);

    clsTestSequence copy;
    copy.InitByString(original.TestString());
    copy.InitElectrodesByString("D2");
    EXPECT_EQ(copy.TestString(), "ACZ,D2,3");
    EXPECT_EQ(copy.ExecutedTestCount(), 0);
    EXPECT_FALSE(copy.IsElectrodeTestActive(4));
    EXPECT_EQ(copy.GetErrorCount(4), 0);
    EXPECT_EQ(copy.id(), 0);
    EXPECT_EQ(original.TestString(), "ACZ,A1-C1,3");
}
