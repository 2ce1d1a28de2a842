#include "ui/editors/SequenceEditor.h"

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "run/UnitMode.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/SequenceFile.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestList.h"
#include "testlists/TestListRows.h"
#include "ui/common/CloseGuard.h"
#include "ui/common/Twips.h"
#include "ui/editors/NumberList.h"
#include "ui/testwindow/TestWindowCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <cmath>

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

TestSequenceEditorForm::TestSequenceEditorForm(MainFormServices& mainForm, QWidget* parent)
    : QDialog(parent), m_mainForm(mainForm)
{
    setObjectName("TestSequenceEditorForm");
    setWindowTitle("Test Sequence Editor");
    setModal(true);
    BuildControls();
    InitializeEditor();
}

void TestSequenceEditorForm::InitializeEditor()
{
    NumberList::Fill(TestTimeComboBox, 1, 165);
    NumberList::Select(TestTimeComboBox, 8);
    NumberList::Fill(SampleIntervalComboBox, 1, 60);
    NumberList::Select(SampleIntervalComboBox, 30);

    const bool zamo80 = m_mainForm.CheckZAMOMode() == ConnectedUnitsMode::Zamo80;
    BiasFrame->setVisible(!zamo80);
    PaceRollFrame->setVisible(false);
    DefibChargeFrame->setVisible(zamo80);
    if (zamo80)
        txtDefibChargeTime->setText(QString::number(m_mainForm.Settings().zamo80Delays.defibCharge));

    NumberList::Fill(CountComboBox, 1, 1000);
    NumberList::Select(CountComboBox, 1);
    NumberList::Fill(PaceDurationComboBox, 20, 90);
    if (!NumberList::Select(PaceDurationComboBox, m_mainForm.Settings().pace.paceDuration))
        PaceDurationComboBox->setCurrentIndex(0);

    {
        const QSignalBlocker quiet(TestTypeComboBox);
        TestTypeComboBox->clear();
        TestTypeComboBox->addItems(zamo80 ? Zamo80Types : BaseModelTypes);
        TestTypeComboBox->setCurrentIndex(0);
    }
    TestTypeComboBox_Click();

    m_workingList = CopySteps(Globals::ActiveTestList);
    SetEditing(-1);
    UpdateTestSequenceList();
    EnableBiasControls(false);
}

void TestSequenceEditorForm::UpdateTestSequenceList()
{
    const QString selection = modMain::BuildElectrodeString(true);
    ResetGrid();
    TestSequenceFlexGrid->setRowCount(int(m_workingList.size()));
    for (int n = 1; n <= m_workingList.size(); ++n) {
        clsTestSequence& step = *m_workingList[n - 1];
        step.InitElectrodesByString(selection);
        const QString texts[] = {QString::number(n), step.TestType(),
                                 TestListRows::ElectrodesText(step, selection),
                                 TestListRows::CountText(step)};
        for (int column = 0; column < 4; ++column)
            TestSequenceFlexGrid->setItem(n - 1, column, new QTableWidgetItem(texts[column]));
    }
    MakeRowCurrent(0);
}

void TestSequenceEditorForm::ResetGrid()
{
    TestSequenceFlexGrid->clearContents();
    TestSequenceFlexGrid->setRowCount(0);
    SizeGridColumns();
    TestSequenceFlexGrid->setHorizontalHeaderLabels({"#", "Test", "Electrodes or (TT/SI)", "Count"});
    MakeRowCurrent(0);
}

void TestSequenceEditorForm::SizeGridColumns()
{
    const int w = roundEven(Twips::fromPixels(TestSequenceFlexGrid->width()) / 10.0);
    const int widths[] = {w, roundEven(1.7 * w), 5 * w, roundEven(1.5 * w)};
    for (int column = 0; column < 4; ++column)
        TestSequenceFlexGrid->setColumnWidth(column, Twips::toPixels(widths[column]));
}

int TestSequenceEditorForm::CurrentRow() const
{
    return TestSequenceFlexGrid->currentRow() + 1;
}

void TestSequenceEditorForm::MakeRowCurrent(int row)
{
    if (row <= 0) {
        TestSequenceFlexGrid->setCurrentCell(-1, -1);
        TestSequenceFlexGrid->clearSelection();
        return;
    }
    const int column = std::max(TestSequenceFlexGrid->currentColumn(), 0);
    TestSequenceFlexGrid->setCurrentCell(row - 1, column);
    TestSequenceFlexGrid->selectRow(row - 1);
}

void TestSequenceEditorForm::TestTypeComboBox_Click()
{
    PaceRollFrame->hide();
    EnableBiasControls(false);
    CountComboBox->setEnabled(true);
    CountComboBox->show();
    lblCount->show();
    lblPaceDuration->hide();
    PaceDurationComboBox->hide();

    const QString type = TestTypeComboBox->currentText();
    if (type == "BIAS")
        EnableBiasControls(true);
    if (isPace(type)) {
        NumberList::Select(CountComboBox, 1);
        CountComboBox->setEnabled(false);
        CountComboBox->hide();
        lblCount->hide();
        lblPaceDuration->show();
        PaceDurationComboBox->show();
        if (m_mainForm.CheckZAMO24())
            PaceRollFrame->show();
    }
}

