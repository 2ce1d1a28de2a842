#include "LogCapture.h"
#include "config/IniKeys.h"
#include "support/TempDataHome.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <bitset>
#include <set>

namespace {

using Selection = std::set<int>;

QString name(int index)
{
    return testlists::TestStep::findElectrodeNameByIndex(static_cast<qint16>(index));
}

Selection parse(const QString& text)
{
    testlists::TestStep step;
    step.initElectrodesByString(text);
    Selection s;
    for (int i = 0; i < 32; ++i)
        if (step.electrodeSelected(i))
            s.insert(i);
    return s;
}

testlists::ElectrodeCheckBoxes boxesFor(const Selection& s)
{
    testlists::ElectrodeCheckBoxes boxes;
    for (int i = 0; i < 32; ++i)
        boxes.append({s.count(i) ? Qt::Checked : Qt::Unchecked, name(i)});
    return boxes;
}

QString writeFromDefaults(testlists::StationTestLists& lists, const Selection& s)
{
    lists.defaultSelection.clear();
    for (int i : s)
        lists.defaultSelection.set(i / 16 + 1, i % 16, true);
    return lists.buildElectrodeString(true);
}

Selection defaults(const testlists::StationTestLists& lists)
{
    Selection s;
    for (int i = 0; i < 32; ++i)
        if (lists.defaultSelection.atIndex(i))
            s.insert(i);
    return s;
}

Selection range(int first, int last)
{
    Selection s;
    for (int i = first; i <= last; ++i)
        s.insert(i);
    return s;
}

} // namespace

TEST(ElectrodeNames, IndexAndNameMatchBothWays)
{
    EXPECT_EQ(name(0), "A1");
    EXPECT_EQ(name(15), "P1");
    EXPECT_EQ(name(16), "A2");
    EXPECT_EQ(name(31), "P2");
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(testlists::TestStep::findElectrodeIndex(name(i)), i);
    for (const char* other : {"a1", "Z9", "X", "", "A3", "Q1", "A1 ", "A12"})
        EXPECT_EQ(testlists::TestStep::findElectrodeIndex(other), 0) << other;
    EXPECT_THROW(testlists::TestStep::findElectrodeNameByIndex(32), std::out_of_range);
}

TEST(buildElectrodeString, WritesSinglesRunsAndNone)
{
    struct Case {
        Selection selection;
        const char* text;
    };
    const Case cases[] = {
        {{}, "None"},
        {range(0, 31), "A1-P2"},
        {{0}, "A1"},
        {{0, 1}, "A1-B1"},
        {{0, 2}, "A1.C1"},
        {{15, 16}, "P1-A2"},
        {{31}, "P2"},
        {{30, 31}, "O2-P2"},
        {{0, 2, 3, 4, 31}, "A1.C1-E1.P2"},
        {range(14, 17), "O1-B2"},
        {{15}, "P1"},
        {{16}, "A2"},
        {{0, 31}, "A1.P2"},
        {range(0, 15), "A1-P1"},
    };
    testlists::StationTestLists lists;
    for (const Case& c : cases) {
        EXPECT_EQ(writeFromDefaults(lists, c.selection), c.text);
        EXPECT_EQ(testlists::buildElectrodeString(boxesFor(c.selection)), c.text);
    }
}

TEST(buildElectrodeString, FromWindowCountsAGreyedBoxAsSelected)
{
    testlists::ElectrodeCheckBoxes boxes = boxesFor({0});
    boxes[1].state = Qt::PartiallyChecked;
    boxes[5].state = Qt::PartiallyChecked;
    testlists::StationTestLists lists;
    lists.setElectrodeCheckBoxSource([boxes] { return boxes; });
    EXPECT_EQ(lists.buildElectrodeString(false), "A1-B1.F1");
}

