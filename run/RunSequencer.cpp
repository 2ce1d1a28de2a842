#include "run/RunSequencer.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "run/CancelReason.h"
#include "run/ChannelBitString.h"
#include "run/CompletionEstimate.h"
#include "run/EndOfRunReports.h"
#include "run/IgnoreErrors.h"
#include "run/IntervalTestClock.h"
#include "run/ReadingHandlers.h"
#include "run/RunHost.h"
#include "run/UnitMode.h"
#include "testlists/StationTestLists.h"
#include "unit/Unit.h"

#include <exception>

namespace run {

namespace {

bool isPace(const QString& type)
{
    return type == QLatin1String("PACE1") || type == QLatin1String("PACE2");
}

void showWarning(const QString& text, const QString& title)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

} // namespace

RunSequencer::RunSequencer(RunHost& host, config::StationSettings& settings, testlists::StationTestLists& testLists,
                           const std::array<unit::Unit*, 2>& units, QObject* parent)
    : QObject(parent),
      m_host(host),
      m_settings(settings),
      m_testLists(testLists),
      m_units(units),
      m_charge([this](UnitIndex unit) { return unitAt(unit); }, [this](const QString& line) { log(line); },
               [this](const QString& failLine) { cancelRun(CancelReason::chargeFailed(failLine)); }),
      m_services(m_state, m_schedule)
{
    m_stepTimer.setInterval(2000);
    m_testClockTimer.setInterval(1000);
    connect(&m_stepTimer, &platform::Timer::timeout, this, &RunSequencer::sequenceTick);
    connect(&m_testClockTimer, &platform::Timer::timeout, this, &RunSequencer::intervalTick);
    m_services.clock = std::make_unique<IntervalTestClock>(m_units, m_state, m_schedule, m_charge, m_settings,
                                                           [this](const CancelReason& reason) { cancelRun(reason); });
    m_services.zamo80 = std::make_unique<Zamo80RunPlan>(m_units, m_state, m_schedule, m_services, m_settings,
                                                        m_testLists, host, [this] { stopTests(); });
    m_services.results = std::make_unique<ResultHandlers>(m_units, m_state, m_schedule, m_charge, m_aclgSums,
                                                          *m_services.zamo80, m_services, m_settings, host);
}

ConnectedUnitsMode RunSequencer::checkZAMOMode() const
{
    return m_units.mode();
}
bool RunSequencer::checkZAMO24() const
{
    return m_units.zamo24();
}

bool RunSequencer::anyUnitConnected() const
{
    return m_units.anyConnected();
}

void RunSequencer::log(const QString& line)
{
    m_host.writeToCommTextBox(line, true, false);
}

void RunSequencer::clearConsecutiveLists()
{
    m_state.consecutiveListsMode = false;
    m_state.secondListRunning = false;
}

bool RunSequencer::takeConsecutiveLists()
{
    RunLists& lists = m_state.lists;
    if (lists.consecutive1.isEmpty() || lists.consecutive2.isEmpty())
        return false;
    const QString selection = m_testLists.buildElectrodeString(true);
    for (const Step& step : std::as_const(lists.consecutive1))
        step->initElectrodesByString(selection);
    for (const Step& step : std::as_const(lists.consecutive2))
        step->initElectrodesByString(selection);
    m_testLists.active = lists.consecutive1;
    m_state.consecutiveListsMode = true;
    m_state.secondListRunning = false;
    return true;
}

void RunSequencer::startAcz30ZeroRun()
{
    clearConsecutiveLists();
    prepareRun();
    auto step = std::make_shared<testlists::TestStep>();
    step->initByParams(QStringLiteral("ACZ30ZERO"), 1, m_testLists.buildElectrodeString(true), 0, 0, false, 0, false);
    m_state.lists.running = testlists::TestList{step};
    m_state.lists.expanded.clear();
    m_state.lists.pace.clear();
    m_state.acz30ZeroRun = true;
    startTest(step, false, false, true, true);
    if (!m_state.testRunning)
        m_state.acz30ZeroRun = false;
}

void RunSequencer::prepareRun()
{
    RunState fresh;
    fresh.consecutiveListsMode = m_state.consecutiveListsMode;
    fresh.secondListRunning = m_state.secondListRunning;
    fresh.lastEstimatedRemainingSeconds = m_state.lastEstimatedRemainingSeconds;
    fresh.lists = std::move(m_state.lists);
    fresh.details = std::move(m_state.details);
    fresh.reportOptions = m_state.reportOptions;
    fresh.calibrationMode = m_state.calibrationMode;
    fresh.burnInRunning = m_state.burnInRunning;
    m_state = std::move(fresh);
    m_schedule = MeasurementSchedule();
    m_charge.reset();
    m_aclgSums = AclgSums();
    if (m_services.zamo80)
        m_services.zamo80->reset();
}

bool RunSequencer::takePreTestDetails()
{
    std::optional<PreTestDetails> entered = m_services.preTestDetails->ask();
    if (!entered) {
        // The window emptied the lots and notes before the operator cancelled.
        m_state.details = PreTestDetails();
        return false;
    }
    if (entered->reportOptions)
        m_state.reportOptions = *entered->reportOptions;
    m_state.details = std::move(*entered);
    return true;
}

void RunSequencer::startFirstTestSequence(bool showTestDetailsForm)
{
    if (m_state.testRunning) {
        showWarning(QStringLiteral("Tests already active!  You must stop the active tests first."),
                    config::StationText::appTitle());
        return;
    }
    if (!anyUnitConnected()) {
        showWarning(QStringLiteral("No Connected ZAMO Units!"), QStringLiteral("Error"));
        return;
    }
    if (m_testLists.active.isEmpty()) {
        showWarning(QStringLiteral("No Tests Defined!"), QStringLiteral("Error"));
        return;
    }
    if (!selectionOnConnectedUnit()) {
        // Nothing could start: the run would stop after the pre-test details
        // without a word.
        config::writeLog(QStringLiteral("Tests not started: no selected electrode is on a connected ZAMO unit"));
        showWarning(QStringLiteral("The selected electrodes are not on a connected ZAMO unit!  "
                                   "Connect their unit, or select electrodes of a connected unit."),
                    QStringLiteral("Error"));
        return;
    }

    if (checkZAMOMode() != ConnectedUnitsMode::Zamo80) {
        prepareRun();
        m_state.lists.running = m_testLists.active;
        m_state.lists.expanded.clear();
        m_state.lists.pace.clear();
    } else {
        if (isUnitLidOpen()) {
            platform::Prompts::instance().message(
                checkZAMO24() ? QStringLiteral("ZAMO2-4 Lid is open!  Close Lid before starting the tests.")
                              : QStringLiteral("ZAMO80 Lid is open!  Close Lid before starting the tests."),
                config::StationText::appTitle(), platform::MsgButtons::Ok, platform::MsgIcon::None);
            return;
        }
        prepareRun();
        m_services.zamo80->buildElectrodeTestLists();
        m_aclgSums.clear();
        m_state.lists.running = m_state.lists.expanded;
        m_state.preCheckRunning = true;
    }
    const bool hadSteps = !m_state.lists.running.isEmpty();
    leaveOutUnknownSteps(m_state.lists.running);
    leaveOutUnknownSteps(m_state.lists.pace);
    if (m_state.lists.running.isEmpty()) {
        if (hadSteps)
            showWarning(QStringLiteral("No Tests Defined!"), QStringLiteral("Error"));
        return;
    }
    // Every step gets the default selection: the run needs each connected
    // unit with a selected electrode, from its first step on.
    for (UnitIndex u : UnitIndex::all())
        m_state.unitInRun[u] = selectionOnUnit(u);

    m_host.updateProgress(0, getTotalTestCount() + 1);

    int i = 0;
    for (const Step& step : std::as_const(m_state.lists.running)) {
        ++i;
        step->setId(i);
        step->resetCounts();
        config::writeLog(QStringLiteral("Test #") + QString::number(i) + QStringLiteral("; ") + step->testString());
    }
    for (const Step& step : std::as_const(m_state.lists.pace)) {
        step->setId(i);
        step->resetCounts();
        config::writeLog(QStringLiteral("Pace Test #") + QString::number(i) + QStringLiteral("; ")
                         + step->testString());
    }

    m_testLists.applyElectrodeString(m_testLists.buildElectrodeString(true));
    startTest(m_state.lists.running.first(), true, true, true, showTestDetailsForm);
}

bool RunSequencer::selectionOnUnit(UnitIndex u) const
{
    unit::Unit* unit = unitAt(u);
    if (!unit || !unit->connected())
        return false;
    for (qint16 c = 0; c < 16; ++c)
        if (m_testLists.defaultSelection.at(u.number(), c) && unit->electrodeChannelExists(c))
            return true;
    return false;
}

void RunSequencer::leaveOutUnknownSteps(testlists::TestList& list)
{
    // A step of no known type would start a test the units cannot run and
    // hold the run until it overran.
    testlists::TestList known;
    for (const Step& step : std::as_const(list)) {
        if (testlists::TestStep::isKnownType(step->testType()))
            known.append(step);
        else
            log(QStringLiteral("* Test step \"") + step->testString()
                + QStringLiteral("\" left out: it is not a test the station knows"));
    }
    list = std::move(known);
}

bool RunSequencer::selectionOnConnectedUnit() const
{
    // Every step of the run gets the default selection.
    return selectionOnUnit(UnitIndex::first()) || selectionOnUnit(UnitIndex::second());
}

bool RunSequencer::isUnitLidOpen()
{
    if (checkZAMOMode() != ConnectedUnitsMode::Zamo80)
        return false;
    bool open = false;
    for (unit::Unit* unit : m_units.all()) {
        if (!unit || !unit->connected())
            continue;
        ignoreErrors([&] { unit->txMasterCheckLid(true); });
        if (!unit->lidClosed())
            open = true;
    }
    return open;
}

void RunSequencer::startTest(const Step& test, bool initTestGroup, bool initNewTestUnits, bool updateProgressBar,
                             bool showTestDetailsForm)
{
    if (!test)
        return;
    for (unit::Unit* unit : m_units.all()) {
        if (unit)
            ignoreErrors([&] { unit->setMaster200VEnabled(false); });
    }
    if (initTestGroup && showTestDetailsForm && !takePreTestDetails())
        return;

    if (!startOnUnits(test, updateProgressBar))
        return; // nothing started, or the roller took the step

    for (unit::Unit* unit : m_units.all()) {
        if (unit)
            ignoreErrors([&] { unit->setTestRunning(true); });
    }

    const QString started = QStringLiteral(" started at ") + config::StationText::generalDate(platform::Clock::now());
    if (m_state.preCheckRunning)
        log(QStringLiteral("* Open Circuit test on Electrodes ") + test->electrodeString() + started);
    else
        log(QStringLiteral("* ") + test->testType() + QStringLiteral(" test on Electrodes ") + test->electrodeString()
            + started);
    const QString type = test->testType();
    if (type == QLatin1String("ACLG") || type == QLatin1String("DEFR"))
        log(QStringLiteral("Sending Defib Charge Command"));

    beginStep(test);

    if (initTestGroup) {
        ignoreErrors([&] { m_services.recorder->createTestGroupRecord(); });
        m_state.lastEstimatedRemainingSeconds = 0;
    }
    // A group that could not be stored has stopped the run (a database failure).
    if (!m_state.testRunning)
        return;
    if (initNewTestUnits)
        ignoreErrors([&] { m_services.recorder->createTestRecords(type, false, *test); });
    if (updateProgressBar)
        m_host.advanceProgress();
}

// Sends the step to every connected unit with a selected channel; true when
// the run is now going and the step's records are to follow.
bool RunSequencer::startOnUnits(const Step& test, bool updateProgressBar)
{
    const QString type = test->testType();
    qint16 chargeChannel = -1;
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = unitAt(u);
        if (!unit || !unit->connected())
            continue;
        ignoreErrors([&] { unit->clearElectrodeLastMeasurements(); });
        const QString bits = ChannelBitString::build(*test, u.number(), *unit, chargeChannel);
        if (!ChannelBitString::hasSelectedChannel(bits))
            continue;

        if (type == QLatin1String("DCO")) {
            m_schedule.setResyncPending(MeasurementSchedule::Resync::Dco, true);
        } else if (type == QLatin1String("SDR")) {
            m_schedule.setResyncPending(MeasurementSchedule::Resync::Sdr, true);
            ignoreErrors([&] {
                unit->txMasterEnable200VSupply();
                m_state.supply200VSwitchedOn[u] = true;
                unit->setMaster200VEnabled(true);
            });
        } else if (type == QLatin1String("NOISE")) {
            m_schedule.setResyncPending(MeasurementSchedule::Resync::Noise, true);
        } else if (type == QLatin1String("BIAS")) {
            m_schedule.startBias(test->biasSampleTime() * 60, test->biasTestTime() * 3600, platform::Clock::nowUtc());
        } else if (isPace(type)) {
            m_services.zamo80->setPaceDurationSeconds(test->paceTestTime() * 60);
            const QString electrodes = test->electrodeString();
            const auto channel = qint16(electrodes.isEmpty() ? -65 : electrodes.at(0).unicode() - 65);
            ignoreErrors([&] { unit->txGetPacePulse(channel); });
        }

        m_schedule.setOverrunSeconds(qint32(test->singleTestDuration(m_settings.zamo80Delays, m_settings.pace) + 10));

        if (type == QLatin1String("ACLG") || type == QLatin1String("DEFR")) {
            m_charge.begin(type == QLatin1String("ACLG") ? ChargeSequence::Test::Aclg : ChargeSequence::Test::Defr);
            m_schedule.setElapsedSeconds(0);
            ignoreErrors([&] { unit->txMasterDefibCharge(chargeChannel); });
        } else if (type == QLatin1String("SGROLL")) {
            startRoll(test, bits, u, updateProgressBar);
            return false;
        } else {
            ignoreErrors([&] { unit->txMasterAllChannelSend(type, bits); });
        }
        test->setElectrodesActive(bits, qint16(u.number()));
        m_state.unitInRun[u] = true;
        setTestsRunning();
    }
    return m_state.testRunning;
}

