#include "config/IniKeys.h"
#include "config/SettingsReader.h"
#include "support/ShellFixture.h"
#include "ui/options/AdvancedOptionsWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

class AdvancedOptionsTest : public ShellFixture {
protected:
    ui::AdvancedOptionsWindow* editor = nullptr;

    QString key(const QString& section, const QString& k) { return config::iniRead(section, k, ini()); }

    // A settings.ini with every key of the editor, plus the keys only
    // other windows write.
    void prepareSettings()
    {
        config::buildDefaultIni(ini());
        for (const auto& f : ui::AdvancedOptionsFields::fields())
            if (key(f.section, f.key).isEmpty())
                config::iniWrite(f.section, f.key, f.kind == ui::AdvancedOptionsFields::Kind::Check ? "0" : "7", ini());
        for (auto [section, key, value] : {std::tuple{"Timers", "Polling", "150"},
                                           {"Timers", "Tests", "5000"},
                                           {"Database", "LocalDatabaseFolder", "/srv/zamo"},
                                           {"Database", "SQLPassword", "secret"},
                                           {"Reports", "ShowShortCircuit", "1"},
                                           {"Reports", "AverageACLG", "1"},
                                           {"Font", "Size", "12"},
                                           {"Electrodes", "Default", "A1-P2"},
                                           {"KeepAlive", "MoveMouse", "-1"},
                                           {"Diagnostics", "Enabled", "True"},
                                           {"Reports", "PrintEnabled", "2"},
                                           {"ZAMO-SG", "Enabled", "yes"}})
            config::iniWrite(section, key, value, ini());
    }
    void open() { editor = windows.advancedOptions(); }
    QLineEdit* text(const char* name) { return editor->findChild<QLineEdit*>(name); }
    QCheckBox* box(const char* name) { return editor->findChild<QCheckBox*>(name); }
};

TEST_F(AdvancedOptionsTest, HasFifteenPagesAndEveryControl)
{
    open();
    ASSERT_EQ(editor->settingsTabs->count(), 15);
    EXPECT_EQ(editor->settingsTabs->tabText(0), "[Timers]");
    EXPECT_EQ(editor->settingsTabs->tabText(14), "[ACLG] X");
    EXPECT_EQ(editor->settingsTabs->currentIndex(), 0);
    EXPECT_EQ(editor->windowTitle(), "Advanced Options");
    for (const auto& field : ui::AdvancedOptionsFields::fields())
        EXPECT_NE(editor->findChild<QWidget*>(field.control), nullptr) << field.control.toStdString();
    EXPECT_EQ(ui::AdvancedOptionsFields::fields().size(), 69);
}

TEST_F(AdvancedOptionsTest, ACheckBoxShowsOnly012AndSaveWritesItsStateForAnyOtherValue)
{
    prepareSettings();
    open();
    EXPECT_EQ(text("PollingTextBox")->text(), "150");
    EXPECT_EQ(box("AutoPrintFullReportCheckBox")->checkState(), Qt::PartiallyChecked);
    // "-1", "True", "yes": not 0, 1 or 2, so the boxes stay clear as the window opened.
    for (const char* name : {"MoveMouseCheckBox", "DiagnosticsEnabledCheckBox", "chkZamoSGEnabled"})
        EXPECT_EQ(box(name)->checkState(), Qt::Unchecked) << name;

    const QByteArray before = iniText();
    editor->saveButton->click();
    EXPECT_EQ(key("KeepAlive", "MoveMouse"), "0");
    EXPECT_EQ(key("Diagnostics", "Enabled"), "0");
    EXPECT_EQ(key("ZAMO-SG", "Enabled"), "0");
    EXPECT_EQ(key("Reports", "PrintEnabled"), "2");
    // Nothing else changed: every other key was written back as it was read.
    QByteArray expected = before;
    expected.replace("MoveMouse=-1", "MoveMouse=0").replace("Enabled=True", "Enabled=0");
    expected.replace("[ZAMO-SG]\r\nEnabled=yes", "[ZAMO-SG]\r\nEnabled=0");
    EXPECT_EQ(iniText(), expected);
    EXPECT_EQ(prompts->messages(), QStringList{"Please restart ZAMO to apply configuration changes"});
    EXPECT_EQ(prompts->shown[0].title, "Options Saved");

    // A box the operator ticked stays ticked on Refresh while its key holds a word.
    config::iniWrite("KeepAlive", "WakeUp", "False", ini());
    box("WakeUpCheckBox")->setChecked(true);
    editor->refreshButton->click();
    EXPECT_TRUE(box("WakeUpCheckBox")->isChecked());
}

