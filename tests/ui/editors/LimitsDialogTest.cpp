#include "EditorFixture.h"
#include "config/IniKeys.h"
#include "config/LimitsFile.h"
#include "platform/WholeFile.h"
#include "ui/editors/LimitsDialog.h"

#include <QLineEdit>
#include <QTabWidget>

#include <cerrno>
#include <limits>

namespace {

using config::iniRead;

class SetLimitsFormTest : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        settings.limits = config::readLimits(settings.paths.settingsFile);
    }
    QLineEdit* box(QWidget* form, const char* name) { return child<QLineEdit>(form, name); }

    // The 26 values as settings.ini or a .lim file holds them.
    static QStringList storedValues(const QString& path)
    {
        QStringList out;
        for (const auto& v : config::limitKeys())
            out << QString("[%1] %2=%3").arg(v.section, v.key, iniRead(v.section, v.key, path));
        return out;
    }
    static QList<double> valuesOf(const config::Limits& limits)
    {
        QList<double> out;
        for (const auto& v : config::limitKeys())
            out << limits.*v.field;
        return out;
    }
    QList<double> currentValues() const { return valuesOf(settings.limits); }
};

TEST_F(SetLimitsFormTest, OnlyThePageOfTheUnitModeCanBeChosen)
{
    const struct {
        const char* mode;
        int page;
    } cases[] = {{"", 0}, {"ZAMO", 0}, {"ERROR", 0}, {"ZAMO80", 1}};
    for (const auto& c : cases) {
        mainForm.unitMode = FakeTestWindow::mode(c.mode);
        ui::LimitsDialog form(mainForm);
        auto* tabs = child<QTabWidget>(&form, "LimitsTab");
        EXPECT_EQ(form.windowTitle(), "Set Limits");
        EXPECT_EQ(tabs->tabText(0), "ZAMO");
        EXPECT_EQ(tabs->tabText(1), "ZAMO80/ZAMO2-4");
        EXPECT_EQ(tabs->currentIndex(), c.page) << c.mode;
        EXPECT_EQ(tabs->isTabEnabled(0), c.page == 0) << c.mode;
        EXPECT_EQ(tabs->isTabEnabled(1), c.page == 1) << c.mode;
        // Both pages show the current values.
        EXPECT_EQ(box(&form, "ACImpLimitTextBox")->text(), "3000");
        EXPECT_EQ(box(&form, "Zamo80ACZ30WarningTextBox")->text(), "4");
    }
}

TEST_F(SetLimitsFormTest, SaveTakesTheBoxesThatConvertAndWritesAllValues)
{
    settings.limits.limitZamo80Aclg = 2.5;
    ui::LimitsDialog form(mainForm);
    EXPECT_EQ(box(&form, "Zamo80ACLGLimitTextBox")->text(), "2.5");
    box(&form, "ACImpLimitTextBox")->setText("2500");
    box(&form, "NoiseTestWarningTextBox")->setText("abc");
    box(&form, "SDRSlopeTextBox")->setText("  ");
    box(&form, "Zamo80DEFRWarning60TextBox")->setText("-7.25"); // no range check

    click(&form, "SaveButton");

    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(settings.limits.limitAcz, 2500);
    EXPECT_EQ(settings.limits.warningNoise, 150);
    EXPECT_EQ(settings.limits.limitSdrSlope, 1);
    EXPECT_EQ(settings.limits.warningZamo80Defr60, -7.25);
    EXPECT_EQ(settings.limits.limitZamo80Aclg, 2.5);
    const QString ini = settings.paths.settingsFile;
    EXPECT_EQ(iniRead("Limits", "ACZ", ini), "2500");
    EXPECT_EQ(iniRead("Warnings", "NOISE", ini), "150");
    EXPECT_EQ(iniRead("Warnings", "Zamo80DEFR60", ini), "-7.25");
    EXPECT_EQ(iniRead("Limits", "Zamo80ACLG", ini), "2.5");
    EXPECT_TRUE(prompts->messages().isEmpty());
}

