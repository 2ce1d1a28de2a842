#include "SequenceEditorFixture.h"

#include <QHeaderView>

namespace {

class TestSequenceEditorFormTest : public SequenceEditorFixture {};

TEST_F(TestSequenceEditorFormTest, TypesAndFramesFollowTheUnitMode)
{
    const QStringList base{"DCO", "ACZ", "SDR", "NOISE", "BIAS"};
    const QStringList zamo80{"ACZ", "ACZ30", "ACLG", "DEFR", "NOISE", "DCO", "PACE1", "PACE2"};
    const struct {
        const char* mode;
        bool zamo24;
        QStringList types;
    } cases[] = {{"", false, base},
                 {"ERROR", false, base},
                 {"ZAMO", false, base},
                 {"ZAMO80", false, zamo80},
                 {"ZAMO80", true, zamo80}};
    settings.zamo80Delays.defibCharge = 54;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        open(c.mode, c.zamo24);
        const bool is80 = QString(c.mode) == "ZAMO80";
        EXPECT_EQ(form->windowTitle(), "Test Sequence Editor");
        EXPECT_EQ(entries(list("TestTypeComboBox")), c.types);
        EXPECT_EQ(list("TestTypeComboBox")->currentIndex(), 0);
        EXPECT_EQ(shown("BiasFrame"), !is80);
        EXPECT_FALSE(enabled("BiasFrame"));
        EXPECT_FALSE(enabled("TestTimeComboBox"));
        EXPECT_EQ(shown("DefibChargeFrame"), is80);
        EXPECT_FALSE(shown("PaceRollFrame"));
        EXPECT_EQ(list("CountComboBox")->count(), 1000);
        EXPECT_EQ(list("CountComboBox")->currentText(), "1");
        EXPECT_EQ(list("TestTimeComboBox")->currentText(), "8");
        EXPECT_EQ(list("SampleIntervalComboBox")->currentText(), "30");
        EXPECT_FALSE(list("TestTypeComboBox")->isEditable());
        if (is80) {
            EXPECT_EQ(control<QLineEdit>("txtDefibChargeTime")->text(), "54");
            // PACE: the duration list takes the count list's place; the roll
            // frame only for a single ZAMO2-4 unit.
            choose("TestTypeComboBox", "PACE1");
            EXPECT_FALSE(shown("CountComboBox"));
            EXPECT_FALSE(shown("lblCount"));
            EXPECT_TRUE(shown("PaceDurationComboBox"));
            EXPECT_TRUE(shown("lblPaceDuration"));
            EXPECT_EQ(shown("PaceRollFrame"), c.zamo24);
            choose("TestTypeComboBox", "ACZ");
            EXPECT_TRUE(shown("CountComboBox"));
            EXPECT_FALSE(shown("PaceDurationComboBox"));
            EXPECT_FALSE(shown("PaceRollFrame"));
        } else {
            choose("TestTypeComboBox", "BIAS");
            EXPECT_TRUE(enabled("BiasFrame"));
            EXPECT_TRUE(enabled("SampleIntervalComboBox"));
            choose("TestTypeComboBox", "SDR");
            EXPECT_FALSE(enabled("TestTimeComboBox"));
        }
    }
}

TEST_F(TestSequenceEditorFormTest, PaceDurationOutsideItsListPreselectsTwenty)
{
    for (const auto& [setting, shownDuration] : {std::pair{45, "45"}, {95, "20"}, {10, "20"}}) {
        settings.pace.paceDuration = qint16(setting);
        open("ZAMO80");
        EXPECT_EQ(entries(list("PaceDurationComboBox")).first(), "20");
        EXPECT_EQ(entries(list("PaceDurationComboBox")).last(), "90");
        EXPECT_EQ(list("PaceDurationComboBox")->currentText(), shownDuration);
    }
}

