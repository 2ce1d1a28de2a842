// The per-electrode lists of a ZAMO80-mode run, and the removal of an
// electrode's remaining steps.
#include "run/ElectrodeTestLists.h"
#include "testlists/StationTestLists.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testlists::TestList;
using testlists::TestStep;

TestList steps(std::initializer_list<const char*> lines)
{
    TestList list;
    for (const char* line : lines) {
        auto step = std::make_shared<TestStep>();
        step->initByString(line);
        list.append(step);
    }
    return list;
}

std::array<bool, 32> electrodes(std::initializer_list<int> indexes)
{
    std::array<bool, 32> taking{};
    for (int i : indexes)
        taking[std::size_t(i)] = true;
    return taking;
}

// "<type> <electrodes> <parent>" per step.
QStringList shown(const TestList& list)
{
    QStringList lines;
    for (const auto& step : list)
        lines << step->testType() + ' ' + step->electrodeString() + ' ' + QString::number(step->parentID());
    return lines;
}

TEST(ElectrodeTestLists, ExpandsTheOperatorsListElectrodeByElectrode)
{
    testlists::StationTestLists testLists;
    testLists.applyElectrodeString("A1-B1");
    const auto pace = [](const char* paceLine) { return steps({paceLine, "ACZ,A1-B1,1", "DCO,A1-B1,1"}); };
    struct Case {
        const char* name;
        TestList operatorList;
        std::array<bool, 32> taking;
        bool roller;
        int simultaneous;
        QStringList expanded;
        QStringList paceList;
    };
    const Case cases[] = {
        {"first pace beside the list, roller in its place",
         pace("PACE1,A1-B1,60,0,0"),
         electrodes({0, 1}),
         true,
         4,
         {"ACZ A1-B1 1", "SGROLL A1 0", "ACZ A1 3", "DCO A1 4", "SGROLL B1 0", "ACZ B1 3", "DCO B1 4"},
         {"PACE1 A1 2", "PACE1 B1 2"}},
        {"no simultaneous pace: the pace step runs in the list",
         pace("PACE1,A1-B1,60,0,0"),
         electrodes({0, 1}),
         true,
         0,
         {"ACZ A1-B1 1", "PACE1 A1 2", "SGROLL A1 0", "ACZ A1 3", "DCO A1 4", "PACE1 B1 2", "SGROLL B1 0", "ACZ B1 3",
          "DCO B1 4"},
         {}},
        {"a later pace step is followed by a roll",
         steps({"ACZ,A1-B1,1", "PACE2,A1-B1,30,1,0"}),
         electrodes({0, 1}),
         true,
         4,
         {"ACZ A1-B1 1", "ACZ A1 2", "PACE2 A1 3", "SGROLL A1 0", "ACZ B1 2", "PACE2 B1 3", "SGROLL B1 0"},
         {}},
        {"unit 2: no roll, and a first pace step never in its list",
         pace("PACE1,A1-B1,60,0,0"),
         electrodes({0, 16}),
         true,
         0,
         {"ACZ A1-B1 1", "PACE1 A1 2", "SGROLL A1 0", "ACZ A1 3", "DCO A1 4", "ACZ A2 3", "DCO A2 4"},
         {}},
        {"no roller: no roll steps",
         pace("PACE1,A1-B1,60,0,0"),
         electrodes({1}),
         false,
         4,
         {"ACZ A1-B1 1", "ACZ B1 3", "DCO B1 4"},
         {"PACE1 B1 2"}},
        {"an empty operator's list", {}, electrodes({0}), true, 4, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const run::ElectrodeTestLists lists = run::buildElectrodeTestLists(
            c.operatorList, testLists.buildElectrodeString(true), c.taking, c.roller, c.simultaneous);
        EXPECT_EQ(shown(lists.expanded), c.expanded);
        EXPECT_EQ(shown(lists.pace), c.paceList);
    }
}

TEST(ElectrodeTestLists, CopiesCarryTheStepAndPaceFieldsOnly)
{
    testlists::StationTestLists testLists;
    testLists.applyElectrodeString("C1");
    const run::ElectrodeTestLists lists =
        run::buildElectrodeTestLists(steps({"PACE2,C1,45,1,1", "BIAS,C1,2,10", "ACZ,C1,3"}),
                                     testLists.buildElectrodeString(true), electrodes({2}), false, 0);
    ASSERT_EQ(lists.expanded.size(), 4);
    const TestStep& pace = *lists.expanded[1];
    EXPECT_EQ(pace.paceTestTime(), 45);
    EXPECT_TRUE(pace.showPaceRollPrompt());
    EXPECT_TRUE(pace.concurrentPaceRollPrompt());
    EXPECT_EQ(lists.expanded[2]->biasTestTime(), 0);
    EXPECT_EQ(lists.expanded[3]->testCount(), 3);
}

TEST(ElectrodeTestLists, RemovesTheUncompletedStepsOfTheElectrodes)
{
    TestList list = steps({"ACZ,A1-C1,1", "ACZ,A1,1", "ACZ,C1,1", "DCO,B1-C1,1", "DCO,B1,1"});
    list[0]->incrementIteration(); // the pre-check has run
    run::removeUncompletedStepsOf(list, {2});
    EXPECT_EQ(shown(list), (QStringList{"ACZ A1-C1 0", "ACZ A1 0", "DCO B1 0"}));
}

} // namespace