// The boxes show each value as it is saved, so that "Save" with the boxes
// untouched keeps every value exactly.
TEST_F(SetLimitsFormTest, BoxesShowTheExactValuesAndSaveKeepsThem)
{
    const double largest = std::numeric_limits<double>::max();
    settings.limits.limitDco = largest;
    settings.limits.limitAcz = 0.1 + 0.2;
    ui::LimitsDialog form(mainForm);
    EXPECT_EQ(box(&form, "DCOffsetLimitTextBox")->text(), "1.7976931348623157E+308");
    EXPECT_EQ(box(&form, "ACImpLimitTextBox")->text(), "0.30000000000000004");
    EXPECT_EQ(box(&form, "ACImpWarningTextBox")->text(), "2000");
    click(&form, "SaveButton");
    EXPECT_EQ(settings.limits.limitDco, largest);
    EXPECT_EQ(settings.limits.limitAcz, 0.1 + 0.2);
    EXPECT_EQ(config::readLimits(settings.paths.settingsFile).limitAcz, 0.1 + 0.2);
}

TEST_F(SetLimitsFormTest, RestoreDefaultsChangesOnlyTheBoxesUntilSave)
{
    settings.limits.limitAcz = 1234;
    settings.limits.warningZamo80Noise = 77;
    ASSERT_TRUE(config::saveLimits(settings.limits, settings.paths.settingsFile));
    const QByteArray iniBefore = readAll(settings.paths.settingsFile);
    {
        ui::LimitsDialog form(mainForm);
        click(&form, "RestoreDefaultsButton");
        EXPECT_EQ(box(&form, "ACImpLimitTextBox")->text(), "3000");
        EXPECT_EQ(box(&form, "Zamo80NoiseDCOWarningTextBox")->text(), "100");
        click(&form, "CancelButton");
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
    EXPECT_EQ(settings.limits.limitAcz, 1234);
    EXPECT_EQ(settings.limits.warningZamo80Noise, 77);
    EXPECT_EQ(readAll(settings.paths.settingsFile), iniBefore);

    ui::LimitsDialog form(mainForm);
    click(&form, "RestoreDefaultsButton");
    click(&form, "SaveButton");
    EXPECT_EQ(currentValues(), valuesOf(config::Limits()));
}

TEST_F(SetLimitsFormTest, SaveAsWritesTheSameValuesToSettingsAndTheLimitsFile)
{
    const QString lim = home.path() + "/bench.lim";
    prompts->fileAnswers.push_back(lim);
    ui::LimitsDialog form(mainForm);
    box(&form, "Zamo80ACZ30LimitTextBox")->setText("6");
    click(&form, "SaveAsButton");

    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].kind, "save");
    EXPECT_EQ(prompts->shown[0].text, "Save File");
    EXPECT_EQ(settings.limits.limitZamo80Acz30, 6);
    EXPECT_EQ(storedValues(lim), storedValues(settings.paths.settingsFile));
    EXPECT_TRUE(storedValues(lim).contains("[Limits] Zamo80ACZ30=6"));
}

TEST_F(SetLimitsFormTest, CancelledSaveAsKeepsTheWindowOpenAndChangesNothing)
{
    const QByteArray iniBefore = readAll(settings.paths.settingsFile);
    ui::LimitsDialog form(mainForm);
    form.show();
    box(&form, "ACImpLimitTextBox")->setText("10");
    click(&form, "SaveAsButton"); // no answer scripted: cancelled
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(settings.limits.limitAcz, 3000);
    EXPECT_EQ(readAll(settings.paths.settingsFile), iniBefore);
}

