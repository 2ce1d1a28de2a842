#include "ui/testwindow/TestWindow.h"

#include "config/Log.h"
#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "platform/Sounds.h"
#include "run/UnitMode.h"
#include "testlists/StationTestLists.h"
#include "ui/common/CloseGuard.h"
#include "ui/shell/StationReportActions.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/StatusWindow.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/StatusPanel.h"
#include "ui/testwindow/TestListPanel.h"
#include "unit/Unit.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TestWindow::TestWindow(config::StationSettings& settings, config::StationLog& log,
                       testlists::StationTestLists& testLists, StationWindows& stationWindows,
                       const std::array<unit::Unit*, 2>& units, QWidget* parent)
    : QWidget(parent),
      m_units(units),
      m_runController(*this, *this, settings, testLists, units, this),
      m_keepAlive(m_runController.sequencer().units(), m_runController.sequencer().state(),
                  m_runController.sequencer().services(), this),
      m_logRollover(log, m_runController.sequencer().stepTimer(), m_runController.sequencer().testClockTimer(), this),
      m_operatorLog(settings.switches)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("ZAMO Electrode Tests"));
    m_windows.endProgram = [] { platform::ProgramEnd::request(0); };
    m_windows.testsCompletedSound = [] { platform::playTestsCompletedSound(); };
    m_operatorLog.setDisplay([&stationWindows](const QString& line) {
        StatusWindow* status = stationWindows.statusWindow();
        status->trimCommText();
        status->addText(line);
    });
    services().reports =
        std::make_unique<TestWindowReportActions>(settings, stationWindows, [this] { return checkZAMOMode(); });
    buildFrameStandIns();
    buildControls();
    connectControls();
    testLists.setElectrodeCheckBoxSource([this] { return m_electrodePanel->boxStates(); });
}

TestWindow::~TestWindow()
{
    testLists().setElectrodeCheckBoxSource({});
}

unit::Unit* TestWindow::unitAt(int n) const
{
    return m_runController.sequencer().unitAt(n);
}

// ---------------------------------------------------------------- controls

void TestWindow::buildFrameStandIns()
{
    auto item = [this](const QString& name, const QString& text) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        return QPointer<QAction>(action);
    };
    for (int n = 1; n <= 2; ++n) {
        const QString unit = QString::number(n);
        m_frame.connectUnitActions[n] =
            item(QStringLiteral("ZamoUnitsConnect_") + unit, QStringLiteral("Connect Unit ") + unit);
        m_frame.connectSimulatorActions[n] =
            item(QStringLiteral("ZamoUnitsConnectSimulator_") + unit,
                 QStringLiteral("Connect Unit ") + unit + QStringLiteral(" Simulator"));
        m_frame.disconnectUnitActions[n] =
            item(QStringLiteral("ZamoUnitsDisconnect_") + unit, QStringLiteral("Disconnect Unit ") + unit);
    }
    m_frame.connectSignalGeneratorAction =
        item(QStringLiteral("ZamoUnitsConnectZamoSG"), QStringLiteral("Connect ZAMO-SG"));
    m_frame.disconnectSignalGeneratorAction =
        item(QStringLiteral("ZamoUnitsDisconnectZamoSG"), QStringLiteral("Disconnect ZAMO-SG"));
    m_frame.runBiasTestAction = item(QStringLiteral("TestsRunBiasTest"), QStringLiteral("Run BIAS Test"));
    m_frame.runAcz30ZeroAction = item(QStringLiteral("TestsRunACZ30Zero"), QStringLiteral("Run ACZ30 Zero"));
    m_frame.configureTestSequenceAction =
        item(QStringLiteral("TestsConfigureTestSequence"), QStringLiteral("Configure Test Sequence"));
    m_frame.testsMenu = item(QStringLiteral("MainTests"), QStringLiteral("Tests"));
    auto* bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("MainProgressBar"));
    bar->setRange(0, 1);
    bar->setValue(0);
    bar->hide();
    m_frame.progressBar = bar;
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("ExpectedCompletionTimeLabel"));
    label->hide();
    m_frame.completionTimeLabel = label;
}

void TestWindow::attachFrame(const FrameItems& items)
{
    // The frame's items keep the states the frame gave them at its load
    // (Disconnect and unit 2 disabled until a unit connects).
    auto take = [](QPointer<QAction>& mine, const QPointer<QAction>& theirs) {
        if (theirs)
            mine = theirs;
    };
    for (int n = 1; n <= 2; ++n) {
        take(m_frame.connectUnitActions[n], items.connectUnitActions[n]);
        take(m_frame.connectSimulatorActions[n], items.connectSimulatorActions[n]);
        take(m_frame.disconnectUnitActions[n], items.disconnectUnitActions[n]);
    }
    take(m_frame.connectSignalGeneratorAction, items.connectSignalGeneratorAction);
    take(m_frame.disconnectSignalGeneratorAction, items.disconnectSignalGeneratorAction);
    take(m_frame.runBiasTestAction, items.runBiasTestAction);
    take(m_frame.runAcz30ZeroAction, items.runAcz30ZeroAction);
    take(m_frame.configureTestSequenceAction, items.configureTestSequenceAction);
    take(m_frame.testsMenu, items.testsMenu);
    if (items.progressBar)
        m_frame.progressBar = items.progressBar;
    if (items.completionTimeLabel)
        m_frame.completionTimeLabel = items.completionTimeLabel;
}