void RunSequencer::startRoll(const Step& test, const QString& bits, UnitIndex unit, bool updateProgressBar)
{
    test->setElectrodesActive(bits, qint16(unit.number()));
    setTestsRunning();
    beginStep(test);
    if (updateProgressBar)
        m_host.advanceProgress();
    ignoreErrors([&] { m_host.rollChannel(testlists::TestStep::findElectrodeIndex(test->electrodeString())); });
}

void RunSequencer::beginStep(const Step& test)
{
    m_state.activeTest = test;
    m_schedule.setElapsedSeconds(0);
    ignoreErrors([&] { m_services.clock->setNextMeasurementTime(true); });
    m_testClockTimer.start();
    ignoreErrors([&] { test->incrementIteration(); });
    test->clearAllErrorCount();
}

void RunSequencer::setTestsRunning()
{
    m_state.testRunning = true;
    m_stepTimer.start();
    m_state.startPhase = true;
    m_host.setRunLockedControls(true);
}

void RunSequencer::sequenceTick()
{
    // While the open-circuit box waits, what the operator decides may remove the next step.
    if (!m_state.testRunning || m_services.zamo80->operatorDecisionPending() || lostUnitHoldsRun())
        return;
    const bool mode80 = checkZAMOMode() == ConnectedUnitsMode::Zamo80;
    Zamo80RunPlan& plan = *m_services.zamo80;
    bool allComplete = true;
    int position = 0;
    const testlists::TestList running = m_state.lists.running;
    for (const Step& step : running) {
        ++position;
        if (step->testCompleted())
            continue;
        allComplete = false;
        const QString type = step->testType();
        const QString electrodes = step->electrodeString();
        if (!step->isTestIterationComplete()) {
            if (type == QLatin1String("BIAS"))
                ignoreErrors([&] { m_services.clock->checkBiasTestDuration(); });
            else if (isPace(type))
                ignoreErrors([&] { plan.endPrimaryPaceTest(); });
            break;
        }
        if (plan.isPaceTestRunningOnElectrodes(electrodes)) {
            ignoreErrors([&] { plan.activatePaceTest(electrodes); });
            break;
        }
        if (mode80 && position == 2 && !plan.preCheckHandled()) {
            plan.openCircuitPoint();
            return;
        }
        if (mode80) {
            ignoreErrors([&] { plan.startDuePaceTests(); });
            ignoreErrors([&] { plan.activatePaceTest(electrodes); });
            const Step& active = m_state.activeTest;
            if (!active || (!active->testCompleted() && active->paceRunning()))
                break;
        }
        startTest(step, false, true, true, true);
        break;
    }
    // A step of the walk may have ended the run (an overrun, a BIAS stop).
    if (!m_state.testRunning)
        return;
    if (mode80 && !m_state.preCheckRunning) {
        ignoreErrors([&] { plan.endDuePaceTests(); });
        ignoreErrors([&] { plan.startDuePaceTests(); });
        if (!m_state.testRunning)
            return;
    }
    if (allComplete) {
        completeTests(true);
        return;
    }
    updateEstimatedCompletionTime();
}

