// The report actions window: reading [Reports] box by box, the folder rule
// of the PDF export, and Save writing all seven keys in order and the
// settings with them.

#include "config/StationSettings.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDataHome.h"
#include "ui/reportlists/ReportActionsDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class ReportActionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(home.stationFolder());
        settings.paths.settingsFile = home.stationFolder() + "/settings.ini";
        prompts = platform::ScriptedPrompts::installNew();
    }
    void writeSettings(const QByteArray& text)
    {
        QFile f(settings.paths.settingsFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray settingsText() const
    {
        QFile f(settings.paths.settingsFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    testsupport::TempDataHome home;
    config::StationSettings settings;
    platform::ScriptedPrompts* prompts = nullptr;
};

TEST_F(ReportActionsDialogTest, BoxesReadOneByOneAndBadValuesKeepTheStartState)
{
    writeSettings("[Reports]\r\nExportPDFEnabled=1\r\nExportExcelEnabled=yes\r\nExportTabEnabled=2\r\n"
                  "ExportPath=/srv/reports\r\nPrintEnabled=7\r\nPrintCondensedEnabled=1\r\nDisplayEnabled=word\r\n");
    ui::ReportActionsDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), "Set Automatic Report Actions");
    EXPECT_EQ(dialog.exportPdfBox()->checkState(), Qt::Checked);
    EXPECT_EQ(dialog.exportExcelBox()->checkState(), Qt::Unchecked) << "a word";
    EXPECT_EQ(dialog.exportTabBox()->checkState(), Qt::PartiallyChecked) << "2, the greyed state";
    EXPECT_EQ(dialog.folderEdit()->text(), "/srv/reports");
    EXPECT_EQ(dialog.printBox()->checkState(), Qt::Unchecked) << "not a state";
    EXPECT_EQ(dialog.printCondensedBox()->checkState(), Qt::Checked);
    EXPECT_EQ(dialog.displayBox()->checkState(), Qt::Checked) << "a word keeps the start state";

    // Missing keys: the start state.
    writeSettings("[Reports]\r\nDisplayEnabled=0\r\n");
    ui::ReportActionsDialog fresh(settings);
    EXPECT_FALSE(fresh.exportPdfBox()->isChecked());
    EXPECT_FALSE(fresh.displayBox()->isChecked());
    EXPECT_EQ(fresh.folderEdit()->text(), "");
}

TEST_F(ReportActionsDialogTest, PdfExportNeedsAFolderOthersDoNot)
{
    writeSettings("[Reports]\r\nDisplayEnabled=1\r\n");
    const QByteArray before = settingsText();
    ui::ReportActionsDialog dialog(settings);
    dialog.exportPdfBox()->click();
    dialog.saveButton()->click();
    EXPECT_THAT(prompts->messages(), ElementsAre("A directory must be defined to store the exported reports."));
    EXPECT_EQ(prompts->shown[0].title, "Warning");
    EXPECT_EQ(settingsText(), before) << "nothing written";
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(settings.reports.exportPdfEnabled);

    // Unchecking PDF, an Excel export without a folder is saved.
    dialog.exportPdfBox()->click();
    dialog.exportExcelBox()->click();
    dialog.saveButton()->click();
    EXPECT_EQ(prompts->messages().size(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(settings.reports.exportExcelEnabled);

    // With a folder from the folder dialog, PDF is saved too.
    ui::ReportActionsDialog again(settings);
    prompts->fileAnswers.push_back("/srv/reports");
    again.browseButton()->click();
    EXPECT_EQ(again.folderEdit()->text(), "/srv/reports");
    again.browseButton()->click(); // cancelled: the folder stays
    EXPECT_EQ(again.folderEdit()->text(), "/srv/reports");
    again.exportPdfBox()->click();
    again.saveButton()->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_TRUE(settings.reports.exportPdfEnabled);
    EXPECT_EQ(settings.reports.exportPath, "/srv/reports");
}

TEST_F(ReportActionsDialogTest, SaveWritesAllSevenKeysInOrderCancelNothing)
{
    writeSettings("[Timers]\r\nTests=5000\r\n");
    settings.reports.displayEnabled = true;
    {
        ui::ReportActionsDialog dialog(settings);
        dialog.printBox()->click();
        dialog.cancelButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(settingsText(), "[Timers]\r\nTests=5000\r\n");
    EXPECT_FALSE(settings.reports.printEnabled);

    ui::ReportActionsDialog dialog(settings);
    dialog.exportTabBox()->click();
    dialog.printBox()->click();
    dialog.displayBox()->click();
    dialog.folderEdit()->setText("/srv/out");
    dialog.saveButton()->click();
    EXPECT_EQ(settingsText(), "[Timers]\r\nTests=5000\r\n[Reports]\r\nExportPDFEnabled=0\r\nExportExcelEnabled=0\r\n"
                              "ExportTabEnabled=1\r\nExportPath=/srv/out\r\nPrintEnabled=1\r\n"
                              "PrintCondensedEnabled=0\r\nDisplayEnabled=0\r\n");
    EXPECT_TRUE(settings.reports.exportTabEnabled);
    EXPECT_TRUE(settings.reports.printEnabled);
    EXPECT_FALSE(settings.reports.displayEnabled);
    EXPECT_EQ(settings.reports.exportPath, "/srv/out");

    // A file that cannot be written: the window says so and stays open.
    const QString folder = home.stationFolder() + "/settings-folder";
    QDir().mkpath(folder);
    settings.paths.settingsFile = folder;
    ui::ReportActionsDialog blocked(settings);
    blocked.printCondensedBox()->click();
    blocked.saveButton()->click();
    EXPECT_NE(blocked.result(), QDialog::Accepted);
    EXPECT_THAT(prompts->messages().last().toStdString(),
                ::testing::StartsWith("The report actions could not be saved: "));
    EXPECT_FALSE(settings.reports.printCondensedEnabled) << "the settings stay as they were";
}

} // namespace
