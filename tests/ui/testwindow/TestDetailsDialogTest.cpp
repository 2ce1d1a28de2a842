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
    return config::iniRead("Reports", key, settings.paths.settingsFile);
}

TEST_F(TestDetailsFormTest, OneLotForAllElectrodesAndTheNotes)
{
    unit1.plug(16);
    details.load();
    details.lotNumberEdit->setText("Lot 7");
    details.notesEdit->setPlainText("first line\nsecond");
    details.startTestButton->click();
    ASSERT_TRUE(details.entered());
    EXPECT_EQ(details.entered()->lotNumber, "Lot 7");
    for (const QString& lot : details.entered()->electrodeLotNumbers)
        EXPECT_EQ(lot, "Lot 7");
    EXPECT_EQ(lotWindow.lotNumbersEdit->toPlainText(), "Lot 7");
    EXPECT_EQ(details.entered()->notes, "first line\r\nsecond");
}

TEST_F(TestDetailsFormTest, ShownModallyOnlyStartTestStartsTheRun)
{
    whenModal([](QWidget* w) { static_cast<ui::TestDetailsDialog*>(w)->startTestButton->click(); });
    EXPECT_TRUE(details.ask().has_value());

    // After a started run, the close box cancels the next start; so does Cancel.
    whenModal([](QWidget* w) { w->close(); });
    EXPECT_FALSE(details.ask().has_value());
    whenModal([](QWidget* w) { static_cast<ui::TestDetailsDialog*>(w)->cancelButton->click(); });
    EXPECT_FALSE(details.ask().has_value());
}

TEST_F(TestDetailsFormTest, EachShowingStartsFromEmptyBoxes)
{
    details.load();
    details.lotNumberEdit->setText("CUSTOM: A1: x");
    details.lotNumberEdit->setEnabled(false);
    details.notesEdit->setPlainText("old");
    details.load();
    EXPECT_EQ(details.lotNumberEdit->text(), "");
    EXPECT_TRUE(details.lotNumberEdit->isEnabled());
    EXPECT_EQ(details.notesEdit->toPlainText(), "");
    EXPECT_TRUE(details.energy360JButton->isChecked());
}

TEST_F(TestDetailsFormTest, Zamo24EnergyChoiceSetsTheFlagsAndPrefixesTheNotes)
{
    struct Case {
        QRadioButton* ui::TestDetailsDialog::*option;
        unit::AclgEnergy energy;
        QString prefix;
    };
    unit1.plug(16, true, true);
    for (const Case& c :
         {Case{&ui::TestDetailsDialog::energy100JButton, unit::AclgEnergy::J100, "ACLG Energy = 100J;\r\n"},
          Case{&ui::TestDetailsDialog::energy360JButton, unit::AclgEnergy::J360, "ACLG Energy = 360J;\r\n"},
          Case{&ui::TestDetailsDialog::energyXButton, unit::AclgEnergy::XJ, "ACLG Energy = 200J;\r\n"}}) {
        details.load();
        EXPECT_FALSE(details.powerSourceGroup->isHidden());
        EXPECT_EQ(details.energyXButton->text(), "200J");
        (details.*c.option)->setChecked(true);
        details.notesEdit->setPlainText("N");
        details.startTestButton->click();
        EXPECT_EQ(unit1.aclgEnergy, c.energy);
        ASSERT_TRUE(details.entered());
        EXPECT_EQ(details.entered()->notes, c.prefix + "N");
    }
}

TEST_F(TestDetailsFormTest, WithoutASingleZamo24TheEnergyIsLeftAlone)
{
    unit1.plug(16, true, true);
    unit2.plug(16, true, false);
    unit1.aclgEnergy = unit2.aclgEnergy = unit::AclgEnergy::XJ;
    details.load();
    EXPECT_TRUE(details.powerSourceGroup->isHidden());
    details.energy100JButton->setChecked(true);
    details.notesEdit->setPlainText("N");
    details.startTestButton->click();
    EXPECT_EQ(unit1.aclgEnergy, unit::AclgEnergy::XJ);
    EXPECT_EQ(unit2.aclgEnergy, unit::AclgEnergy::XJ);
    ASSERT_TRUE(details.entered());
    EXPECT_EQ(details.entered()->notes, "N");
}