TEST_F(SetLimitsFormTest, ALimitsFileThatCannotBeWrittenIsReportedAndTheWindowStaysOpen)
{
    const QString lim = home.path() + "/no such folder/bench.lim";
    prompts->fileAnswers.push_back(lim);
    ui::LimitsDialog form(mainForm);
    form.show();
    click(&form, "SaveAsButton");
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(prompts->messages(), QStringList{"Unable to save the limits to " + lim + ": No such file or directory."});
}

TEST_F(SetLimitsFormTest, OnAFullDiskAnOldLimitsFileStaysWholeAndTheOperatorIsTold)
{
    const QString lim = home.path() + "/bench.lim";
    writeAll(lim, "[Limits]\r\nDCO=55\r\n[Notes]\r\nBy=QA\r\n");
    prompts->fileAnswers.push_back(lim);
    ui::LimitsDialog form(mainForm);
    form.show();
    box(&form, "DCOffsetLimitTextBox")->setText("70");
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC, ".lim");
        click(&form, "SaveAsButton");
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(prompts->messages(), QStringList{"Unable to save the limits to " + lim + ": No space left on device."});
    EXPECT_EQ(readAll(lim), "[Limits]\r\nDCO=55\r\n[Notes]\r\nBy=QA\r\n");
    EXPECT_TRUE(
        readAll(stationLog.path())
            .contains("INIWrite failed: unable to write 26 keys to " + lim.toUtf8() + ": No space left on device"));
}

TEST_F(SetLimitsFormTest, LoadFillsTheBoxesFromTheFileAndSaveKeepsWhatIsMissing)
{
    const QString lim = home.path() + "/base.lim";
    writeAll(lim, "[Limits]\r\nDCO=11\r\nACZ=12\r\nSDRDCO=13\r\nSDRSlope=14\r\nNOISE=15\r\nBIAS=16\r\n"
                  "[Warnings]\r\nDCO=21\r\nACZ=22\r\nSDRDCO=23\r\nSDRSlope=24\r\nNOISE=25\r\nBIAS=26\r\n");
    settings.limits.limitZamo80Defr4 = 444;
    prompts->fileAnswers.push_back(lim);
    ui::LimitsDialog form(mainForm);
    click(&form, "LoadButton");

    EXPECT_EQ(prompts->shown[0].kind, "open");
    EXPECT_EQ(prompts->shown[0].text, "Open File");
    EXPECT_EQ(box(&form, "SDRSlopeWarningTextBox")->text(), "24");
    EXPECT_EQ(box(&form, "Zamo80DEFRLimit4TextBox")->text(), "");
    EXPECT_EQ(settings.limits.limitDco, 100); // nothing taken before Save

    click(&form, "SaveButton");
    EXPECT_EQ(settings.limits.limitDco, 11);
    EXPECT_EQ(settings.limits.warningBias, 26);
    EXPECT_EQ(settings.limits.limitZamo80Defr4, 444);
    EXPECT_EQ(iniRead("Limits", "Zamo80DEFR4", settings.paths.settingsFile), "444");
}

TEST_F(SetLimitsFormTest, LoadThenCancelOrACancelledOpenChangesNothing)
{
    const QString lim = home.path() + "/other.lim";
    writeAll(lim, "[Limits]\r\nACZ=1\r\n");
    const QByteArray iniBefore = readAll(settings.paths.settingsFile);
    ui::LimitsDialog form(mainForm);
    box(&form, "BiasTestLimitTextBox")->setText("55");
    click(&form, "LoadButton"); // cancelled
    EXPECT_EQ(box(&form, "BiasTestLimitTextBox")->text(), "55");

    prompts->fileAnswers.push_back(lim);
    click(&form, "LoadButton");
    EXPECT_EQ(box(&form, "ACImpLimitTextBox")->text(), "1");
    click(&form, "CancelButton");
    EXPECT_EQ(settings.limits.limitAcz, 3000);
    EXPECT_EQ(settings.limits.limitBias, 100);
    EXPECT_EQ(readAll(settings.paths.settingsFile), iniBefore);
}

} // namespace
