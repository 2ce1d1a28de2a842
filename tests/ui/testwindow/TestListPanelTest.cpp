// The test-list panel: the grid, .tsq files, the electrode buttons and the
// one-step runs.
#include "TestWindowFixture.h"
#include "testlists/SequenceFile.h"
#include "testlists/StandardSequences.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using ::testing::ElementsAre;

namespace {

class TestListPanelTest : public TestWindowFixture {
protected:
    QStringList Row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << form->testListPanel().grid()->item(r, c)->text();
        return cells;
    }

    QString writeTsq(const QString& name, const QStringList& lines) const
    {
        const QString path = home.path() + "/" + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write((lines.join("\r\n") + "\r\n").toLatin1());
        return path;
    }
};

TEST_F(TestListPanelTest, TheGridShowsOneRowPerStep)
{
    testLists.applyElectrodeString("A1.C1.E1.G1.I1.K1.M1.O1"); // 23 characters
    auto bias = std::make_shared<testlists::TestStep>();
    bias->initByString("BIAS,24/60,1");
    testLists.active = {bias};
    addStep("PACE1");
    addStep("ACZ", 3);
    form->updateTestSequenceList();

    ASSERT_EQ(form->testListPanel().grid()->rowCount(), 3);
    EXPECT_THAT(Row(0), ElementsAre("1", "BIAS", "24/60", "1"));
    EXPECT_THAT(Row(1), ElementsAre("2", "PACE1", "A1.C1.E1.G1.I1.K1.M1...", "1"));
    EXPECT_THAT(Row(2), ElementsAre("3", "ACZ", "A1.C1.E1.G1.I1.K1.M1...", "3"));
    EXPECT_EQ(form->testListPanel().grid()->horizontalHeaderItem(2)->text(), "Electrodes or (TT/SI)");

    form->clearTestList();
    EXPECT_TRUE(testLists.active.isEmpty());
    EXPECT_EQ(form->testListPanel().grid()->rowCount(), 0);
}

TEST_F(TestListPanelTest, ConsecutiveListFilesAreLoadedAndCounted)
{
    unit1.plug(2);
    const QString one = writeTsq("one.tsq", {"1.0", "ACZ,A1,1"});
    const QString two = writeTsq("two.tsq", {"1.0", "ACZ,A1,1", "DCO,A1,1"});
    const QString wrong = writeTsq("wrong.tsq", {"2.0", "ACZ,A1,1"});
    prompts->fileAnswers = {one, two, wrong};
    form->loadConsecutiveList(1);
    form->loadConsecutiveList(2);
    EXPECT_EQ(form->testListPanel().fileLabel(1)->text(), "TSQ file with 1 test loaded.");
    EXPECT_EQ(form->testListPanel().fileLabel(2)->text(), "TSQ file with 2 tests loaded.");
    EXPECT_EQ(form->testListPanel().fileEdit(2)->text(), two);

    // A file of another unit model leaves the list as it was.
    form->loadConsecutiveList(1);
    EXPECT_EQ(form->state().lists.consecutive1.size(), 1);
    form->state().lists.consecutive1.clear();
    prompts->fileAnswers = {wrong};
    form->loadConsecutiveList(1);
    EXPECT_THAT(prompts->messages(), ElementsAre("Error loading TSQ file!"));
}

TEST_F(TestListPanelTest, TheOperatorsListIsLoadedAndSaved)
{
    unit1.plug(2);
    prompts->fileAnswers = {writeTsq("list.tsq", {"1.0", "DCO,A1,1", "ACZ,A1,2"})};
    form->loadTestSequence();
    ASSERT_EQ(testLists.active.size(), 2);
    EXPECT_EQ(form->testListPanel().grid()->rowCount(), 2);

    const QString saved = home.path() + "/saved.tsq";
    prompts->fileAnswers = {saved};
    form->saveTestSequence();
    testlists::TestList back;
    ASSERT_TRUE(testlists::readSequenceFile(saved, back, false, false));
    EXPECT_EQ(back.size(), 2);

    const QString unwritable = home.path() + "/no such folder/saved.tsq";
    prompts->fileAnswers = {unwritable};
    form->saveTestSequence();
    EXPECT_EQ(prompts->messages().last(),
              "Unable to save the test sequence to " + unwritable + ": No such file or directory.");

    testLists.active.clear();
    form->saveTestSequence();
    EXPECT_EQ(prompts->messages().last(), "No data to save!");
}

