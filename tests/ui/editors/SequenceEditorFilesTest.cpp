#include "SequenceEditorFixture.h"
#include "config/IniKeys.h"
#include "platform/WholeFile.h"

#include <cerrno>

namespace {

class TestSequenceEditorFilesTest : public SequenceEditorFixture {
protected:
    void SetUp() override
    {
        SequenceEditorFixture::SetUp();
        testLists.active = steps({"ACZ,A1-P2,1", "DCO,A1-P2,2"});
    }
};

TEST_F(TestSequenceEditorFilesTest, SaveWritesTheVersionOfTheUnitModeAndTheDefaultSelection)
{
    const struct {
        const char* mode;
        bool zamo24;
        const char* version;
    } cases[] = {{"", false, "1.0"}, {"ZAMO", false, "1.0"}, {"ZAMO80", false, "2.0"}, {"ZAMO80", true, "3.0"}};
    testLists.active = steps({"ACZ,C1,1", "NOISE,D1,2"});
    testLists.applyElectrodeString("A1-D1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const QString tsq = home.path() + "/saved.tsq";
        open(c.mode, c.zamo24);
        prompts->fileAnswers = {tsq};
        press("SaveCommand");
        EXPECT_EQ(prompts->shown.last().kind, "save");
        EXPECT_EQ(prompts->shown.last().text, "Save File");
        EXPECT_EQ(readAll(tsq), QByteArray(c.version) + "\r\nACZ,A1-D1,1\r\nNOISE,A1-D1,2\r\n");
    }
}

TEST_F(TestSequenceEditorFilesTest, SaveOfAnEmptyListOrACancelledDialogWritesNothing)
{
    const QString tsq = home.path() + "/never.tsq";
    open("ZAMO");
    press("SaveCommand"); // dialog cancelled
    EXPECT_FALSE(QFile::exists(tsq));

    prompts->shown.clear();
    prompts->fileAnswers = {tsq};
    press("ClearAllButton");
    press("SaveCommand");
    ASSERT_EQ(prompts->shown.size(), 1); // no dialog
    EXPECT_EQ(prompts->shown[0].text, "No data to save!");
    EXPECT_EQ(prompts->shown[0].title, "KIVO_ZAMO");
    EXPECT_FALSE(QFile::exists(tsq));
}

TEST_F(TestSequenceEditorFilesTest, AFileThatCannotBeWrittenIsReportedWithItsCauseAndAnOldOneStays)
{
    const QString tsq = home.path() + "/missing folder/x.tsq";
    open("ZAMO");
    prompts->fileAnswers = {tsq};
    press("SaveCommand");
    EXPECT_EQ(prompts->messages(),
              QStringList{"Unable to save the test sequence to " + tsq + ": No such file or directory."});

    const QString old = home.path() + "/old.tsq";
    writeAll(old, "1.0\r\nACZ,A1,1\r\n");
    prompts->shown.clear();
    prompts->fileAnswers = {old};
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        press("SaveCommand");
    }
    EXPECT_EQ(prompts->messages(),
              QStringList{"Unable to save the test sequence to " + old + ": No space left on device."});
    EXPECT_EQ(readAll(old), "1.0\r\nACZ,A1,1\r\n");
}

TEST_F(TestSequenceEditorFilesTest, LoadReplacesTheWorkingListAndGivesItTheDefaultSelection)
{
    const QString tsq = home.path() + "/z80.tsq";
    writeAll(tsq, "3.0\r\nPACE1,A1-B1,45,0,0\r\nPACE9,A1,1\r\nDEFR,C1,2\r\n");
    testLists.applyElectrodeString("A1-H1");
    open("ZAMO80");
    prompts->fileAnswers = {tsq};
    press("LoadButton");
    EXPECT_EQ(prompts->shown.first().text, "Open File");
    EXPECT_EQ(rows(), (QStringList{"1|PACE1|A1-H1|45", "2|DEFR|A1-H1|2"}));
    EXPECT_EQ(prompts->messages(), QStringList{"This line of the test sequence file " + tsq
                                               + " is not understood and left out of the list:\r\n\r\n"
                                                 "Line 3: PACE9,A1,1"});

    prompts->fileAnswers = {home.path() + "/resaved.tsq"};
    press("SaveCommand");
    EXPECT_EQ(readAll(home.path() + "/resaved.tsq"), "2.0\r\nPACE1,A1-H1,45,0,0\r\nDEFR,A1-H1,2\r\n");
}