TEST(ElectrodeSelectionParser, ReadsTheGrammarAndItsLooseForms)
{
    struct Case {
        const char* text;
        Selection selection;
    };
    const Case cases[] = {
        {"A1-P2", range(0, 31)},
        {"C1-A1", {2}},
        {"A1.B1", {0, 1}},
        {"A1B1", {0, 1}},
        {"A1-C1.E1", {0, 1, 2, 4}},
        {"", {}},
        {"None", {}},
        {"a1", {0}},
        {"Z9", {0}},
        {"X", {0}},
        {"O1-B2", range(14, 17)},
        {"A1.C1-E1.P2", {0, 2, 3, 4, 31}},
        {"B1-C1", {1, 2}},
        {"P2", {31}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse(c.text), c.selection) << c.text;

    testlists::TestStep step;
    step.setElectrodeString("C1.D2");
    EXPECT_EQ(step.electrodeString(), "C1.D2");
    EXPECT_TRUE(step.electrodeSelectedByIndex(2));
    EXPECT_TRUE(step.electrodeSelectedByIndex(19));
    step.setElectrodeSelected(3, true);
    EXPECT_EQ(step.electrodeString(), "C1.D2");
    EXPECT_TRUE(step.electrodeSelected(3));
}

TEST(ElectrodeSelectionRoundTrip, EverySingleEveryPairAndRandomSelections)
{
    std::vector<Selection> selections{{}};
    for (int a = 0; a < 32; ++a) {
        selections.push_back({a});
        for (int b = a + 1; b < 32; ++b)
            selections.push_back({a, b});
    }
    QRandomGenerator random(20240611);
    for (int n = 0; n < 3000; ++n) {
        const std::bitset<32> bits(random.generate());
        Selection s;
        for (int i = 0; i < 32; ++i)
            if (bits[i])
                s.insert(i);
        selections.push_back(s);
    }
    testlists::StationTestLists lists;
    for (const Selection& s : selections) {
        const QString text = writeFromDefaults(lists, s);
        ASSERT_EQ(parse(text), s) << text.toStdString();
        lists.applyElectrodeString(text);
        ASSERT_EQ(defaults(lists), s) << text.toStdString();
    }
}

class ApplyElectrodeStringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* line : {"ACZ,B1,1", "DCO,C1-D1,2"}) {
            auto step = std::make_shared<testlists::TestStep>();
            step->initByString(line);
            testLists.active.append(step);
        }
    }

    QStringList stepStrings() const
    {
        QStringList out;
        for (const auto& step : testLists.active)
            out << step->electrodeString();
        return out;
    }
    testlists::StationTestLists testLists;
};

TEST_F(ApplyElectrodeStringTest, SetsTheDefaultAndEveryStep)
{
    testLists.applyElectrodeString("A1-C1.P2");
    EXPECT_EQ(defaults(testLists), (Selection{0, 1, 2, 31}));
    EXPECT_EQ(stepStrings(), (QStringList{"A1-C1.P2", "A1-C1.P2"}));
    EXPECT_TRUE(testLists.active[0]->electrodeSelected(31));
    EXPECT_FALSE(testLists.active[0]->electrodeSelected(3));
}

TEST_F(ApplyElectrodeStringTest, NoneClearsTheDefaultAndKeepsTheSteps)
{
    testLists.applyElectrodeString("A1-P2");
    testLists.applyElectrodeString("None");
    EXPECT_EQ(defaults(testLists), Selection{});
    EXPECT_EQ(stepStrings(), (QStringList{"A1-P2", "A1-P2"}));
}

TEST_F(ApplyElectrodeStringTest, UnknownLetterTakesChannelAOfItsUnit)
{
    testLists.applyElectrodeString("Z2");
    EXPECT_EQ(defaults(testLists), Selection{16});
    EXPECT_EQ(stepStrings(), (QStringList{"Z2", "Z2"}));
}

TEST_F(ApplyElectrodeStringTest, ANameOfNoUnitStopsWithoutTouchingTheStepsAndIsLogged)
{
    LogCapture log;
    for (const char* bad : {"B1.ZZ", "B1.C3", "B1.X"}) {
        testLists.applyElectrodeString(bad);
        EXPECT_EQ(defaults(testLists), Selection{1}) << bad;
        EXPECT_EQ(stepStrings(), (QStringList{"B1", "C1-D1"})) << bad;
    }
    EXPECT_TRUE(log.text().contains("Electrode selection \"B1.ZZ\" names an unknown electrode"));
}

TEST_F(ApplyElectrodeStringTest, LoadDefaultElectrodesReadsTheSettingsOrWritesA1P2)
{
    testsupport::TempDataHome home;
    const QString ini = home.path() + "/settings.ini";

    testLists.loadDefaultElectrodes(ini);
    EXPECT_EQ(defaults(testLists), range(0, 31));
    EXPECT_EQ(config::iniRead("Electrodes", "Default", ini), "A1-P2");
    EXPECT_EQ(stepStrings(), (QStringList{"A1-P2", "A1-P2"}));

    config::iniWrite("Electrodes", "Default", "None", ini);
    testLists.loadDefaultElectrodes(ini);
    EXPECT_EQ(defaults(testLists), Selection{});
    EXPECT_EQ(testLists.buildElectrodeString(true), "None");

    config::iniWrite("Electrodes", "Default", "B2-D2", ini);
    testLists.loadDefaultElectrodes(ini);
    EXPECT_EQ(defaults(testLists), range(17, 19));
}