TEST_F(TestSequenceEditorFormTest, TheWindowWorksOnCopiesWithTheDefaultSelection)
{
    testLists.active = steps({"ACZ,C1,3", "BIAS,8/30,1"});
    testLists.applyElectrodeString("A1-B1");
    const testlists::TestList before = testLists.active;
    open("ZAMO");
    EXPECT_EQ(rows(), (QStringList{"1|ACZ|A1-B1|3", "2|BIAS|8/30|1"}));
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), "Electrodes or (TT/SI)");
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(lines(testLists.active), lines(before));
    EXPECT_EQ(testLists.active[0], before[0]);
}

TEST_F(TestSequenceEditorFormTest, TheOpenedGridShowsAllItsColumnsAndHeadings)
{
    open("ZAMO");
    QTableWidget* g = grid();
    const QFontMetrics metrics(g->horizontalHeader()->font());
    int total = 0;
    for (int c = 0; c < g->columnCount(); ++c) {
        const QString heading = g->horizontalHeaderItem(c)->text();
        SCOPED_TRACE(heading.toStdString());
        EXPECT_GE(g->columnWidth(c), metrics.horizontalAdvance(heading));
        total += g->columnWidth(c);
    }
    EXPECT_LE(total, g->viewport()->width());
}

TEST_F(TestSequenceEditorFormTest, InsertAppendsTheStepThatTheControlsDescribe)
{
    open("ZAMO80", true);
    choose("TestTypeComboBox", "ACLG");
    choose("CountComboBox", "7");
    press("InsertButton");
    choose("TestTypeComboBox", "PACE2");
    choose("PaceDurationComboBox", "45");
    control<QCheckBox>("PaceRollPromptCheckBox")->setChecked(true);
    press("InsertButton");
    EXPECT_EQ(rows(), (QStringList{"1|ACLG|A1-P2|7", "2|PACE2|A1-P2|45"}));

    press("OKButton");
    EXPECT_EQ(lines(testLists.active), (QStringList{"ACLG,A1-P2,7", "PACE2,A1-P2,45,-1,0"}));
}

TEST_F(TestSequenceEditorFormTest, BiasInsertShowsTimesAndDisablesTheBiasLists)
{
    open("ZAMO");
    choose("TestTypeComboBox", "BIAS");
    choose("TestTimeComboBox", "12");
    choose("SampleIntervalComboBox", "15");
    press("InsertButton");
    EXPECT_EQ(rows(), QStringList{"1|BIAS|12/15|1"});
    EXPECT_FALSE(enabled("TestTimeComboBox"));
    EXPECT_EQ(list("TestTypeComboBox")->currentText(), "BIAS");
}

TEST_F(TestSequenceEditorFormTest, LongSelectionsAreCutToTwentyCharacters)
{
    const struct {
        const char* selection;
        const char* shownText;
    } cases[] = {
        {"A1.C1.E1.G1.I1.K1.M1", "A1.C1.E1.G1.I1.K1.M1"},       // 20: whole
        {"A1.C1.E1.G1.I1.K1.M1.O1", "A1.C1.E1.G1.I1.K1.M1..."}, // 23: cut
    };
    for (const auto& c : cases) {
        testLists.applyElectrodeString(c.selection);
        ASSERT_EQ(testLists.buildElectrodeString(true), c.selection);
        open("ZAMO");
        press("InsertButton");
        EXPECT_EQ(rows(), QStringList{QString("1|DCO|") + c.shownText + "|1"});
    }
}

TEST_F(TestSequenceEditorFormTest, InsertWithoutDefaultElectrodesIsRefused)
{
    testLists.applyElectrodeString("None");
    open("ZAMO");
    press("InsertButton");
    EXPECT_EQ(rows(), QStringList{});
    ASSERT_EQ(prompts->messages(), QStringList{"No Electrodes Specified."});
    EXPECT_EQ(prompts->shown[0].title, "Error");
}