TEST_F(TestSequenceEditorFilesTest, ACancelledOrFailedLoadKeepsTheWorkingList)
{
    const QString wrongVersion = home.path() + "/base.tsq";
    writeAll(wrongVersion, "1.0\r\nSDR,A1-P2,4\r\n");
    open("ZAMO80");
    press("LoadButton"); // cancelled
    prompts->fileAnswers = {wrongVersion, home.path() + "/none.tsq"};
    press("LoadButton");
    press("LoadButton");
    EXPECT_EQ(rows(), (QStringList{"1|ACZ|A1-P2|1", "2|DCO|A1-P2|2"}));
    const QStringList expected{
        "The test sequence " + wrongVersion + " cannot be read, or it is not for the connected units.",
        "The test sequence " + home.path() + "/none.tsq" + " cannot be read, or it is not for the connected units."};
    EXPECT_EQ(prompts->messages(), expected);
}

TEST_F(TestSequenceEditorFilesTest, LoadStandardTakesTheListOfTheUnitMode)
{
    testLists.standard = steps({"DCO,A1,1", "SDR,A1,4"});
    testLists.standard80 = steps({"ACLG,A1,2"});
    testLists.applyElectrodeString("B1-C1");
    const struct {
        const char* mode;
        bool zamo24;
        QStringList expected;
    } cases[] = {{"ZAMO", false, {"1|DCO|B1-C1|1", "2|SDR|B1-C1|4"}},
                 {"ERROR", false, {"1|DCO|B1-C1|1", "2|SDR|B1-C1|4"}},
                 {"ZAMO80", false, {"1|ACLG|B1-C1|2"}},
                 {"ZAMO80", true, {"1|ACLG|B1-C1|2"}}};
    for (const auto& c : cases) {
        open(c.mode, c.zamo24);
        press("LoadStandardSequenceButton");
        EXPECT_EQ(rows(), c.expected) << c.mode;
    }
    // The standard lists themselves keep their steps.
    EXPECT_EQ(lines(testLists.standard), (QStringList{"DCO,A1,1", "SDR,A1,4"}));
}

TEST_F(TestSequenceEditorFilesTest, LoadStandardWithoutDefaultElectrodesIsRefused)
{
    testLists.standard = steps({"DCO,A1,1"});
    testLists.applyElectrodeString("None");
    open("ZAMO");
    press("LoadStandardSequenceButton");
    EXPECT_EQ(rows().size(), 2);
    ASSERT_EQ(prompts->messages(), QStringList{"Default electrodes not defined!"});
    EXPECT_EQ(prompts->shown[0].title, "Error");
}