void RunSequencer::intervalTick()
{
    if (!m_state.testRunning || !m_state.activeTest) {
        m_testClockTimer.stop();
        return;
    }
    try {
        m_services.clock->tick();
    } catch (const std::exception& e) {
        config::writeLog(QStringLiteral("Test clock error: ") + QString::fromUtf8(e.what()));
        stopTests();
    }
}

void RunSequencer::switchOff200VSupplies()
{
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = unitAt(u);
        if (!unit)
            continue;
        bool& on = m_state.supply200VSwitchedOn[u];
        if (on && unit->connected())
            ignoreErrors([&] { unit->txMasterDisable200VSupply(); });
        on = false;
        if (unit->connected())
            ignoreErrors([&] { unit->setMaster200VEnabled(false); });
    }
}

void RunSequencer::endRunDisplay(const QString& line)
{
    log(line);
    m_host.updateProgress(0, 1);
    m_host.setCompletionCaption(QString());
    m_state.lastEstimatedRemainingSeconds = 0;
}

void RunSequencer::stopTests()
{
    if (!m_state.testRunning && !m_state.activeTest)
        return; // no run to cancel (a second stop of the same run)
    m_state.testRunning = false;
    m_stepTimer.stop();
    m_testClockTimer.stop();
    m_schedule.setElapsedSeconds(0);
    m_state.burnInRunning = false;

    m_host.setRunLockedControls(false);
    m_state.preCheckRunning = false;
    m_state.acz30ZeroRun = false;

    for (const Step& step : std::as_const(m_state.lists.running))
        step->resetTestProperties();
    for (const Step& step : std::as_const(m_state.lists.pace))
        step->resetTestProperties();

    bool discharge = false;
    unit::Unit* unit1 = unitAt(UnitIndex::first());
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = unitAt(u);
        if (!unit)
            continue;
        if (unit->connected()) {
            ignoreErrors([&] { unit->txCancelAllElectrodes(); });
            if (unit->isZamo80() || (unit1 && unit1->isZamo24()))
                discharge = true;
        }
    }
    switchOff200VSupplies();
    for (unit::Unit* unit : m_units.all()) {
        if (unit)
            ignoreErrors([&] { unit->setTestRunning(false); });
    }
    if (discharge)
        m_host.showDischargeWarning();

    m_state.activeTest.reset();
    m_state.activeSecondaryTest.reset();

    // Only the run's own group is cancelled.
    const qint32 group = m_services.recorder->groupId();
    m_services.recorder->clearKeys();
    if (group != 0)
        ignoreErrors([&] { m_services.recorder->closeAbortedTestGroup(group); });
    clearConsecutiveLists();

    endRunDisplay(QStringLiteral("* Tests Cancelled"));
    m_state.startPhase = false;
}