void TestSequenceEditorForm::EnableBiasControls(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             BiasFrame, TTLabel, SILabel, TestTimeComboBox, SampleIntervalComboBox})
        control->setEnabled(enabled);
}

void TestSequenceEditorForm::ApplyControlsTo(clsTestSequence& step, const QString& selection) const
{
    step.InitByParams(TestTypeComboBox->currentText(), NumberList::Selected(CountComboBox), selection,
                      NumberList::Selected(TestTimeComboBox),
                      NumberList::Selected(SampleIntervalComboBox),
                      PaceRollPromptCheckBox->isChecked(), NumberList::Selected(PaceDurationComboBox),
                      ConcurrentRollCheckBox->isChecked());
}

void TestSequenceEditorForm::InsertButton_Click()
{
    const QString selection = modMain::BuildElectrodeString(true);
    if (selection == "None") {
        ShowWarning("No Electrodes Specified.", "Error");
        return;
    }
    auto step = std::make_shared<clsTestSequence>();
    ApplyControlsTo(*step, selection);
    m_workingList.append(step);
    UpdateTestSequenceList();
    EnableBiasControls(false);
}

void TestSequenceEditorForm::SetEditing(int position)
{
    m_editPosition = qint16(position);
    InsertButton->setEnabled(position < 0);
    SaveEditButton->setEnabled(position >= 0);
    CancelEditButton->setEnabled(position >= 0);
}

void TestSequenceEditorForm::TestSequenceFlexGrid_DblClick()
{
    const int row = CurrentRow();
    if (row < 1 || row > m_workingList.size())
        return;
    SetEditing(row);
    LoadRowIntoEditor(*m_workingList[row - 1]);
}

void TestSequenceEditorForm::LoadRowIntoEditor(const clsTestSequence& step)
{
    // A value that its list does not hold (a type of the other unit mode, a
    // count above 1000, a BIAS time above 165 h) leaves that list as it is.
    const bool bias = step.TestType() == "BIAS";
    EnableBiasControls(bias);
    if (bias) {
        NumberList::Select(TestTimeComboBox, step.BiasTestTime());
        NumberList::Select(SampleIntervalComboBox, step.BiasSampleTime());
    }
    {
        const QSignalBlocker quiet(TestTypeComboBox);
        const int type = TestTypeComboBox->findText(step.TestType());
        if (type >= 0)
            TestTypeComboBox->setCurrentIndex(type);
    }
    TestTypeComboBox_Click();
    NumberList::Select(CountComboBox, step.TestCount());
    if (isPace(step.TestType()) && !NumberList::Select(PaceDurationComboBox, step.PaceTestTime()))
        PaceDurationComboBox->setCurrentIndex(0);
    PaceRollPromptCheckBox->setChecked(step.ShowPaceRollPrompt());
    ConcurrentRollCheckBox->setChecked(step.ConcurrentPaceRollPrompt());
}

void TestSequenceEditorForm::SaveEditButton_Click()
{
    // The edit ends when the steps are replaced or removed; a position that
    // names no step changes nothing.
    if (m_editPosition >= 1 && m_editPosition <= m_workingList.size())
        ApplyControlsTo(*m_workingList[m_editPosition - 1], modMain::BuildElectrodeString(true));
    SetEditing(-1);
    UpdateTestSequenceList();
}

void TestSequenceEditorForm::CancelEditButton_Click()
{
    SetEditing(-1);
}

void TestSequenceEditorForm::MoveStep(int from, int to)
{
    m_workingList.move(from - 1, to - 1);
    UpdateTestSequenceList();
    MakeRowCurrent(to);
}

void TestSequenceEditorForm::MoveUpImageButton_Click()
{
    const int row = CurrentRow();
    if (m_workingList.size() > 1 && row > 1 && row <= m_workingList.size())
        MoveStep(row, row - 1);
}

void TestSequenceEditorForm::MoveDownImageButton_Click()
{
    const int row = CurrentRow();
    if (m_workingList.size() > 1 && row >= 1 && row < m_workingList.size())
        MoveStep(row, row + 1);
}

void TestSequenceEditorForm::DeleteRowImageButton_Click()
{
    const int row = CurrentRow();
    if (row < 1 || row > m_workingList.size())
        return;
    const auto answer = platform::Prompts::instance().message(
        QString("Are you sure you want to delete test #%1?").arg(row), "Delete Test",
        platform::MsgButtons::YesNo, platform::MsgIcon::None);
    if (answer != platform::MsgResult::Yes)
        return;
    TestList remaining = m_workingList;
    remaining.removeAt(row - 1);
    ReplaceWorkingList(remaining);
}

void TestSequenceEditorForm::ClearAllButton_Click()
{
    ClearSequenceList();
}

void TestSequenceEditorForm::ClearSequenceList()
{
    m_workingList.clear();
    SetEditing(-1);
    ResetGrid();
}