TEST_F(TestSequenceEditorFilesTest, SaveStandardReplacesTheListAndFileOfTheUnitMode)
{
    const struct {
        const char* mode;
        bool zamo24;
        QByteArray version;
        bool is80;
    } cases[] = {{"ZAMO", false, "1.0", false}, {"ZAMO80", false, "2.0", true}, {"ZAMO80", true, "3.0", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        testLists.standard = steps({"SDR,A1,4"});
        testLists.standard80 = steps({"ACLG,A1,2"});
        open(c.mode, c.zamo24);
        press("SaveStandardSequenceButton");
        const testlists::TestList& changed = c.is80 ? testLists.standard80 : testLists.standard;
        const testlists::TestList& kept = c.is80 ? testLists.standard : testLists.standard80;
        const QString file = c.is80 ? settings.paths.standard80SequenceFile : settings.paths.standardSequenceFile;
        EXPECT_EQ(lines(changed), (QStringList{"ACZ,A1-P2,1", "DCO,A1-P2,2"}));
        EXPECT_EQ(kept.size(), 1);
        EXPECT_EQ(readAll(file), c.version + "\r\nACZ,A1-P2,1\r\nDCO,A1-P2,2\r\n");
        EXPECT_TRUE(prompts->messages().isEmpty());
    }
}

TEST_F(TestSequenceEditorFilesTest, SaveStandardOfAnEmptyListWritesTheVersionAlone)
{
    testLists.standard = steps({"SDR,A1,4"});
    open("ZAMO");
    press("ClearAllButton");
    press("SaveStandardSequenceButton");
    EXPECT_TRUE(testLists.standard.isEmpty());
    EXPECT_EQ(readAll(settings.paths.standardSequenceFile), "1.0\r\n");
}

TEST_F(TestSequenceEditorFilesTest, DefibChargeTimeIsCheckedBeforeItIsStored)
{
    const struct {
        const char* text;
        bool accepted;
        qint16 stored;
    } cases[] = {{"600", true, 600},   {"600.5", true, 600}, {"-5", true, -5},  {"-32768", true, -32768},
                 {"601", false, 0},    {"600.6", false, 0},  {"abc", false, 0}, {"", false, 0},
                 {"-32769", false, 0}, {"-100000", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        settings.zamo80Delays.defibCharge = 54;
        ASSERT_TRUE(config::saveDefibCharge(settings.paths.settingsFile, settings.zamo80Delays));
        prompts->shown.clear();
        open("ZAMO80");
        auto* box = control<QLineEdit>("txtDefibChargeTime");
        box->setText(c.text);
        press("cmdApplyDefibChargeTime");
        const qint16 expected = c.accepted ? c.stored : 54;
        EXPECT_EQ(settings.zamo80Delays.defibCharge, expected);
        EXPECT_EQ(box->text(), QString::number(expected));
        EXPECT_EQ(config::iniRead("Zamo80Delays", "DefibCharge", settings.paths.settingsFile),
                  QString::number(expected));
        EXPECT_EQ(prompts->messages(), c.accepted ? QStringList{} : QStringList{"Invalid Defib Charge Time value!"});
    }
}

TEST_F(TestSequenceEditorFilesTest, ResetPutsTheStoredChargeTimeBack)
{
    settings.zamo80Delays.defibCharge = 60;
    open("ZAMO80");
    auto* box = control<QLineEdit>("txtDefibChargeTime");
    box->setText("300");
    press("cmdResetDefibChargeTime");
    EXPECT_EQ(box->text(), "60");
    EXPECT_EQ(settings.zamo80Delays.defibCharge, 60);
}

TEST_F(TestSequenceEditorFilesTest, CancelDropsTheWorkingListButKeepsWhatWasSavedAtOnce)
{
    const testlists::TestList before = testLists.active;
    open("ZAMO80");
    press("ClearAllButton");
    choose("TestTypeComboBox", "DEFR");
    press("InsertButton");
    press("SaveStandardSequenceButton");
    control<QLineEdit>("txtDefibChargeTime")->setText("70");
    press("cmdApplyDefibChargeTime");
    press("CancelButton");

    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(testLists.active, before);
    EXPECT_EQ(lines(testLists.active), (QStringList{"ACZ,A1-P2,1", "DCO,A1-P2,2"}));
    EXPECT_EQ(lines(testLists.standard80), QStringList{"DEFR,A1-P2,1"});
    EXPECT_EQ(readAll(settings.paths.standard80SequenceFile), "2.0\r\nDEFR,A1-P2,1\r\n");
    EXPECT_EQ(settings.zamo80Delays.defibCharge, 70);
    EXPECT_TRUE(mainForm.calls.isEmpty());
}

TEST_F(TestSequenceEditorFilesTest, OkHandsTheWorkingStepsOverAndRefreshesTheMainList)
{
    testLists.applyElectrodeString("A1-B2");
    testLists.active = steps({"ACZ,C1,1", "DCO,D1,2"});
    open("ZAMO");
    clickRow(2);
    press("MoveUpImageButton");
    press("OKButton");
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(lines(testLists.active), (QStringList{"DCO,A1-B2,2", "ACZ,A1-B2,1"}));
    EXPECT_EQ(mainForm.calls, QStringList{"UpdateTestSequenceList"});

    open("ZAMO");
    press("ClearAllButton");
    press("OKButton");
    EXPECT_TRUE(testLists.active.isEmpty());
}

} // namespace
