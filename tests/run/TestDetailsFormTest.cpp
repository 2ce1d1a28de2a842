#include "LotWindowsFixture.h"

#include "config/IniKeys.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using TestDetailsFormTest = LotWindowsTest;

QString reportKey(const config::StationSettings& settings, const char* key)
{
    return modINIReadWrite::INIRead("Reports", key, settings.paths.settingsFile);
}

TEST_F(TestDetailsFormTest, OneLotForAllElectrodesAndTheNotes)
{
    unit1.Plug(16);
    details.Form_Load();
    details.LotNumberTextBox->setText("Lot 7");
    details.NotesTextBox->setPlainText("first line\nsecond");
    details.cmdStartTest->click();
    EXPECT_FALSE(Globals::TestCancelled);
    EXPECT_EQ(Globals::ActiveLotNumber, "Lot 7");
    for (const QString& lot : Globals::ElectrodeLotNumbers)
        EXPECT_EQ(lot, "Lot 7");
    EXPECT_EQ(lotWindow.TestLotNumbersTextBox->toPlainText(), "Lot 7");
    EXPECT_EQ(Globals::ActiveTestNotes, "first line\r\nsecond");
}

TEST_F(TestDetailsFormTest, ShownModallyOnlyStartTestStartsTheRun)
{
    WhenModal([](QWidget* w) { static_cast<TestDetailsForm*>(w)->cmdStartTest->click(); });
    EXPECT_TRUE(details.Show());
    EXPECT_FALSE(Globals::TestCancelled);

    // After a started run, the close box cancels the next start; so does Cancel.
    WhenModal([](QWidget* w) { w->close(); });
    EXPECT_FALSE(details.Show());
    EXPECT_TRUE(Globals::TestCancelled);
    WhenModal([](QWidget* w) { static_cast<TestDetailsForm*>(w)->cmdCancel->click(); });
    EXPECT_FALSE(details.Show());
    EXPECT_TRUE(Globals::TestCancelled);
}

TEST_F(TestDetailsFormTest, EachShowingStartsFromEmptyBoxes)
{
    details.Form_Load();
    details.LotNumberTextBox->setText("CUSTOM: A1: x");
    details.LotNumberTextBox->setEnabled(false);
    details.NotesTextBox->setPlainText("old");
    details.Form_Load();
    EXPECT_EQ(details.LotNumberTextBox->text(), "");
    EXPECT_TRUE(details.LotNumberTextBox->isEnabled());
    EXPECT_EQ(details.NotesTextBox->toPlainText(), "");
    EXPECT_TRUE(details.opt360J->isChecked());
}

TEST_F(TestDetailsFormTest, Zamo24EnergyChoiceSetsTheFlagsAndPrefixesTheNotes)
{
    struct Case {
        QRadioButton* TestDetailsForm::*option;
        bool flag100;
        bool flagX;
        QString prefix;
    };
    unit1.Plug(16, true, true);
    for (const Case& c : {Case{&TestDetailsForm::opt100J, true, false, "ACLG Energy = 100J;\r\n"},
                          Case{&TestDetailsForm::opt360J, false, false, "ACLG Energy = 360J;\r\n"},
                          Case{&TestDetailsForm::optXJ, false, true, "ACLG Energy = 200J;\r\n"}}) {
        details.Form_Load();
        EXPECT_FALSE(details.framePowerSource->isHidden());
        EXPECT_EQ(details.optXJ->text(), "200J");
        (details.*c.option)->setChecked(true);
        details.NotesTextBox->setPlainText("N");
        details.cmdStartTest->click();
        EXPECT_EQ(Globals::AclgEnergy100J, c.flag100);
        EXPECT_EQ(Globals::AclgEnergyXJ, c.flagX);
        EXPECT_EQ(Globals::ActiveTestNotes, c.prefix + "N");
    }
}

TEST_F(TestDetailsFormTest, WithoutASingleZamo24TheEnergyIsLeftAlone)
{
    unit1.Plug(16, true, true);
    unit2.Plug(16, true, false);
    Globals::AclgEnergyXJ = true;
    details.Form_Load();
    EXPECT_TRUE(details.framePowerSource->isHidden());
    details.opt100J->setChecked(true);
    details.NotesTextBox->setPlainText("N");
    details.cmdStartTest->click();
    EXPECT_TRUE(Globals::AclgEnergyXJ);
    EXPECT_FALSE(Globals::AclgEnergy100J);
    EXPECT_EQ(Globals::ActiveTestNotes, "N");
}

TEST_F(TestDetailsFormTest, ReportOptionsAreReadAndKeptInSettingsInZamo80Mode)
{
    struct Case {
        QString stored;
        bool ticked;
    };
    unit1.Plug(16, true);
    for (const Case& c : {Case{"1", true}, Case{"x", false}, Case{"", false}}) {
        modINIReadWrite::INIWrite("Reports", "ShowShortCircuit", c.stored, settings.paths.settingsFile);
        modINIReadWrite::INIWrite("Reports", "AverageACLG", c.stored, settings.paths.settingsFile);
        details.Form_Load();
        EXPECT_FALSE(details.frameReportOptions->isHidden());
        EXPECT_EQ(details.chkShowOnReport->isChecked(), c.ticked) << c.stored.toStdString();
        EXPECT_EQ(details.chkAvgACLG->isChecked(), c.ticked);
    }
    details.chkShowOnReport->setChecked(true);
    details.chkAvgACLG->setChecked(false);
    details.cmdStartTest->click();
    EXPECT_TRUE(Globals::ShowShortCircuit);
    EXPECT_FALSE(Globals::AverageACLG);
    EXPECT_EQ(reportKey(settings, "ShowShortCircuit"), "1");
    EXPECT_EQ(reportKey(settings, "AverageACLG"), "0");
}

TEST_F(TestDetailsFormTest, BaseModelUnitsHideTheReportOptionsAndKeepThem)
{
    unit1.Plug(16);
    Globals::AverageACLG = true;
    details.Form_Load();
    EXPECT_TRUE(details.frameReportOptions->isHidden());
    details.cmdStartTest->click();
    EXPECT_TRUE(Globals::AverageACLG);
    EXPECT_FALSE(Globals::ShowShortCircuit);
    EXPECT_EQ(reportKey(settings, "AverageACLG"), "");
}

TEST_F(TestDetailsFormTest, ALotTypedAsCustomTakesTheTextAfterItAndThePerElectrodeLots)
{
    struct Case {
        QString typed;
        QString active;
    };
    for (const Case& c : {Case{"CUSTOM: Lot 9", "Lot 9"}, Case{"CUSTOM:", ""}}) {
        details.Form_Load();
        details.LotNumberTextBox->setText(c.typed);
        details.cmdStartTest->click();
        EXPECT_EQ(Globals::ActiveLotNumber, c.active);
        EXPECT_EQ(Globals::ElectrodeLotNumbers[0], "");
        const QStringList lines = lotWindow.TestLotNumbersTextBox->toPlainText().split("\n", Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 32);
        EXPECT_EQ(lines[0], "A1 - ");
        EXPECT_EQ(lines[31], "P2 - ");
    }
}

} // namespace