void TestSequenceEditorForm::ReplaceWorkingList(const TestList& steps)
{
    m_workingList = steps;
    SetEditing(-1);
    UpdateTestSequenceList();
}

void TestSequenceEditorForm::LoadButton_Click()
{
    OpenSequenceFile();
}

void TestSequenceEditorForm::OpenSequenceFile()
{
    platform::FileDialogRequest request;
    request.title = "Open File";
    request.filter = SequenceFilter;
    const QString path = platform::Prompts::instance().openFile(request);
    if (path.isEmpty())
        return;   // cancelled: the working list stays
    const SequenceFileFlags flags = SequenceFileFlags::ForConnectedUnits(m_mainForm);
    TestList loaded;
    if (!modFileFormats::ReadSequenceFile(path, loaded, flags.is80, flags.is80With24)) {
        ShowWarning("The test sequence " + path +
                        " cannot be read, or it is not for the connected units.",
                    modMain::DefaultMessageTitle);
        return;
    }
    ReplaceWorkingList(loaded);
}

void TestSequenceEditorForm::SaveCommand_Click()
{
    SaveSequenceFile();
}

void TestSequenceEditorForm::SaveSequenceFile()
{
    if (m_workingList.isEmpty()) {
        ShowWarning("No data to save!", modMain::DefaultMessageTitle);
        return;
    }
    platform::FileDialogRequest request;
    request.title = "Save File";
    request.filter = SequenceFilter;
    request.defaultSuffix = "tsq";
    const QString path = platform::Prompts::instance().saveFile(request);
    if (path.isEmpty())
        return;
    const SequenceFileFlags flags = SequenceFileFlags::ForConnectedUnits(m_mainForm);
    QString error;
    if (!modFileFormats::WriteSequenceFile(path, m_workingList, flags.is80, flags.is80With24, &error))
        ShowWarning("Unable to save the test sequence to " + path + ": " + error + ".", modMain::DefaultMessageTitle);
}

void TestSequenceEditorForm::LoadStandardSequenceButton_Click()
{
    const QString selection = modMain::BuildElectrodeString(true);
    if (selection == "None") {
        ShowWarning("Default electrodes not defined!", "Error");
        return;
    }
    const bool zamo80 = m_mainForm.CheckZAMOMode() == ConnectedUnitsMode::Zamo80;
    TestList steps = CopySteps(zamo80 ? Globals::Standard80TestList : Globals::StandardTestList);
    for (const auto& step : steps)
        step->InitElectrodesByString(selection);
    ReplaceWorkingList(steps);
}

void TestSequenceEditorForm::SaveStandardSequenceButton_Click()
{
    const SequenceFileFlags flags = SequenceFileFlags::ForConnectedUnits(m_mainForm);
    const bool zamo80 = flags.is80 || flags.is80With24;
    TestList& standard = zamo80 ? Globals::Standard80TestList : Globals::StandardTestList;
    const QString path =
        zamo80 ? m_mainForm.Settings().paths.standard80SequenceFile : m_mainForm.Settings().paths.standardSequenceFile;
    standard = CopySteps(m_workingList);
    QString error;
    if (!modFileFormats::WriteSequenceFile(path, standard, flags.is80, flags.is80With24, &error))
        ShowWarning("Unable to save the standard test sequence to " + path + ": " + error + ".",
                    modMain::DefaultMessageTitle);
}

void TestSequenceEditorForm::cmdApplyDefibChargeTime_Click()
{
    // The time must fit the 16-bit setting as well as stay at most 600 s.
    const QString text = txtDefibChargeTime->text();
    const std::optional<qint16> seconds = platform::Convert::toInt16(text);
    if (platform::Convert::isNumberNotAbove(text, MaxDefibChargeTime) && seconds) {
        config::StationSettings& settings = m_mainForm.Settings();
        settings.zamo80Delays.defibCharge = *seconds;
        if (!config::saveDefibCharge(settings.paths.settingsFile, settings.zamo80Delays))
            ShowWarning("Unable to save the defib charge time to " + settings.paths.settingsFile + ".",
                        modMain::DefaultMessageTitle);
    } else {
        platform::Prompts::instance().message("Invalid Defib Charge Time value!",
                                              modMain::DefaultMessageTitle,
                                              platform::MsgButtons::Ok, platform::MsgIcon::None);
    }
    txtDefibChargeTime->setText(QString::number(m_mainForm.Settings().zamo80Delays.defibCharge));
}

void TestSequenceEditorForm::cmdResetDefibChargeTime_Click()
{
    txtDefibChargeTime->setText(QString::number(m_mainForm.Settings().zamo80Delays.defibCharge));
}

void TestSequenceEditorForm::OKButton_Click()
{
    Globals::ActiveTestList.clear();
    Globals::ActiveTestList.append(m_workingList);
    m_mainForm.UpdateTestSequenceList();
    accept();
}

void TestSequenceEditorForm::CancelButton_Click()
{
    reject();
}

void TestSequenceEditorForm::ShowWarning(const QString& text, const QString& title)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok,
                                          platform::MsgIcon::Warning);
}