TEST_F(AdvancedOptionsTest, SaveWritesEditsAndNeverTheKeysOfOtherWindows)
{
    prepareSettings();
    open();
    text("PollingTextBox")->setText("100");
    text("MaxRecordsTextBox")->setText("abc");
    text("DefaultElectrodesTextBox")->setText("A1.C1-D1");
    box("MoveMouseCheckBox")->click(); // clear, as its "-1" left it
    box("AutoPrintFullReportCheckBox")->click();
    box("AutoExportPDFCheckBox")->click();
    editor->saveButton->click();

    EXPECT_EQ(key("Timers", "Polling"), "100");
    EXPECT_EQ(key("Database", "MaxRecords"), "100000"); // letters are not written
    EXPECT_EQ(key("Electrodes", "Default"), "A1.C1-D1");
    EXPECT_EQ(key("KeepAlive", "MoveMouse"), "1");
    EXPECT_EQ(key("Reports", "PrintEnabled"), "1");
    EXPECT_EQ(key("Reports", "ExportPDFEnabled"), "1");
    EXPECT_EQ(key("Diagnostics", "Enabled"), "0");
    for (auto [section, k, value] : {std::tuple{"Zamo80Delays", "DefibCharge", "54"},
                                     {"Database", "UseLocalDatabase", "1"},
                                     {"Database", "LocalDatabaseFolder", "/srv/zamo"},
                                     {"Database", "SQLPassword", "secret"},
                                     {"Reports", "ShowShortCircuit", "1"},
                                     {"Reports", "AverageACLG", "1"},
                                     {"Font", "Size", "12"}})
        EXPECT_EQ(key(section, k), value) << section << " " << k;
    EXPECT_EQ(prompts->messages().size(), 1);

    text("MaxRecordsTextBox")->setText("2500");
    editor->saveButton->click();
    EXPECT_EQ(key("Database", "MaxRecords"), "2500");
}

TEST_F(AdvancedOptionsTest, SaveWritesEveryKeyAsTypedOverWhatTheFileHoldsNow)
{
    prepareSettings();
    open();
    config::iniWrite("Reports", "DisplayEnabled", "0", ini()); // the report actions window
    config::iniWrite("Timers", "Tests", "9000", ini());
    text("PollingTextBox")->setText("0300");
    text("ReconnectDelayTextBox")->setText("soon");
    text("ExportPathTextBox")->setText("");
    editor->saveButton->click();
    EXPECT_EQ(key("Timers", "Tests"), "5000");
    EXPECT_EQ(key("Reports", "DisplayEnabled"), "1");
    EXPECT_EQ(key("Timers", "Polling"), "0300");
    EXPECT_EQ(key("Zamo80Delays", "ReconnectDelay"), "soon");
    EXPECT_TRUE(iniText().contains("ExportPath=\r\n"));
}

TEST_F(AdvancedOptionsTest, MissingKeysShowEmptyAndAreWrittenOnSave)
{
    putIni("[Timers]\r\nPolling=150\r\n");
    open();
    EXPECT_EQ(text("TestsTextBox")->text(), "");
    EXPECT_FALSE(box("WakeUpCheckBox")->isChecked());
    editor->saveButton->click();
    const QByteArray file = iniText();
    EXPECT_TRUE(file.startsWith("[Timers]\r\nPolling=150\r\nTests=\r\n"));
    EXPECT_TRUE(file.contains("[KeepAlive]\r\nMoveMouse=0\r\nWakeUp=0\r\n"));
    EXPECT_FALSE(file.contains("MaxRecords")) << "an empty MaxRecords is not a number";
}

TEST_F(AdvancedOptionsTest, RefreshRestoresTheFileAndCloseWritesNothing)
{
    prepareSettings();
    open();
    text("PollingTextBox")->setText("999");
    box("WakeUpCheckBox")->click();
    editor->refreshButton->click();
    EXPECT_EQ(text("PollingTextBox")->text(), "150");
    EXPECT_TRUE(box("WakeUpCheckBox")->isChecked());

    const QByteArray before = iniText();
    text("PollingTextBox")->setText("999");
    editor->cancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(iniText(), before);
    EXPECT_NE(windows.advancedOptions()->findChild<QLineEdit*>("PollingTextBox")->text(), "999");
}

} // namespace