// The run still counts as running while its last records are written, so
// that a database failure among them cancels it with its reason at once;
// a run that lost any record is never completed.
bool RunSequencer::recordRunEnd(qint32 group, bool mode80, bool completeGroup)
{
    RunRecorder& recorder = *m_services.recorder;
    ignoreErrors([&] { recorder.flushReadings(); });
    if (mode80 && m_state.testRunning) {
        ignoreErrors([&] { recorder.recordAverageACLGResults(group, m_aclgSums); });
        log(QStringLiteral("Generating Consolidated Test Report..."));
        ignoreErrors([&] { recorder.buildCondensedZamo80Report(group); });
        log(QStringLiteral("Consolidated Test Report Complete"));
    }
    if (group != 0 && completeGroup && m_state.testRunning)
        ignoreErrors([&] { recorder.completeTestGroup(group, platform::Clock::now()); });
    if (!m_state.testRunning)
        return false; // cancelled by a failure of these records
    if (recorder.lostRecords() > 0) {
        cancelRun(CancelReason::databaseLost(QString()));
        return false;
    }
    return true;
}

void RunSequencer::completeTests(bool completeGroup)
{
    m_stepTimer.stop();
    m_testClockTimer.stop();
    const qint32 group = m_services.recorder->groupId();
    const bool mode80 = checkZAMOMode() == ConnectedUnitsMode::Zamo80;
    if (!m_state.acz30ZeroRun && !recordRunEnd(group, mode80, completeGroup))
        return;

    m_state.testRunning = false;
    m_host.setRunLockedControls(false);
    m_state.preCheckRunning = false;
    m_schedule.setElapsedSeconds(0);

    endRunDisplay(QStringLiteral("* Tests Completed"));
    switchOff200VSupplies();
    for (unit::Unit* unit : m_units.all()) {
        if (unit)
            ignoreErrors([&] { unit->setTestRunning(false); });
    }
    m_state.activeTest.reset();
    m_state.activeSecondaryTest.reset();

    m_services.recorder->clearKeys();
    if (m_state.acz30ZeroRun) {
        m_state.acz30ZeroRun = false;
        m_state.startPhase = false;
        ignoreErrors([&] { m_services.database->closeDatabase(); });
        return;
    }

    RunRecorder& recorder = *m_services.recorder;
    QString msg;
    if (group != 0) {
        ignoreErrors([&] {
            const qint32 uid = recorder.getUniqueGroupID(group);
            const QDateTime executed = recorder.getGroupDateExecuted(group);
            msg = EndOfRunReports::run(*m_services.reports, m_settings.reports, uid, executed, mode80,
                                       m_state.burnInRunning);
        });
    }
    if (!msg.isEmpty())
        platform::Prompts::instance().message(msg, QStringLiteral("Post-Test Actions"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Information);
    m_state.burnInRunning = false;
    m_state.startPhase = false;

    if (!m_state.consecutiveListsMode || m_state.secondListRunning) {
        clearConsecutiveLists();
        m_host.playTestsCompletedSound();
        return;
    }
    m_state.secondListRunning = true;
    m_testLists.active = m_state.lists.consecutive2;
    startFirstTestSequence(false);
}

bool RunSequencer::cancelRun(const CancelReason& reason)
{
    if (!m_state.testRunning && !m_state.activeTest)
        return false;
    log(reason.logLine);
    stopTests();
    platform::Prompts::instance().message(reason.message, config::StationText::appTitle(), platform::MsgButtons::Ok,
                                          platform::MsgIcon::Critical);
    return true;
}

bool RunSequencer::databaseFailed(const QString& cause)
{
    if (!m_state.testRunning)
        return false;
    cancelRun(CancelReason::databaseLost(cause));
    return true;
}

void RunSequencer::askingForUnit(int number)
{
    if (const std::optional<UnitIndex> unit = UnitIndex::fromNumber(number))
        m_unitAsked[*unit] = true;
}

void RunSequencer::unitAnswered(int number)
{
    const std::optional<UnitIndex> unit = UnitIndex::fromNumber(number);
    if (!unit)
        return;
    m_unitAsked[*unit] = false;
    unit::Unit* link = unitAt(*unit);
    if (m_state.testRunning && m_state.unitInRun[*unit] && link && !link->connected())
        cancelRun(CancelReason::unitLost(number));
}

bool RunSequencer::lostUnitHoldsRun()
{
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = unitAt(u);
        if (!unit || !m_state.unitInRun[u])
            continue;
        if (unit->reconnecting() || (!unit->connected() && m_unitAsked[u]))
            return true; // it may come back
        if (!unit->connected()) {
            cancelRun(CancelReason::unitLost(u.number()));
            return true;
        }
    }
    return false;
}