TEST_F(TestSequenceEditorFormTest, EditLoadsTheRowAndSaveChangesThatStep)
{
    testLists.active = steps({"ACZ,A1-P2,3", "BIAS,12/15,2", "NOISE,A1-P2,1"});
    open("ZAMO");
    doubleClickRow(2);
    EXPECT_FALSE(enabled("InsertButton"));
    EXPECT_TRUE(enabled("SaveEditButton"));
    EXPECT_TRUE(enabled("CancelEditButton"));
    EXPECT_EQ(list("TestTypeComboBox")->currentText(), "BIAS");
    EXPECT_EQ(list("TestTimeComboBox")->currentText(), "12");
    EXPECT_EQ(list("SampleIntervalComboBox")->currentText(), "15");
    EXPECT_EQ(list("CountComboBox")->currentText(), "2");
    EXPECT_TRUE(enabled("TestTimeComboBox"));

    choose("TestTimeComboBox", "24");
    press("SaveEditButton");
    EXPECT_TRUE(enabled("InsertButton"));
    EXPECT_FALSE(enabled("SaveEditButton"));
    EXPECT_EQ(rows(), (QStringList{"1|ACZ|A1-P2|3", "2|BIAS|24/15|2", "3|NOISE|A1-P2|1"}));

    doubleClickRow(1);
    EXPECT_EQ(list("TestTypeComboBox")->currentText(), "ACZ");
    EXPECT_FALSE(enabled("TestTimeComboBox"));
    choose("CountComboBox", "9");
    press("CancelEditButton");
    EXPECT_TRUE(enabled("InsertButton"));
    EXPECT_EQ(rows()[0], "1|ACZ|A1-P2|3");
}

TEST_F(TestSequenceEditorFormTest, EditOfAPaceStepLoadsDurationAndRollFlags)
{
    testLists.active = steps({"PACE1,A1-P2,10,-1,-1", "PACE2,A1-P2,45,0,0"});
    open("ZAMO80", true);
    doubleClickRow(1);
    EXPECT_EQ(list("PaceDurationComboBox")->currentText(), "20"); // 10 is not in the list
    EXPECT_TRUE(control<QCheckBox>("PaceRollPromptCheckBox")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("ConcurrentRollCheckBox")->isChecked());
    EXPECT_TRUE(shown("PaceRollFrame"));
    doubleClickRow(2);
    EXPECT_EQ(list("TestTypeComboBox")->currentText(), "PACE2");
    EXPECT_EQ(list("PaceDurationComboBox")->currentText(), "45");
    EXPECT_FALSE(control<QCheckBox>("PaceRollPromptCheckBox")->isChecked());
    EXPECT_FALSE(shown("CountComboBox"));
}

TEST_F(TestSequenceEditorFormTest, StepsWithValuesOutsideTheListsOpenAndKeepTheListsUsable)
{
    // A count above 1000, a BIAS time above 165 h, a type of the other mode.
    testLists.active = steps({"DCO,A1-P2,2000", "BIAS,200/90,1", "ACLG,A1-P2,2"});
    open("ZAMO");
    EXPECT_EQ(rows(), (QStringList{"1|DCO|A1-P2|2000", "2|BIAS|200/90|1", "3|ACLG|A1-P2|2"}));
    for (int row = 1; row <= 3; ++row) {
        doubleClickRow(row);
        EXPECT_GE(list("TestTypeComboBox")->currentIndex(), 0);
        EXPECT_GE(list("CountComboBox")->currentIndex(), 0);
        EXPECT_GE(list("TestTimeComboBox")->currentIndex(), 0);
        EXPECT_GE(list("SampleIntervalComboBox")->currentIndex(), 0);
        press("CancelEditButton");
    }
    press("OKButton");
    EXPECT_EQ(lines(testLists.active), (QStringList{"DCO,A1-P2,2000", "BIAS,200/90,1", "ACLG,A1-P2,2"}));
}

