#include "ui/editors/LimitsDialog.h"

#include "config/IniKeys.h"
#include "config/LimitsFile.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "ui/common/Twips.h"
#include "ui/shell/TestWindowCommands.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace ui {

namespace {

struct LimitRow {
    const char* label;
    const char* unit;
    const char* limitBox;
    const char* warningBox;
};

struct LimitPage {
    const char* caption;
    const char* frame;
    int firstValue; // index of the page's first limit in config::limitKeys()
    std::vector<LimitRow> rows;
};

// The two pages; on each, the limits come first in limitKeys(), then the
// warnings, row by row.
const std::array<LimitPage, 2>& pages()
{
    static const std::array<LimitPage, 2> table{{
        {"ZAMO",
         "Frame2",
         0,
         {{"DCO:", "mV", "DCOffsetLimitTextBox", "DCOffsetWarningTextBox"},
          {"ACZ:", "ohms", "ACImpLimitTextBox", "ACImpWarningTextBox"},
          {"SDR 5 sec DCO:", "mV", "SDRDCOffsetTextBox", "SDRDCOffsetWarningTextBox"},
          {"SDR recovery slope:", "mV/sec", "SDRSlopeTextBox", "SDRSlopeWarningTextBox"},
          {"NOISE DCO:", "uV", "NoiseTestLimitTextBox", "NoiseTestWarningTextBox"},
          {"BIAS DCO:", "mV", "BiasTestLimitTextBox", "BiasTestWarningTextBox"}}},
        {"ZAMO80/ZAMO2-4",
         "Zamo80Frame",
         12,
         {{"DCO:", "mV", "Zamo80DCOLimitTextBox", "Zamo80DCOWarningTextBox"},
          {"ACZ:", "ohms", "Zamo80ACZLimitTextBox", "Zamo80ACZWarningTextBox"},
          {"ACZ30:", "ohms", "Zamo80ACZ30LimitTextBox", "Zamo80ACZ30WarningTextBox"},
          {"AC-LG:", "ohms", "Zamo80ACLGLimitTextBox", "Zamo80ACLGWarningTextBox"},
          {"DEFR 4s:", "mV", "Zamo80DEFRLimit4TextBox", "Zamo80DEFRWarning4TextBox"},
          {"DEFR 60s:", "mV", "Zamo80DEFRLimit60TextBox", "Zamo80DEFRWarning60TextBox"},
          {"NOISE DCO:", "uV", "Zamo80NoiseDCOLimitTextBox", "Zamo80NoiseDCOWarningTextBox"}}},
    }};
    return table;
}

const QString LimitFilter = QStringLiteral("Limit Files (*.lim);;All Files (*)");

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

LimitsDialog::LimitsDialog(TestWindowServices& mainForm, QWidget* parent) : QDialog(parent), m_mainForm(mainForm)
{
    setObjectName("SetLimitsForm");
    setWindowTitle("Set Limits");
    setModal(true);
    buildControls();
    load();
}

void LimitsDialog::buildControls()
{
    limitsTabs = new QTabWidget(this);
    limitsTabs->setObjectName("LimitsTab");
    for (int page = 0; page < 2; ++page)
        limitsTabs->addTab(buildPage(page), pages()[page].caption);

    auto* fileFrame = new QGroupBox("File Load/Save", this);
    fileFrame->setObjectName("FileFrame");
    auto* fileRow = new QHBoxLayout(fileFrame);
    QPushButton* load = button(fileFrame, "LoadButton", "Load");
    QPushButton* saveAs = button(fileFrame, "SaveAsButton", "Save As");
    fileRow->addWidget(load);
    fileRow->addWidget(saveAs);

    QPushButton* save = button(this, "SaveButton", "Save");
    QPushButton* cancel = button(this, "CancelButton", "Cancel");
    QPushButton* restore = button(this, "RestoreDefaultsButton", "Restore Defaults");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    buttons->addWidget(restore);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(limitsTabs);
    layout->addWidget(fileFrame);
    layout->addLayout(buttons);
    resize(Twips::toPixels(6000), Twips::toPixels(6600));

    connect(load, &QPushButton::clicked, this, &LimitsDialog::loadFile);
    connect(saveAs, &QPushButton::clicked, this, &LimitsDialog::saveAs);
    connect(save, &QPushButton::clicked, this, &LimitsDialog::save);
    connect(cancel, &QPushButton::clicked, this, &LimitsDialog::cancel);
    connect(restore, &QPushButton::clicked, this, &LimitsDialog::restoreDefaults);
}

QWidget* LimitsDialog::buildPage(int page)
{
    const LimitPage& table = pages()[page];
    auto* frame = new QGroupBox;
    frame->setObjectName(table.frame);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel("Limit"), 0, 1);
    grid->addWidget(new QLabel("Warning"), 0, 2);
    const int rowCount = int(table.rows.size());
    for (int r = 0; r < rowCount; ++r) {
        const LimitRow& row = table.rows[r];
        const QString name = QString(row.label).remove(QLatin1Char(':'));
        auto* limit = new QLineEdit;
        limit->setObjectName(row.limitBox);
        limit->setAccessibleName(name + " Limit");
        auto* warning = new QLineEdit;
        warning->setObjectName(row.warningBox);
        warning->setAccessibleName(name + " Warning");
        grid->addWidget(new QLabel(row.label), r + 1, 0);
        grid->addWidget(limit, r + 1, 1);
        grid->addWidget(warning, r + 1, 2);
        grid->addWidget(new QLabel(row.unit), r + 1, 3);
        m_boxes[table.firstValue + r] = limit;
        m_boxes[table.firstValue + rowCount + r] = warning;
    }
    return frame;
}

