#include "testlists/TestStep.h"

#include <gtest/gtest.h>

namespace {

int selectedCount(const testlists::TestStep& step)
{
    int n = 0;
    for (int i = 0; i < 32; ++i)
        n += step.electrodeSelected(i) ? 1 : 0;
    return n;
}

} // namespace

TEST(StepLine, EveryTypeIsWrittenAndReadBackUnchanged)
{
    const char* lines[] = {
        "DCO,A1-P2,1",       "SDR,A1-D1.F1,4", "ACZ,A1-P2,1",  "NOISE,B2,3",          "BIAS,8/30,1",
        "ACZ30,A1.C1,2",     "ACLG,A1-P2,2",   "DEFR,P1-A2,1", "PACE1,A1-P2,60,-1,0", "PACE2,C1,45,0,-1",
        "ACZ30ZERO,A2-P2,1", "SGROLL,None,5",  "ACZ,,1",       "ACZ,A1,-3",
    };
    for (const char* line : lines) {
        testlists::TestStep step;
        EXPECT_TRUE(step.initByString(line)) << line;
        EXPECT_EQ(step.testString(), line);
        testlists::TestStep copy;
        EXPECT_TRUE(copy.initByString(step.testString()));
        EXPECT_EQ(copy.testString(), line);
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
        testlists::TestStep step;
        EXPECT_TRUE(step.initByParams(c.type, c.count, c.electrodes, c.biasHours, c.biasMinutes, c.prompt,
                                      c.paceMinutes, c.concurrent));
        EXPECT_EQ(step.testString(), c.line);
    }
}

TEST(StepLine, BiasTakesAllElectrodesAndItsTimes)
{
    testlists::TestStep step;
    ASSERT_TRUE(step.initByString("BIAS,8/30,1"));
    EXPECT_EQ(step.biasTestTime(), 8);
    EXPECT_EQ(step.biasSampleTime(), 30);
    EXPECT_EQ(step.testCount(), 1);
    EXPECT_EQ(step.electrodeString(), "A1-P2");
    EXPECT_EQ(selectedCount(step), 32);

    testlists::TestStep noSlash;
    EXPECT_FALSE(noSlash.initByString("BIAS,8,1"));
    EXPECT_EQ(noSlash.electrodeString(), "A1-P2");
    EXPECT_EQ(selectedCount(noSlash), 32);
}

TEST(StepLine, PaceHasCountOneAndFlagsOnlyForPace)
{
    testlists::TestStep pace;
    ASSERT_TRUE(pace.initByString("PACE2,A1-B1,45,1"));
    EXPECT_EQ(pace.paceTestTime(), 45);
    EXPECT_EQ(pace.testCount(), 1);
    EXPECT_TRUE(pace.showPaceRollPrompt());
    EXPECT_FALSE(pace.concurrentPaceRollPrompt());
    EXPECT_EQ(pace.testString(), "PACE2,A1-B1,45,-1,0");

    testlists::TestStep other;
    ASSERT_TRUE(other.initByString("ACZ,A1,2"));
    EXPECT_FALSE(other.showPaceRollPrompt());
    EXPECT_FALSE(other.concurrentPaceRollPrompt());
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
        testlists::TestStep step;
        ASSERT_TRUE(step.initByString("DCO,B1,2"));
        EXPECT_EQ(step.initByString(c.line), c.ok) << c.line;
        EXPECT_EQ(step.testType(), c.type) << c.line;
        EXPECT_EQ(step.electrodeString(), c.electrodes) << c.line;
        EXPECT_EQ(step.testString(), c.testString) << c.line;
    }

    testlists::TestStep fresh;
    EXPECT_FALSE(fresh.initByString("XYZ,A1,1"));
    EXPECT_EQ(fresh.testType(), "XYZ");
    EXPECT_EQ(fresh.testString(), "XYZ,,0");
}

TEST(StepLine, CopyThroughTheLineCarriesOnlyTheDefinition)
{
    testlists::TestStep original;
    original.initByString("ACZ,A1-C1,3");
    original.incrementIteration();
    original.setElectrodeTestActive(4);
    original.incrementErrorCount(4);
    original.setId(7);

    testlists::TestStep copy;
    copy.initByString(original.testString());
    copy.initElectrodesByString("D2");
    EXPECT_EQ(copy.testString(), "ACZ,D2,3");
    EXPECT_EQ(copy.executedTestCount(), 0);
    EXPECT_FALSE(copy.isElectrodeTestActive(4));
    EXPECT_EQ(copy.getErrorCount(4), 0);
    EXPECT_EQ(copy.id(), 0);
    EXPECT_EQ(original.testString(), "ACZ,A1-C1,3");
}
