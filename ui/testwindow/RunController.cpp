#include "ui/testwindow/RunController.h"

#include "config/Log.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestList.h"
#include "ui/shell/TestWindowCommands.h"
#include "unit/Unit.h"

namespace ui {

namespace {

void tell(const QString& text, const QString& title = config::StationText::appTitle(),
          platform::MsgIcon icon = platform::MsgIcon::None)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, icon);
}

void tellAlreadyActive()
{
    tell(QStringLiteral("Tests already active!  You must stop the active tests first."),
         config::StationText::appTitle(), platform::MsgIcon::Warning);
}

void tellNoDatabase()
{
    tell(QStringLiteral("Database not connected.  Aborting test."));
}

} // namespace

RunController::RunController(run::RunHost& host, TestWindowServices& window, config::StationSettings& settings,
                             testlists::StationTestLists& testLists, const std::array<unit::Unit*, 2>& units,
                             QObject* parent)
    : m_sequencer(host, settings, testLists, units, parent), m_window(window)
{
}

bool RunController::running() const
{
    return m_sequencer.state().testRunning;
}

bool RunController::openDatabase()
{
    return m_sequencer.services().database->openDatabase(false);
}

// ---------------------------------------------------------------- starting a run

void RunController::runTestList(bool consecutiveLists)
{
    if (running()) {
        tellAlreadyActive();
        return;
    }
    if (consecutiveLists) {
        if (!m_sequencer.takeConsecutiveLists()) {
            tell(QStringLiteral("Both Test Sequence Files must be loaded to start the tests."));
            return;
        }
    } else {
        m_sequencer.clearConsecutiveLists();
    }
    if (openDatabase())
        m_sequencer.startFirstTestSequence(true);
    else
        tellNoDatabase();
}

void RunController::runStandardSequence()
{
    if (running()) {
        tellAlreadyActive();
        return;
    }
    if (!openDatabase()) {
        config::writeLog(QStringLiteral("Database not defined.  Aborting test."));
        tellNoDatabase();
        return;
    }
    config::writeLog(QStringLiteral("Executing standard test sequence"));
    testlists::StationTestLists& lists = m_sequencer.testLists();
    QString sel = lists.buildElectrodeString(true);
    if (sel.isEmpty() || sel == QLatin1String("None")) {
        config::writeLog(QStringLiteral("Default electrodes not defined."));
        tell(QStringLiteral("Default electrodes not defined!"), QStringLiteral("Error"), platform::MsgIcon::Warning);
        return;
    }
    lists.active.clear();
    if (sel.endsWith(QLatin1Char('.')))
        sel.chop(1);
    const run::ConnectedUnitsMode mode = m_sequencer.checkZAMOMode();
    const testlists::TestList* standard = mode == run::ConnectedUnitsMode::Base     ? &lists.standard
                                          : mode == run::ConnectedUnitsMode::Zamo80 ? &lists.standard80
                                                                                    : nullptr;
    if (!standard)
        return;
    for (const auto& step : copySteps(*standard)) {
        step->initElectrodesByString(sel);
        lists.active.append(step);
    }
    m_window.updateTestSequenceList();
    if (lists.active.isEmpty()) {
        config::writeLog(QStringLiteral("Standard test sequence not defined."));
        tell(QStringLiteral("Standard test list not defined!"), QStringLiteral("Error"), platform::MsgIcon::Warning);
        return;
    }
    m_sequencer.clearConsecutiveLists();
    m_sequencer.startFirstTestSequence(true);
}

void RunController::runNoiseTest()
{
    if (!openDatabase()) {
        tellNoDatabase();
        return;
    }
    if (running()) {
        tellAlreadyActive();
        return;
    }
    m_window.clearTestList();
    auto step = std::make_shared<testlists::TestStep>();
    testlists::StationTestLists& lists = m_sequencer.testLists();
    step->initByParams(QStringLiteral("NOISE"), 1, lists.buildElectrodeString(true), 0, 0, false, 0, false);
    lists.active.append(step);
    m_window.updateTestSequenceList();
    m_sequencer.clearConsecutiveLists();
    m_sequencer.startFirstTestSequence(true);
}

bool RunController::prepareBiasTest()
{
    if (m_sequencer.checkZAMOMode() != run::ConnectedUnitsMode::Base)
        return false;
    if (running()) {
        tellAlreadyActive();
        return false;
    }
    if (!m_sequencer.anyUnitConnected()) {
        tell(QStringLiteral("No Connected ZAMO Units!"), QStringLiteral("Error"), platform::MsgIcon::Warning);
        return false;
    }
    if (!openDatabase()) {
        tellNoDatabase();
        return false;
    }
    m_sequencer.clearConsecutiveLists();
    return true;
}

void RunController::runAcz30Zero()
{
    if (m_sequencer.checkZAMOMode() != run::ConnectedUnitsMode::Zamo80)
        return;
    if (running()) {
        tellAlreadyActive();
        return;
    }
    unit::Unit* unit1 = m_sequencer.unitAt(1);
    if (!unit1 || !unit1->connected())
        return;
    if (!openDatabase()) {
        tellNoDatabase();
        return;
    }
    m_sequencer.startAcz30ZeroRun();
}

// A run is cancelled whether or not its units are still connected, so that
// its group is closed as cancelled.
void RunController::cancelRun()
{
    if (running())
        m_sequencer.stopTests();
}

} // namespace ui
