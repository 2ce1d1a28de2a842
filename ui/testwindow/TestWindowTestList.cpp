// MainForm: the run commands it forwards, the test lists and their files.
#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/SequenceFile.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestList.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/StatusPanel.h"
#include "ui/testwindow/TestListPanel.h"
#include "ui/testwindow/TestWindow.h"
#include "unit/Unit.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace {

const QString kFilter = QStringLiteral("Test Sequence Files (*.tsq);;All Files (*)");

void Tell(const QString& text, const QString& title = StationText::AppTitle(),
          platform::MsgIcon icon = platform::MsgIcon::None)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, icon);
}

} // namespace

void MainForm::StartFirstTestSequence(bool vShowTestDetailsForm)
{
    m_runController.sequencer().StartFirstTestSequence(vShowTestDetailsForm);
}

void MainForm::StopTests()
{
    m_runController.sequencer().StopTests();
}

void MainForm::RunBiasTest()
{
    if (m_runController.prepareBiasTest() && m_windows.BiasTestParameters)
        m_windows.BiasTestParameters();
}

void MainForm::RunACZ30Zero()
{
    m_runController.runAcz30Zero();
}

void MainForm::RunNoiseTest()
{
    m_runController.runNoiseTest();
}

void MainForm::cmdEditTestList_Click()
{
    if (m_windows.TestSequenceEditor)
        m_windows.TestSequenceEditor();
}

// ---------------------------------------------------------------- lists and files

void MainForm::ClearTestList()
{
    Globals::ActiveTestList.clear();
    m_testListPanel->clearList();
}

void MainForm::UpdateTestSequenceList()
{
    m_testListPanel->showList(Globals::ActiveTestList);
}

void MainForm::loadConsecutiveList(int n)
{
    LoadTestSequenceFile(n == 1 ? State().lists.consecutive1 : State().lists.consecutive2, n);
}

// The open dialog; a cancelled dialog still holds the file chosen last.
QString MainForm::AskForSequenceFile()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Open File");
    request.filter = kFilter;
    request.fileName = m_lastSequenceFile;
    const QString chosen = platform::Prompts::instance().openFile(request);
    if (!chosen.isEmpty())
        m_lastSequenceFile = chosen;
    return m_lastSequenceFile;
}

void MainForm::LoadTestSequenceFile(TestList& list, int n)
{
    const QString file = AskForSequenceFile();
    if (!file.isEmpty()) {
        const bool mode80 = CheckZAMOMode() == ConnectedUnitsMode::Zamo80;
        const bool single24 = mode80 && CheckZAMO24();
        modFileFormats::ReadSequenceFile(file, list, mode80 && !single24, single24);
    }
    if (list.isEmpty()) {
        Tell(QStringLiteral("Error loading TSQ file!"));
        return;
    }
    m_testListPanel->showLoadedFile(n, file, list.size());
}

void MainForm::LoadTestSequence()
{
    if (pTestRunning())
        return;
    const QString file = AskForSequenceFile();
    ClearTestList();
    if (!file.isEmpty())
        modFileFormats::ReadSequenceFile(file, Globals::ActiveTestList, CheckZAMOMode() == ConnectedUnitsMode::Zamo80,
                                         CheckZAMO24());
    UpdateTestSequenceList();
}

void MainForm::SaveTestSequence()
{
    if (pTestRunning())
        return;
    if (Globals::ActiveTestList.isEmpty()) {
        Tell(QStringLiteral("No data to save!"), StationText::AppTitle(), platform::MsgIcon::Warning);
        return;
    }
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Save File");
    request.filter = QStringLiteral("Test Sequence Files (*.tsq);;All Files (*.*)");
    request.defaultSuffix = QStringLiteral("tsq");
    const QString file = platform::Prompts::instance().saveFile(request);
    if (file.isEmpty())
        return;
    // A file that was there stays as it was.
    QString error;
    if (!modFileFormats::WriteSequenceFile(file, Globals::ActiveTestList, CheckZAMOMode() == ConnectedUnitsMode::Zamo80,
                                           CheckZAMO24(), &error))
        Tell(QStringLiteral("Unable to save the test sequence to ") + file + QStringLiteral(": ") + error
                 + QStringLiteral("."),
             StationText::AppTitle(), platform::MsgIcon::Warning);
}

// ---------------------------------------------------------------- other controls

void MainForm::ConnectUnit(int n)
{
    for (int u = 1; u <= 2; ++u) {
        if (n >= 1 && u != n)
            continue;
        UnitLink* unit = Unit(u);
        if (unit && !unit->Connected())
            unit->OpenDevice();
    }
}

void MainForm::EnableTestControls()
{
    // During a run the Edit and Run controls stay as the run set them; the
    // run's end gives them back.
    if (pTestRunning()) {
        m_testControlsPending = true;
        return;
    }
    m_testControlsPending = false;
    m_testControlsEnabled = true;
    m_testListPanel->setTestButtonsEnabled(true);
    SetItemEnabled(m_frame.TestsConfigureTestSequence, true);
    SetItemEnabled(m_frame.MainTests, true);
}

void MainForm::DisableTestControls()
{
    m_testControlsPending = false;
    m_testControlsEnabled = false;
    m_testListPanel->setTestButtonsEnabled(false);
    SetItemEnabled(m_frame.TestsConfigureTestSequence, false);
    SetItemEnabled(m_frame.MainTests, false);
}

void MainForm::SetItemEnabled(QAction* item, bool enabled)
{
    if (item)
        item->setEnabled(enabled);
}

void MainForm::advanceClock()
{
    State().ElapsedSeconds = platform::Convert::toInt32(m_statusPanel->advanceClockText()).value_or(0);
    State().StartupFlag = false;
}

// ---------------------------------------------------------------- RunHost

void MainForm::UpdateProgress(int vValue, int vMaximum)
{
    QProgressBar* bar = m_frame.MainProgressBar;
    if (!bar)
        return;
    if (vMaximum > 1) {
        bar->setMaximum(vMaximum);
        if (vValue <= vMaximum)
            bar->setValue(vValue);
    } else {
        bar->setValue(0);
    }
}

void MainForm::AdvanceProgress()
{
    QProgressBar* bar = m_frame.MainProgressBar;
    if (bar && bar->value() + 1 <= bar->maximum())
        bar->setValue(bar->value() + 1);
}

void MainForm::SetCompletionCaption(const QString& caption)
{
    if (QLabel* label = m_frame.ExpectedCompletionTimeLabel)
        label->setText(caption);
}

void MainForm::SetRunLockedControls(bool vRunning)
{
    m_electrodePanel->setSaveAllowed(!vRunning);
    if (vRunning) {
        m_testListPanel->setEditEnabled(false);
        return;
    }
    if (m_testControlsPending)
        EnableTestControls();
    else
        m_testListPanel->setEditEnabled(m_testControlsEnabled);
}

void MainForm::ShowDischargeWarning()
{
    if (m_windows.DischargeWarning)
        m_windows.DischargeWarning();
}

void MainForm::PlayTestsCompletedSound()
{
    if (m_windows.TestsCompletedSound)
        m_windows.TestsCompletedSound();
}

void MainForm::RollChannel(qint16 vChannelIndex)
{
    if (m_windows.RollChannel)
        m_windows.RollChannel(vChannelIndex);
}
