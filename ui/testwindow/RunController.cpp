#include "ui/testwindow/RunController.h"

#include "config/Log.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestList.h"
#include "ui/testwindow/TestWindowCommands.h"
#include "unit/Unit.h"

namespace {

void Tell(const QString& text, const QString& title = StationText::AppTitle(),
          platform::MsgIcon icon = platform::MsgIcon::None)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, icon);
}

void TellAlreadyActive()
{
    Tell(QStringLiteral("Tests already active!  You must stop the active tests first."), StationText::AppTitle(),
         platform::MsgIcon::Warning);
}

void TellNoDatabase()
{
    Tell(QStringLiteral("Database not connected.  Aborting test."));
}

} // namespace

RunController::RunController(RunHost& host, MainFormServices& window, config::StationSettings& settings,
                             const std::array<UnitLink*, 2>& units, QObject* parent)
    : m_sequencer(host, settings, units, parent), m_window(window)
{
}

bool RunController::running() const
{
    return m_sequencer.State().pTestRunning;
}

bool RunController::openDatabase()
{
    return m_sequencer.Services().database->OpenDatabase(false);
}

// ---------------------------------------------------------------- starting a run

void RunController::runTestList(bool consecutiveLists)
{
    if (running()) {
        TellAlreadyActive();
        return;
    }
    if (consecutiveLists) {
        RunLists& lists = m_sequencer.State().lists;
        if (lists.consecutive1.isEmpty() || lists.consecutive2.isEmpty()) {
            Tell(QStringLiteral("Both Test Sequence Files must be loaded to start the tests."));
            return;
        }
        const QString sel = modMain::BuildElectrodeString(true);
        for (const auto& step : std::as_const(lists.consecutive1))
            step->InitElectrodesByString(sel);
        for (const auto& step : std::as_const(lists.consecutive2))
            step->InitElectrodesByString(sel);
        Globals::ActiveTestList = lists.consecutive1;
        m_sequencer.State().ConsecutiveListsMode = true;
        m_sequencer.State().SecondListRunning = false;
    } else {
        m_sequencer.ClearConsecutiveLists();
    }
    if (openDatabase())
        m_sequencer.StartFirstTestSequence(true);
    else
        TellNoDatabase();
}

void RunController::runStandardSequence()
{
    if (running()) {
        TellAlreadyActive();
        return;
    }
    if (!openDatabase()) {
        modMain::WriteLog(QStringLiteral("Database not defined.  Aborting test."));
        TellNoDatabase();
        return;
    }
    modMain::WriteLog(QStringLiteral("Executing standard test sequence"));
    QString sel = modMain::BuildElectrodeString(true);
    if (sel.isEmpty() || sel == QLatin1String("None")) {
        modMain::WriteLog(QStringLiteral("Default electrodes not defined."));
        Tell(QStringLiteral("Default electrodes not defined!"), QStringLiteral("Error"), platform::MsgIcon::Warning);
        return;
    }
    Globals::ActiveTestList.clear();
    if (sel.endsWith(QLatin1Char('.')))
        sel.chop(1);
    const ConnectedUnitsMode mode = m_sequencer.CheckZAMOMode();
    const TestList* standard = mode == ConnectedUnitsMode::Base     ? &Globals::StandardTestList
                               : mode == ConnectedUnitsMode::Zamo80 ? &Globals::Standard80TestList
                                                                    : nullptr;
    if (!standard)
        return;
    for (const auto& step : CopySteps(*standard)) {
        step->InitElectrodesByString(sel);
        Globals::ActiveTestList.append(step);
    }
    m_window.UpdateTestSequenceList();
    if (Globals::ActiveTestList.isEmpty()) {
        modMain::WriteLog(QStringLiteral("Standard test sequence not defined."));
        Tell(QStringLiteral("Standard test list not defined!"), QStringLiteral("Error"), platform::MsgIcon::Warning);
        return;
    }
    m_sequencer.ClearConsecutiveLists();
    m_sequencer.StartFirstTestSequence(true);
}

void RunController::runNoiseTest()
{
    if (!openDatabase()) {
        TellNoDatabase();
        return;
    }
    if (running()) {
        TellAlreadyActive();
        return;
    }
    m_window.ClearTestList();
    auto step = std::make_shared<clsTestSequence>();
    step->InitByParams(QStringLiteral("NOISE"), 1, modMain::BuildElectrodeString(true), 0, 0, false, 0, false);
    Globals::ActiveTestList.append(step);
    m_window.UpdateTestSequenceList();
    m_sequencer.ClearConsecutiveLists();
    m_sequencer.StartFirstTestSequence(true);
}

bool RunController::prepareBiasTest()
{
    if (m_sequencer.CheckZAMOMode() != ConnectedUnitsMode::Base)
        return false;
    if (running()) {
        TellAlreadyActive();
        return false;
    }
    if (!m_sequencer.AnyUnitConnected()) {
        Tell(QStringLiteral("No Connected ZAMO Units!"), QStringLiteral("Error"), platform::MsgIcon::Warning);
        return false;
    }
    if (!openDatabase()) {
        TellNoDatabase();
        return false;
    }
    m_sequencer.ClearConsecutiveLists();
    return true;
}

void RunController::runAcz30Zero()
{
    if (m_sequencer.CheckZAMOMode() != ConnectedUnitsMode::Zamo80)
        return;
    if (running()) {
        TellAlreadyActive();
        return;
    }
    UnitLink* unit1 = m_sequencer.Unit(1);
    if (!unit1 || !unit1->Connected())
        return;
    if (!openDatabase()) {
        TellNoDatabase();
        return;
    }
    m_sequencer.ClearConsecutiveLists();
    m_sequencer.PrepareRun();
    auto step = std::make_shared<clsTestSequence>();
    step->InitByParams(QStringLiteral("ACZ30ZERO"), 1, modMain::BuildElectrodeString(true), 0, 0, false, 0, false);
    m_sequencer.State().lists.running = TestList{step};
    m_sequencer.State().lists.expanded.clear();
    m_sequencer.State().lists.pace.clear();
    m_sequencer.State().ACZ30ZeroRun = true;
    m_sequencer.StartTest(step, false, false, true, true);
    if (!running())
        m_sequencer.State().ACZ30ZeroRun = false;
}

// A run is cancelled whether or not its units are still connected, so that
// its group is closed as cancelled.
void RunController::cancelRun()
{
    if (running())
        m_sequencer.StopTests();
}