TEST_F(TestDetailsFormTest, ReportOptionsAreReadAndKeptInSettingsInZamo80Mode)
{
    struct Case {
        QString stored;
        bool ticked;
    };
    unit1.plug(16, true);
    for (const Case& c : {Case{"1", true}, Case{"x", false}, Case{"", false}}) {
        config::iniWrite("Reports", "ShowShortCircuit", c.stored, settings.paths.settingsFile);
        config::iniWrite("Reports", "AverageACLG", c.stored, settings.paths.settingsFile);
        details.load();
        EXPECT_FALSE(details.reportOptionsGroup->isHidden());
        EXPECT_EQ(details.showShortCircuitCheck->isChecked(), c.ticked) << c.stored.toStdString();
        EXPECT_EQ(details.averageAclgCheck->isChecked(), c.ticked);
    }
    details.showShortCircuitCheck->setChecked(true);
    details.averageAclgCheck->setChecked(false);
    details.startTestButton->click();
    ASSERT_TRUE(details.entered() && details.entered()->reportOptions);
    EXPECT_TRUE(details.entered()->reportOptions->showShortCircuit);
    EXPECT_FALSE(details.entered()->reportOptions->averageAclg);
    EXPECT_EQ(reportKey(settings, "ShowShortCircuit"), "1");
    EXPECT_EQ(reportKey(settings, "AverageACLG"), "0");
}

TEST_F(TestDetailsFormTest, BaseModelUnitsHideTheReportOptionsAndKeepThem)
{
    unit1.plug(16);
    details.load();
    EXPECT_TRUE(details.reportOptionsGroup->isHidden());
    details.startTestButton->click();
    // No report options in the answer: the run keeps those it has.
    ASSERT_TRUE(details.entered());
    EXPECT_FALSE(details.entered()->reportOptions.has_value());
    EXPECT_EQ(reportKey(settings, "AverageACLG"), "");
}

TEST_F(TestDetailsFormTest, ALotTypedAsCustomTakesTheTextAfterItAndThePerElectrodeLots)
{
    struct Case {
        QString typed;
        QString active;
    };
    for (const Case& c : {Case{"CUSTOM: Lot 9", "Lot 9"}, Case{"CUSTOM:", ""}}) {
        details.load();
        details.lotNumberEdit->setText(c.typed);
        details.startTestButton->click();
        ASSERT_TRUE(details.entered());
        EXPECT_EQ(details.entered()->lotNumber, c.active);
        EXPECT_EQ(details.entered()->electrodeLotNumbers[0], "");
        const QStringList lines = lotWindow.lotNumbersEdit->toPlainText().split("\n", Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 32);
        EXPECT_EQ(lines[0], "A1 - ");
        EXPECT_EQ(lines[31], "P2 - ");
    }
}

// The half of RunRecordingTest.PerElectrodeLotsOfThePreTestWindowReachTheUnitRows
// that the window gives: the text after "CUSTOM:" and each electrode's own lot.
TEST_F(TestDetailsFormTest, PerElectrodeLotsOfThePreTestWindowReachTheUnitRows)
{
    details.load();
    details.setElectrodeLotNumber(1, "B-LOT");
    details.setElectrodeLotNumber(16, "Lot\r\n2");
    details.lotNumberEdit->setText("CUSTOM: A1: , B1: B-LOT");
    details.startTestButton->click();
    ASSERT_TRUE(details.entered());
    EXPECT_EQ(details.entered()->lotNumber, "A1: , B1: B-LOT");
    std::array<QString, 32> lots;
    lots[1] = "B-LOT";
    lots[16] = "Lot\r\n2";
    EXPECT_EQ(details.entered()->electrodeLotNumbers, lots);
}

} // namespace