TEST_F(TestSequenceEditorFormTest, SaveOfAnEditAfterTheStepsChangedChangesNothing)
{
    const QStringList original{"ACZ,A1-P2,1", "DCO,A1-P2,2", "SDR,A1-P2,3"};
    const struct {
        const char* action;
        QStringList expected;
    } cases[] = {
        {"ClearAllButton", {}},
        {"DeleteRowImageButton", {"1|ACZ|A1-P2|1", "2|DCO|A1-P2|2"}},
        {"LoadButton", {"1|NOISE|A1-P2|1"}},
        {"LoadStandardSequenceButton", {"1|DCO|A1-P2|1"}},
    };
    const QString tsq = home.path() + "/one.tsq";
    writeAll(tsq, "1.0\r\nNOISE,A1-P2,1\r\n");
    testLists.standard = steps({"DCO,A1-P2,1"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        testLists.active = steps(original);
        open("ZAMO");
        prompts->fileAnswers = {tsq};
        prompts->messageAnswers = {platform::MsgResult::Yes};
        doubleClickRow(3);
        choose("CountComboBox", "99");
        press(c.action); // Delete removes the current row, the edited one
        EXPECT_TRUE(enabled("InsertButton"));
        EXPECT_FALSE(enabled("SaveEditButton"));
        press("SaveEditButton"); // disabled: no effect either way
        EXPECT_EQ(rows(), c.expected);
    }
}

TEST_F(TestSequenceEditorFormTest, MovesStayInsideTheList)
{
    testLists.active = steps({"ACZ,A1-P2,1", "DCO,A1-P2,2", "SDR,A1-P2,3"});
    open("ZAMO");
    press("MoveUpImageButton"); // no row current
    press("MoveDownImageButton");
    clickRow(1);
    press("MoveUpImageButton");
    clickRow(3);
    press("MoveDownImageButton");
    EXPECT_EQ(rows(), (QStringList{"1|ACZ|A1-P2|1", "2|DCO|A1-P2|2", "3|SDR|A1-P2|3"}));

    clickRow(1);
    press("MoveDownImageButton");
    EXPECT_EQ(currentRow(), 2);
    press("MoveDownImageButton");
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(rows(), (QStringList{"1|DCO|A1-P2|2", "2|SDR|A1-P2|3", "3|ACZ|A1-P2|1"}));
    press("MoveUpImageButton");
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(rows(), (QStringList{"1|DCO|A1-P2|2", "2|ACZ|A1-P2|1", "3|SDR|A1-P2|3"}));
}

TEST_F(TestSequenceEditorFormTest, AMoveKeepsTheEditOnItsPosition)
{
    testLists.active = steps({"ACZ,A1-P2,1", "DCO,A1-P2,2"});
    open("ZAMO");
    doubleClickRow(1);
    choose("CountComboBox", "5");
    clickRow(2);
    press("MoveUpImageButton");
    press("SaveEditButton");
    EXPECT_EQ(rows(), (QStringList{"1|ACZ|A1-P2|5", "2|ACZ|A1-P2|1"}));
}

TEST_F(TestSequenceEditorFormTest, OneStepDoesNotMove)
{
    testLists.active = steps({"ACZ,A1-P2,1"});
    open("ZAMO");
    clickRow(1);
    press("MoveUpImageButton");
    press("MoveDownImageButton");
    EXPECT_EQ(rows(), QStringList{"1|ACZ|A1-P2|1"});
}

TEST_F(TestSequenceEditorFormTest, DeleteAsksAndRemovesOnlyOnYes)
{
    testLists.active = steps({"ACZ,A1-P2,1", "DCO,A1-P2,2"});
    open("ZAMO");
    press("DeleteRowImageButton"); // no row current: nothing asked
    EXPECT_TRUE(prompts->shown.isEmpty());

    clickRow(2);
    prompts->messageAnswers = {platform::MsgResult::No};
    press("DeleteRowImageButton");
    EXPECT_EQ(rows().size(), 2);
    ASSERT_EQ(prompts->messages(), QStringList{"Are you sure you want to delete test #2?"});
    EXPECT_EQ(prompts->shown[0].title, "Delete Test");
    EXPECT_EQ(prompts->shown[0].buttons, platform::MsgButtons::YesNo);

    clickRow(2);
    press("DeleteRowImageButton"); // Yes
    EXPECT_EQ(rows(), QStringList{"1|ACZ|A1-P2|1"});
    press("ClearAllButton");
    EXPECT_EQ(rows(), QStringList{});
}

} // namespace