bool RunSequencer::unitOfTheRunLost() const
{
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = unitAt(u);
        if (m_state.unitInRun[u] && unit && (!unit->connected() || unit->reconnecting()))
            return true;
    }
    return false;
}

void RunSequencer::updateEstimatedCompletionTime()
{
    if (unitOfTheRunLost()) {
        // No estimate while a unit of the run is gone; it comes back with the unit.
        m_host.setCompletionCaption(QString());
        m_state.lastEstimatedRemainingSeconds = 0;
        return;
    }
    const qint64 remaining = CompletionEstimate::remainingSeconds(m_state.lists.running, m_state.lists.pace,
                                                                  m_testLists.active, m_settings.pace.simultaneousTests,
                                                                  m_settings.zamo80Delays, m_settings.pace);
    if (remaining == 0) {
        m_host.setCompletionCaption(QString());
        m_state.lastEstimatedRemainingSeconds = 0;
    } else if (remaining != m_state.lastEstimatedRemainingSeconds) {
        m_host.setCompletionCaption(QStringLiteral("Estimated Completion Time: ")
                                    + config::StationText::generalDate(platform::Clock::now().addSecs(remaining)));
        m_state.lastEstimatedRemainingSeconds = qint32(remaining);
    }
}

int RunSequencer::getTotalTestCount() const
{
    int total = 0;
    for (const Step& step : std::as_const(m_state.lists.running))
        total += step->testCount();
    for (const Step& step : std::as_const(m_state.lists.pace))
        total += step->testCount();
    return total;
}

bool RunSequencer::acceptResultReply(int unit, qint16 channel, const QString& testType) const
{
    return ResultHandlers::acceptReply(m_state, unit, channel, testType);
}

} // namespace run
