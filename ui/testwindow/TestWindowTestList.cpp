// TestWindow: the run commands it forwards, the test lists and their files.
#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "testlists/SequenceFile.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestList.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/PaceRollPromptWindow.h"
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

namespace ui {

namespace {

const QString kFilter = QStringLiteral("Test Sequence Files (*.tsq);;All Files (*)");

void tell(const QString& text, const QString& title = config::StationText::appTitle(),
          platform::MsgIcon icon = platform::MsgIcon::None)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, icon);
}

// Reads the file into list; the operator hears of lines left out of it.
void readListTellingSkipped(const QString& file, testlists::TestList& list, bool is80, bool is80With24)
{
    QList<testlists::SkippedLine> skipped;
    testlists::readSequenceFile(file, list, is80, is80With24, &skipped);
    if (!skipped.isEmpty())
        tell(testlists::skippedLinesMessage(file, skipped), config::StationText::appTitle(),
             platform::MsgIcon::Warning);
}

} // namespace

void TestWindow::startFirstTestSequence(bool showTestDetailsForm)
{
    m_runController.sequencer().startFirstTestSequence(showTestDetailsForm);
}

void TestWindow::stopTests()
{
    m_runController.sequencer().stopTests();
}

void TestWindow::runBiasTest()
{
    if (m_runController.prepareBiasTest() && m_windows.biasTestParameters)
        m_windows.biasTestParameters();
}

void TestWindow::runACZ30Zero()
{
    m_runController.runAcz30Zero();
}

void TestWindow::runNoiseTest()
{
    m_runController.runNoiseTest();
}

void TestWindow::openSequenceEditor()
{
    if (m_windows.testSequenceEditor)
        m_windows.testSequenceEditor();
}

// ---------------------------------------------------------------- lists and files

void TestWindow::clearTestList()
{
    testLists().active.clear();
    m_testListPanel->clearList();
}

void TestWindow::updateTestSequenceList()
{
    m_testListPanel->showList(testLists().active, testLists().buildElectrodeString(true));
}

void TestWindow::loadConsecutiveList(int n)
{
    loadTestSequenceFile(n == 1 ? state().lists.consecutive1 : state().lists.consecutive2, n);
}

// The open dialog; a cancelled dialog still holds the file chosen last.
QString TestWindow::askForSequenceFile()
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

void TestWindow::loadTestSequenceFile(testlists::TestList& list, int n)
{
    const QString file = askForSequenceFile();
    if (!file.isEmpty()) {
        const bool mode80 = checkZAMOMode() == run::ConnectedUnitsMode::Zamo80;
        const bool single24 = mode80 && checkZAMO24();
        readListTellingSkipped(file, list, mode80 && !single24, single24);
    }
    if (list.isEmpty()) {
        tell(QStringLiteral("Error loading TSQ file!"));
        return;
    }
    m_testListPanel->showLoadedFile(n, file, list.size());
}

void TestWindow::loadTestSequence()
{
    if (testRunning())
        return;
    const QString file = askForSequenceFile();
    clearTestList();
    if (!file.isEmpty())
        readListTellingSkipped(file, testLists().active, checkZAMOMode() == run::ConnectedUnitsMode::Zamo80,
                               checkZAMO24());
    updateTestSequenceList();
}

void TestWindow::saveTestSequence()
{
    if (testRunning())
        return;
    if (testLists().active.isEmpty()) {
        tell(QStringLiteral("No data to save!"), config::StationText::appTitle(), platform::MsgIcon::Warning);
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
    if (!testlists::writeSequenceFile(file, testLists().active, checkZAMOMode() == run::ConnectedUnitsMode::Zamo80,
                                      checkZAMO24(), &error))
        tell(QStringLiteral("Unable to save the test sequence to ") + file + QStringLiteral(": ") + error
                 + QStringLiteral("."),
             config::StationText::appTitle(), platform::MsgIcon::Warning);
}

// ---------------------------------------------------------------- other controls

void TestWindow::connectUnit(int n)
{
    for (int u = 1; u <= 2; ++u) {
        if (n >= 1 && u != n)
            continue;
        unit::Unit* unit = unitAt(u);
        if (unit && !unit->connected())
            unit->openDevice();
    }
}

void TestWindow::enableTestControls()
{
    // During a Run the Edit and run controls stay as the run set them; the
    // run's end gives them back.
    if (testRunning()) {
        m_testControlsPending = true;
        return;
    }
    m_testControlsPending = false;
    m_testControlsEnabled = true;
    m_testListPanel->setTestButtonsEnabled(true);
    setItemEnabled(m_frame.configureTestSequenceAction, true);
    setItemEnabled(m_frame.testsMenu, true);
}

void TestWindow::disableTestControls()
{
    m_testControlsPending = false;
    m_testControlsEnabled = false;
    m_testListPanel->setTestButtonsEnabled(false);
    setItemEnabled(m_frame.configureTestSequenceAction, false);
    setItemEnabled(m_frame.testsMenu, false);
}

void TestWindow::setItemEnabled(QAction* item, bool enabled)
{
    if (item)
        item->setEnabled(enabled);
}

void TestWindow::advanceClock()
{
    sequencer().schedule().setElapsedSeconds(platform::Convert::toInt32(m_statusPanel->advanceClockText()).value_or(0));
    state().startPhase = false;
}

// ---------------------------------------------------------------- RunHost

void TestWindow::updateProgress(int value, int maximum)
{
    QProgressBar* bar = m_frame.progressBar;
    if (!bar)
        return;
    if (maximum > 1) {
        bar->setMaximum(maximum);
        if (value <= maximum)
            bar->setValue(value);
    } else {
        bar->setValue(0);
    }
}

void TestWindow::advanceProgress()
{
    QProgressBar* bar = m_frame.progressBar;
    if (bar && bar->value() + 1 <= bar->maximum())
        bar->setValue(bar->value() + 1);
}

void TestWindow::setCompletionCaption(const QString& caption)
{
    if (QLabel* label = m_frame.completionTimeLabel)
        label->setText(caption);
}

void TestWindow::setRunLockedControls(bool running)
{
    m_electrodePanel->setSaveAllowed(!running);
    if (running) {
        m_testListPanel->setEditEnabled(false);
        return;
    }
    if (m_testControlsPending)
        enableTestControls();
    else
        m_testListPanel->setEditEnabled(m_testControlsEnabled);
}

void TestWindow::showDischargeWarning()
{
    if (m_windows.dischargeWarning)
        m_windows.dischargeWarning();
}

void TestWindow::playTestsCompletedSound()
{
    if (m_windows.testsCompletedSound)
        m_windows.testsCompletedSound();
}

void TestWindow::showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt> prompt)
{
    (new ui::PaceRollPromptWindow(std::move(prompt), this))->show();
}

void TestWindow::rollChannel(qint16 channelIndex)
{
    if (m_windows.rollChannel)
        m_windows.rollChannel(channelIndex);
}

} // namespace ui