// Both ways of loading a list from the test window tell the operator which
// lines were left out; the list holds the others.
TEST_F(TestListPanelTest, ALoadedListNamesItsLinesNotUnderstood)
{
    unit1.plug(2);
    const QString file = writeTsq("odd.tsq", {"1.0", "ACZ,A1,1", "ACZ,A1,many"});
    const QString told = "This line of the test sequence file " + file
                         + " is not understood and left out of the list:\r\n\r\nLine 3: ACZ,A1,many";
    prompts->fileAnswers = {file, file};
    form->loadTestSequence();
    EXPECT_EQ(testLists.active.size(), 1);
    form->loadConsecutiveList(1);
    EXPECT_EQ(form->state().lists.consecutive1.size(), 1);
    EXPECT_THAT(prompts->messages(), ElementsAre(told, told));
}

TEST_F(TestListPanelTest, CheckAllInZamo80ModeLeavesUnit2Alone)
{
    unit1.plug(16, true);
    form->electrodePanel().uncheckAllButton()->click();
    form->electrodePanel().checkAllButton()->click();
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(form->electrodePanel().electrodeBoxes()[std::size_t(i)]->isChecked(), i < 16) << i;
    EXPECT_FALSE(form->electrodePanel().unsavedMark()->isHidden());

    form->electrodePanel().saveAsDefaultsButton()->click();
    EXPECT_EQ(testLists.buildElectrodeString(true), "A1-P1");
    EXPECT_TRUE(form->electrodePanel().unsavedMark()->isHidden());
}

TEST_F(TestListPanelTest, TheStandardListRunsOnTheDefaultElectrodesOfTheUnitMode)
{
    unit1.plug(2);
    testLists.standard = testlists::standardSequenceSteps("A1-P2");
    form->runController().runStandardSequence();
    ASSERT_TRUE(form->testRunning());
    ASSERT_EQ(testLists.active.size(), 4);
    EXPECT_EQ(testLists.active[2]->testType(), "SDR");
    EXPECT_EQ(testLists.active[2]->electrodeString(), "A1-B1");
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL DCO 1100000000000000"));
    form->stopTests();

    // No default electrodes: refused before anything changes.
    testLists.applyElectrodeString("None");
    form->runController().runStandardSequence();
    EXPECT_EQ(prompts->messages().last(), "Default electrodes not defined!");
    EXPECT_EQ(testLists.active.size(), 4);
}

TEST_F(TestListPanelTest, OneStepRuns)
{
    unit1.plug(2);
    form->runNoiseTest();
    ASSERT_TRUE(form->testRunning());
    EXPECT_THAT(unit1.sent("ALL"), ElementsAre("ALL NOISE 1100000000000000"));
    form->runNoiseTest();
    EXPECT_EQ(prompts->messages().last(), "Tests already active!  You must stop the active tests first.");
    form->stopTests();

    // The ACZ30 zero run of a ZAMO80 unit writes no test group and no test.
    recorder->calls.clear();
    unit1.plug(2, true);
    form->runACZ30Zero();
    ASSERT_TRUE(form->testRunning());
    EXPECT_THAT(unit1.sent("ALL ACZ30ZERO"), ElementsAre("ALL ACZ30ZERO 1100000000000000"));
    runToEnd();
    EXPECT_TRUE(recorder->calls.isEmpty());
    EXPECT_EQ(database->closes, 1);

    // The BIAS run belongs to base units only.
    int biasWindows = 0;
    form->otherWindows().biasTestParameters = [&] { ++biasWindows; };
    form->runBiasTest();
    unit1.plug(2);
    form->runBiasTest();
    EXPECT_EQ(biasWindows, 1);
}

} // namespace