void LimitsDialog::load()
{
    const bool zamo80 = m_mainForm.checkZAMOMode() == run::ConnectedUnitsMode::Zamo80;
    limitsTabs->setTabEnabled(0, !zamo80);
    limitsTabs->setTabEnabled(1, zamo80);
    limitsTabs->setCurrentIndex(zamo80 ? 1 : 0);
    showLimits(false);
}

void LimitsDialog::showLimits(bool restoreDefaults)
{
    const auto& keys = config::limitKeys();
    const config::Limits defaults;
    const config::Limits& shown = restoreDefaults ? defaults : m_mainForm.stationSettings().limits;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const double value = shown.*keys[i].field;
        m_boxes[i]->setText(platform::Convert::fromDoubleExact(value));
    }
}

void LimitsDialog::loadFile()
{
    platform::FileDialogRequest request;
    request.title = "Open File";
    request.filter = LimitFilter;
    // A cancelled dialog leaves the boxes as they are.
    readLimitsFile(platform::Prompts::instance().openFile(request));
}

void LimitsDialog::readLimitsFile(const QString& path)
{
    if (path.isEmpty())
        return;
    const auto& keys = config::limitKeys();
    for (std::size_t i = 0; i < keys.size(); ++i)
        m_boxes[i]->setText(config::iniRead(keys[i].section, keys[i].key, path));
}

void LimitsDialog::saveAs()
{
    platform::FileDialogRequest request;
    request.title = "Save File";
    request.filter = LimitFilter;
    request.defaultSuffix = "lim";
    const QString path = platform::Prompts::instance().saveFile(request);
    if (path.isEmpty())
        return;
    if (saveLimitsAs(path))
        accept();
}

bool LimitsDialog::saveLimitsAs(const QString& path)
{
    if (path.isEmpty())
        return false;
    return applyLimits() && writeLimits(path);
}

void LimitsDialog::save()
{
    if (applyLimits())
        accept();
}

bool LimitsDialog::applyLimits()
{
    config::StationSettings& settings = m_mainForm.stationSettings();
    const auto& keys = config::limitKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (const auto value = platform::Convert::toDouble(m_boxes[i]->text()))
            settings.limits.*keys[i].field = *value;
    }
    return writeLimits(settings.paths.settingsFile);
}

bool LimitsDialog::writeLimits(const QString& path)
{
    QString error;
    if (config::saveLimits(m_mainForm.stationSettings().limits, path, &error))
        return true;
    platform::Prompts::instance().message("Unable to save the limits to " + path + ": " + error + ".",
                                          config::DefaultMessageTitle, platform::MsgButtons::Ok,
                                          platform::MsgIcon::Warning);
    return false;
}

void LimitsDialog::cancel()
{
    reject();
}

void LimitsDialog::restoreDefaults()
{
    showLimits(true);
}

} // namespace ui