void TestWindow::buildControls()
{
    m_statusPanel = new StatusPanel(this);
    m_testListPanel = new TestListPanel(this);
    m_electrodePanel = new ElectrodePanel(m_units, *this, stationSettings().paths, testLists(), this);
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(m_statusPanel);
    left->addWidget(m_testListPanel, 1);
    layout->addLayout(left, 3);
    layout->addWidget(m_electrodePanel, 2);
}

void TestWindow::placeUnitLinkView(int n, QWidget* view)
{
    m_statusPanel->placeUnitLinkView(n, view);
}

void TestWindow::connectControls()
{
    TestListPanel* list = m_testListPanel;
    connect(list->loadFileButton(1), &QPushButton::clicked, this, [this] { loadConsecutiveList(1); });
    connect(list->loadFileButton(2), &QPushButton::clicked, this, [this] { loadConsecutiveList(2); });
    connect(list->runButton(), &QPushButton::clicked, this,
            [this] { m_runController.runTestList(m_testListPanel->consecutiveListsChosen()); });
    connect(list->cancelButton(), &QPushButton::clicked, this, [this] { m_runController.cancelRun(); });
    connect(list->editButton(), &QPushButton::clicked, this, &TestWindow::openSequenceEditor);
    connect(list->standardSequenceButton(), &QPushButton::clicked, this,
            [this] { m_runController.runStandardSequence(); });
    connect(m_statusPanel->advanceClockButton(), &QPushButton::clicked, this, &TestWindow::advanceClock);
    connect(m_electrodePanel, &ElectrodePanel::selectionSaved, this, &TestWindow::updateTestSequenceList);
}

// ---------------------------------------------------------------- load

void TestWindow::load()
{
    ui::disableCloseMenu(this);
    m_runController.sequencer().clearConsecutiveLists();
    initMainForm();
    m_electrodePanel->markSaved();
    m_logRollover.start();
}

void TestWindow::initMainForm()
{
    m_testListPanel->clearList();
    const QString& settingsFile = stationSettings().paths.settingsFile;
    m_runController.sequencer().stepTimer().setInterval(config::readTestsTimerInterval(settingsFile));
    const int polling = config::readPollingInterval(settingsFile);
    for (int n = 1; n <= 2; ++n) {
        if (unit::Unit* unit = unitAt(n))
            unit->setPollingTimerInterval(qint16(polling));
    }
    m_statusPanel->setSignalGeneratorShown(stationSettings().signalGenerator.enabled);
    if (m_testListPanel->consecutiveListsChosen())
        m_testListPanel->showConsecutiveLists();
    else
        m_testListPanel->showSingleList();
    disableTestControls();
    applyElectrodeSelection();
    processCommandLine();
    m_statusPanel->setSimulatorShown(platform::CommandLine::text().contains(QStringLiteral("/vadov")));
}

void TestWindow::processCommandLine()
{
    const QString line = platform::CommandLine::text();
    if (line == QLatin1String("/rida1") || line == QLatin1String("/rida2")) {
        stationSettings().switches.showVerbose = true;
    } else if (line == QLatin1String("/vadov")) {
        stationSettings().switches.showVerbose = true;
        for (int n = 1; n <= 2; ++n) {
            if (unit::Unit* unit = unitAt(n))
                unit->enableSim();
        }
        m_statusPanel->showAdvanceClock();
    }
}

void TestWindow::applyElectrodeSelection()
{
    m_electrodePanel->applyDefaultSelection();
}

run::ConnectedUnitsMode TestWindow::checkZAMOMode() const
{
    return m_runController.sequencer().checkZAMOMode();
}

bool TestWindow::checkZAMO24() const
{
    return m_runController.sequencer().checkZAMO24();
}

// ---------------------------------------------------------------- shutdown

bool TestWindow::queryClose()
{
    if (!queryExit())
        return false;
    // Not under the feet of a database upkeep job: it stops, then the end.
    platform::ProgramEnd::endWhenFree([this] { unloadApplication(); });
    return true;
}

bool TestWindow::queryExit()
{
    if (exitingApplication || !testRunning())
        return true;
    const auto answer =
        platform::Prompts::instance().message(QStringLiteral("Are you sure you want to quit?"), QStringLiteral("Exit"),
                                              platform::MsgButtons::YesNo, platform::MsgIcon::Warning);
    if (answer != platform::MsgResult::Yes)
        return false;
    m_runController.cancelRun();
    return true;
}

void TestWindow::unloadApplication()
{
    // A run still going is cancelled, so that its group is not left open.
    m_runController.sequencer().stopTests();
    m_keepAlive.stop();
    m_logRollover.stop();
    services().database->closeDatabase();
    unloadOtherForms();
    hide();
    config::writeLog(QStringLiteral("Application Terminated"));
    endProgram();
}

void TestWindow::unloadOtherForms()
{
    const QWidget* own = window();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == own || w == this || w->objectName() == QLatin1String("ParentMDIForm"))
            continue;
        if (w->isVisible())
            w->close();
    }
}

void TestWindow::endProgram()
{
    if (m_windows.endProgram)
        m_windows.endProgram();
}

} // namespace ui
