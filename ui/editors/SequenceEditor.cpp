#include "ui/editors/SequenceEditor.h"

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "run/UnitMode.h"
#include "testlists/SequenceFile.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestList.h"
#include "testlists/TestListRows.h"
#include "ui/common/CloseGuard.h"
#include "ui/common/Twips.h"
#include "ui/editors/NumberList.h"
#include "ui/shell/TestWindowCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <cmath>

namespace ui {

namespace {

const QStringList BaseModelTypes{"DCO", "ACZ", "SDR", "NOISE", "BIAS"};
const QStringList Zamo80Types{"ACZ", "ACZ30", "ACLG", "DEFR", "NOISE", "DCO", "PACE1", "PACE2"};
const QString SequenceFilter = QStringLiteral("Test Sequence Files (*.tsq);;All Files (*)");
constexpr int MaxDefibChargeTime = 600;

bool isPace(const QString& type)
{
    return type == "PACE1" || type == "PACE2";
}

// Whole number with halves to the even neighbour.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

SequenceEditor::SequenceEditor(TestWindowServices& mainForm, QWidget* parent) : QDialog(parent), m_mainForm(mainForm)
{
    setObjectName("TestSequenceEditorForm");
    setWindowTitle("Test Sequence Editor");
    setModal(true);
    buildControls();
    initializeEditor();
}

void SequenceEditor::initializeEditor()
{
    NumberList::fill(testTimeComboBox, 1, 165);
    NumberList::select(testTimeComboBox, 8);
    NumberList::fill(sampleIntervalComboBox, 1, 60);
    NumberList::select(sampleIntervalComboBox, 30);

    const bool zamo80 = m_mainForm.checkZAMOMode() == run::ConnectedUnitsMode::Zamo80;
    biasGroup->setVisible(!zamo80);
    paceRollGroup->setVisible(false);
    defibChargeGroup->setVisible(zamo80);
    if (zamo80)
        defibChargeTimeEdit->setText(QString::number(m_mainForm.stationSettings().zamo80Delays.defibCharge));

    NumberList::fill(countComboBox, 1, 1000);
    NumberList::select(countComboBox, 1);
    NumberList::fill(paceDurationComboBox, 20, 90);
    if (!NumberList::select(paceDurationComboBox, m_mainForm.stationSettings().pace.paceDuration))
        paceDurationComboBox->setCurrentIndex(0);

    {
        const QSignalBlocker quiet(testTypeComboBox);
        testTypeComboBox->clear();
        testTypeComboBox->addItems(zamo80 ? Zamo80Types : BaseModelTypes);
        testTypeComboBox->setCurrentIndex(0);
    }
    testTypeChosen();

    m_workingList = copySteps(m_mainForm.testLists().active);
    setEditing(-1);
    updateTestSequenceList();
    enableBiasControls(false);
}

void SequenceEditor::updateTestSequenceList()
{
    const QString selection = m_mainForm.testLists().buildElectrodeString(true);
    resetGrid();
    testSequenceGrid->setRowCount(int(m_workingList.size()));
    for (int n = 1; n <= m_workingList.size(); ++n) {
        testlists::TestStep& step = *m_workingList[n - 1];
        step.initElectrodesByString(selection);
        const QString texts[] = {QString::number(n), step.testType(),
                                 testlists::TestListRows::electrodesText(step, selection),
                                 testlists::TestListRows::countText(step)};
        for (int column = 0; column < 4; ++column)
            testSequenceGrid->setItem(n - 1, column, new QTableWidgetItem(texts[column]));
    }
    makeRowCurrent(0);
}

void SequenceEditor::resetGrid()
{
    testSequenceGrid->clearContents();
    testSequenceGrid->setRowCount(0);
    sizeGridColumns();
    testSequenceGrid->setHorizontalHeaderLabels({"#", "Test", "Electrodes or (TT/SI)", "Count"});
    makeRowCurrent(0);
}

void SequenceEditor::sizeGridColumns()
{
    const int w = roundEven(Twips::fromPixels(testSequenceGrid->width()) / 10.0);
    const int widths[] = {w, roundEven(1.7 * w), 5 * w, roundEven(1.5 * w)};
    for (int column = 0; column < 4; ++column)
        testSequenceGrid->setColumnWidth(column, Twips::toPixels(widths[column]));
}

int SequenceEditor::currentRow() const
{
    return testSequenceGrid->currentRow() + 1;
}

void SequenceEditor::makeRowCurrent(int row)
{
    if (row <= 0) {
        testSequenceGrid->setCurrentCell(-1, -1);
        testSequenceGrid->clearSelection();
        return;
    }
    const int column = std::max(testSequenceGrid->currentColumn(), 0);
    testSequenceGrid->setCurrentCell(row - 1, column);
    testSequenceGrid->selectRow(row - 1);
}

void SequenceEditor::testTypeChosen()
{
    paceRollGroup->hide();
    enableBiasControls(false);
    countComboBox->setEnabled(true);
    countComboBox->show();
    countLabel->show();
    paceDurationLabel->hide();
    paceDurationComboBox->hide();

    const QString type = testTypeComboBox->currentText();
    if (type == "BIAS")
        enableBiasControls(true);
    if (isPace(type)) {
        NumberList::select(countComboBox, 1);
        countComboBox->setEnabled(false);
        countComboBox->hide();
        countLabel->hide();
        paceDurationLabel->show();
        paceDurationComboBox->show();
        if (m_mainForm.checkZAMO24())
            paceRollGroup->show();
    }
}

void SequenceEditor::enableBiasControls(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{biasGroup, testTimeLabel, sampleIntervalLabel,
                                                            testTimeComboBox, sampleIntervalComboBox})
        control->setEnabled(enabled);
}

void SequenceEditor::applyControlsTo(testlists::TestStep& step, const QString& selection) const
{
    step.initByParams(testTypeComboBox->currentText(), NumberList::selected(countComboBox), selection,
                      NumberList::selected(testTimeComboBox), NumberList::selected(sampleIntervalComboBox),
                      paceRollPromptCheckBox->isChecked(), NumberList::selected(paceDurationComboBox),
                      concurrentRollCheckBox->isChecked());
}

void SequenceEditor::insertRow()
{
    const QString selection = m_mainForm.testLists().buildElectrodeString(true);
    if (selection == "None") {
        showWarning("No Electrodes Specified.", "Error");
        return;
    }
    auto step = std::make_shared<testlists::TestStep>();
    applyControlsTo(*step, selection);
    m_workingList.append(step);
    updateTestSequenceList();
    enableBiasControls(false);
}

void SequenceEditor::setEditing(int position)
{
    m_editPosition = qint16(position);
    insertButton->setEnabled(position < 0);
    saveEditButton->setEnabled(position >= 0);
    cancelEditButton->setEnabled(position >= 0);
}

void SequenceEditor::editRow()
{
    const int row = currentRow();
    if (row < 1 || row > m_workingList.size())
        return;
    setEditing(row);
    loadRowIntoEditor(*m_workingList[row - 1]);
}

void SequenceEditor::loadRowIntoEditor(const testlists::TestStep& step)
{
    // A value that its list does not hold (a type of the other unit mode, a
    // count above 1000, a BIAS time above 165 h) leaves that list as it is.
    const bool bias = step.testType() == "BIAS";
    enableBiasControls(bias);
    if (bias) {
        NumberList::select(testTimeComboBox, step.biasTestTime());
        NumberList::select(sampleIntervalComboBox, step.biasSampleTime());
    }
    {
        const QSignalBlocker quiet(testTypeComboBox);
        const int type = testTypeComboBox->findText(step.testType());
        if (type >= 0)
            testTypeComboBox->setCurrentIndex(type);
    }
    testTypeChosen();
    NumberList::select(countComboBox, step.testCount());
    if (isPace(step.testType()) && !NumberList::select(paceDurationComboBox, step.paceTestTime()))
        paceDurationComboBox->setCurrentIndex(0);
    paceRollPromptCheckBox->setChecked(step.showPaceRollPrompt());
    concurrentRollCheckBox->setChecked(step.concurrentPaceRollPrompt());
}

void SequenceEditor::saveEdit()
{
    // The edit ends when the steps are replaced or removed; a position that
    // names no step changes nothing.
    if (m_editPosition >= 1 && m_editPosition <= m_workingList.size())
        applyControlsTo(*m_workingList[m_editPosition - 1], m_mainForm.testLists().buildElectrodeString(true));
    setEditing(-1);
    updateTestSequenceList();
}

void SequenceEditor::cancelEdit()
{
    setEditing(-1);
}

void SequenceEditor::moveStep(int from, int to)
{
    m_workingList.move(from - 1, to - 1);
    updateTestSequenceList();
    makeRowCurrent(to);
}

void SequenceEditor::moveRowUp()
{
    const int row = currentRow();
    if (m_workingList.size() > 1 && row > 1 && row <= m_workingList.size())
        moveStep(row, row - 1);
}

void SequenceEditor::moveRowDown()
{
    const int row = currentRow();
    if (m_workingList.size() > 1 && row >= 1 && row < m_workingList.size())
        moveStep(row, row + 1);
}

void SequenceEditor::deleteRow()
{
    const int row = currentRow();
    if (row < 1 || row > m_workingList.size())
        return;
    const auto answer =
        platform::Prompts::instance().message(QString("Are you sure you want to delete test #%1?").arg(row),
                                              "Delete Test", platform::MsgButtons::YesNo, platform::MsgIcon::None);
    if (answer != platform::MsgResult::Yes)
        return;
    testlists::TestList remaining = m_workingList;
    remaining.removeAt(row - 1);
    replaceWorkingList(remaining);
}

void SequenceEditor::clearAll()
{
    clearSequenceList();
}

void SequenceEditor::clearSequenceList()
{
    m_workingList.clear();
    setEditing(-1);
    resetGrid();
}

void SequenceEditor::replaceWorkingList(const testlists::TestList& steps)
{
    m_workingList = steps;
    setEditing(-1);
    updateTestSequenceList();
}

void SequenceEditor::loadFile()
{
    openSequenceFile();
}

void SequenceEditor::openSequenceFile()
{
    platform::FileDialogRequest request;
    request.title = "Open File";
    request.filter = SequenceFilter;
    const QString path = platform::Prompts::instance().openFile(request);
    if (path.isEmpty())
        return; // cancelled: the working list stays
    const run::SequenceFileFlags flags = run::SequenceFileFlags::forConnectedUnits(m_mainForm);
    testlists::TestList loaded;
    QList<testlists::SkippedLine> skipped;
    if (!testlists::readSequenceFile(path, loaded, flags.is80, flags.is80With24, &skipped)) {
        showWarning("The test sequence " + path + " cannot be read, or it is not for the connected units.",
                    config::DefaultMessageTitle);
        return;
    }
    if (!skipped.isEmpty())
        showWarning(testlists::skippedLinesMessage(path, skipped), config::DefaultMessageTitle);
    replaceWorkingList(loaded);
}

void SequenceEditor::saveCommand()
{
    saveSequenceFile();
}

void SequenceEditor::saveSequenceFile()
{
    if (m_workingList.isEmpty()) {
        showWarning("No data to save!", config::DefaultMessageTitle);
        return;
    }
    platform::FileDialogRequest request;
    request.title = "Save File";
    request.filter = SequenceFilter;
    request.defaultSuffix = "tsq";
    const QString path = platform::Prompts::instance().saveFile(request);
    if (path.isEmpty())
        return;
    const run::SequenceFileFlags flags = run::SequenceFileFlags::forConnectedUnits(m_mainForm);
    QString error;
    if (!testlists::writeSequenceFile(path, m_workingList, flags.is80, flags.is80With24, &error))
        showWarning("Unable to save the test sequence to " + path + ": " + error + ".", config::DefaultMessageTitle);
}

void SequenceEditor::loadStandardSequence()
{
    const QString selection = m_mainForm.testLists().buildElectrodeString(true);
    if (selection == "None") {
        showWarning("Default electrodes not defined!", "Error");
        return;
    }
    const bool zamo80 = m_mainForm.checkZAMOMode() == run::ConnectedUnitsMode::Zamo80;
    const testlists::StationTestLists& lists = m_mainForm.testLists();
    testlists::TestList steps = copySteps(zamo80 ? lists.standard80 : lists.standard);
    for (const auto& step : steps)
        step->initElectrodesByString(selection);
    replaceWorkingList(steps);
}

void SequenceEditor::saveStandardSequence()
{
    const run::SequenceFileFlags flags = run::SequenceFileFlags::forConnectedUnits(m_mainForm);
    const bool zamo80 = flags.is80 || flags.is80With24;
    testlists::TestList& standard = zamo80 ? m_mainForm.testLists().standard80 : m_mainForm.testLists().standard;
    const QString path = zamo80 ? m_mainForm.stationSettings().paths.standard80SequenceFile
                                : m_mainForm.stationSettings().paths.standardSequenceFile;
    standard = copySteps(m_workingList);
    QString error;
    if (!testlists::writeSequenceFile(path, standard, flags.is80, flags.is80With24, &error))
        showWarning("Unable to save the standard test sequence to " + path + ": " + error + ".",
                    config::DefaultMessageTitle);
}

void SequenceEditor::applyDefibChargeTime()
{
    // The time must fit the 16-bit setting as well as stay at most 600 s.
    const QString text = defibChargeTimeEdit->text();
    const std::optional<qint16> seconds = platform::Convert::toInt16(text);
    if (platform::Convert::isNumberNotAbove(text, MaxDefibChargeTime) && seconds) {
        config::StationSettings& settings = m_mainForm.stationSettings();
        settings.zamo80Delays.defibCharge = *seconds;
        if (!config::saveDefibCharge(settings.paths.settingsFile, settings.zamo80Delays))
            showWarning("Unable to save the defib charge time to " + settings.paths.settingsFile + ".",
                        config::DefaultMessageTitle);
    } else {
        platform::Prompts::instance().message("Invalid Defib Charge Time value!", config::DefaultMessageTitle,
                                              platform::MsgButtons::Ok, platform::MsgIcon::None);
    }
    defibChargeTimeEdit->setText(QString::number(m_mainForm.stationSettings().zamo80Delays.defibCharge));
}

void SequenceEditor::resetDefibChargeTime()
{
    defibChargeTimeEdit->setText(QString::number(m_mainForm.stationSettings().zamo80Delays.defibCharge));
}

void SequenceEditor::acceptEntries()
{
    testlists::TestList& active = m_mainForm.testLists().active;
    active.clear();
    active.append(m_workingList);
    m_mainForm.updateTestSequenceList();
    accept();
}

void SequenceEditor::cancel()
{
    reject();
}

void SequenceEditor::showWarning(const QString& text, const QString& title)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

} // namespace ui
