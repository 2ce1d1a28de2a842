#include "run/RunSequencer.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "run/ChannelBitString.h"
#include "run/CompletionEstimate.h"
#include "run/EndOfRunReports.h"
#include "run/IntervalTestClock.h"
#include "run/ReadingHandlers.h"
#include "run/RunHost.h"
#include "run/UnitMode.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"
#include "unit/Unit.h"

#include <exception>

namespace {

// A unit call that fails is skipped and the run goes on with the next.
template <typename F>
void IgnoreErrors(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        modMain::WriteLog(QStringLiteral("Run step skipped after error: ") + QString::fromUtf8(e.what()));
    }
}

bool IsPace(const QString& type)
{
    return type == QLatin1String("PACE1") || type == QLatin1String("PACE2");
}

void ShowWarning(const QString& text, const QString& title)
{
    platform::Prompts::instance().message(text, title, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

} // namespace

RunSequencer::RunSequencer(RunHost& host, config::StationSettings& settings, const std::array<UnitLink*, 2>& units,
                           QObject* parent)
    : QObject(parent), m_host(host), m_settings(settings), m_units(units), m_services(m_state)
{
    TestSequenceTimer.setInterval(2000);
    IntervalTimer.setInterval(1000);
    connect(&TestSequenceTimer, &platform::Timer::timeout, this, &RunSequencer::TestSequenceTimer_Timer);
    connect(&IntervalTimer, &platform::Timer::timeout, this, &RunSequencer::IntervalTimer_Timer);
    m_services.clock = std::make_unique<IntervalTestClock>(*this, host);
    m_services.results = std::make_unique<ResultHandlers>(*this, host);
}

UnitLink* RunSequencer::Unit(int vIndex) const
{
    return vIndex >= 1 && vIndex <= 2 ? m_units[std::size_t(vIndex - 1)] : nullptr;
}

ConnectedUnitsMode RunSequencer::CheckZAMOMode() const
{
    return UnitMode::CheckZAMOMode(m_units);
}
bool RunSequencer::CheckZAMO24() const
{
    return UnitMode::CheckZAMO24(m_units);
}

bool RunSequencer::AnyUnitConnected() const
{
    for (UnitLink* unit : m_units) {
        if (unit && unit->Connected())
            return true;
    }
    return false;
}

void RunSequencer::Log(const QString& line)
{
    m_host.WriteToCommTextBox(line, true, false);
}

void RunSequencer::ClearConsecutiveLists()
{
    m_state.ConsecutiveListsMode = false;
    m_state.SecondListRunning = false;
}

void RunSequencer::PrepareRun()
{
    RunState fresh;
    fresh.ConsecutiveListsMode = m_state.ConsecutiveListsMode;
    fresh.SecondListRunning = m_state.SecondListRunning;
    fresh.LastEstimatedRemainingSeconds = m_state.LastEstimatedRemainingSeconds;
    fresh.lists = std::move(m_state.lists);
    fresh.details = std::move(m_state.details);
    fresh.reportOptions = m_state.reportOptions;
    fresh.calibrationMode = m_state.calibrationMode;
    fresh.burnInRunning = m_state.burnInRunning;
    m_state = std::move(fresh);
}

bool RunSequencer::TakePreTestDetails()
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

void RunSequencer::StartFirstTestSequence(bool vShowTestDetailsForm)
{
    if (m_state.pTestRunning) {
        ShowWarning(QStringLiteral("Tests already active!  You must stop the active tests first."),
                    StationText::AppTitle());
        return;
    }
    if (!AnyUnitConnected()) {
        ShowWarning(QStringLiteral("No Connected ZAMO Units!"), QStringLiteral("Error"));
        return;
    }
    if (Globals::ActiveTestList.isEmpty()) {
        ShowWarning(QStringLiteral("No Tests Defined!"), QStringLiteral("Error"));
        return;
    }
    if (!SelectionOnConnectedUnit()) {
        // Nothing could start: the run would stop after the pre-test details
        // without a word.
        modMain::WriteLog(QStringLiteral("Tests not started: no selected electrode is on a connected ZAMO unit"));
        ShowWarning(QStringLiteral("The selected electrodes are not on a connected ZAMO unit!  "
                                   "Connect their unit, or select electrodes of a connected unit."),
                    QStringLiteral("Error"));
        return;
    }

    if (CheckZAMOMode() != ConnectedUnitsMode::Zamo80) {
        PrepareRun();
        m_state.lists.running = Globals::ActiveTestList;
        m_state.lists.expanded.clear();
        m_state.lists.pace.clear();
    } else {
        if (IsUnitLidOpen()) {
            platform::Prompts::instance().message(
                CheckZAMO24() ? QStringLiteral("ZAMO2-4 Lid is open!  Close Lid before starting the tests.")
                              : QStringLiteral("ZAMO80 Lid is open!  Close Lid before starting the tests."),
                StationText::AppTitle(), platform::MsgButtons::Ok, platform::MsgIcon::None);
            return;
        }
        PrepareRun();
        m_services.zamo80->BuildElectrodeTestLists();
        m_services.zamo80->ResetACLGValues();
        m_state.lists.running = m_state.lists.expanded;
        m_state.PreCheckRunning = true;
        m_state.PreCheckHandled = false;
    }
    if (m_state.lists.running.isEmpty())
        return;

    m_host.UpdateProgress(0, GetTotalTestCount() + 1);

    int i = 0;
    for (const Step& step : std::as_const(m_state.lists.running)) {
        ++i;
        step->setId(i);
        step->ResetCounts();
        modMain::WriteLog(QStringLiteral("Test #") + QString::number(i) + QStringLiteral("; ") + step->TestString());
    }
    for (const Step& step : std::as_const(m_state.lists.pace)) {
        step->setId(i);
        step->ResetCounts();
        modMain::WriteLog(QStringLiteral("Pace Test #") + QString::number(i) + QStringLiteral("; ")
                          + step->TestString());
    }

    modMain::ApplyElectrodeString(modMain::BuildElectrodeString(true));
    StartTest(m_state.lists.running.first(), true, true, true, vShowTestDetailsForm);
}

bool RunSequencer::SelectionOnConnectedUnit() const
{
    // Every step of the run gets the default selection.
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = Unit(u);
        if (!unit || !unit->Connected())
            continue;
        for (qint16 c = 0; c < 16; ++c)
            if (Globals::DefaultElectrodeSelection.at(u, c) && unit->ElectrodeChannelExists(c))
                return true;
    }
    return false;
}

bool RunSequencer::IsUnitLidOpen()
{
    if (CheckZAMOMode() != ConnectedUnitsMode::Zamo80)
        return false;
    bool open = false;
    for (UnitLink* unit : m_units) {
        if (!unit || !unit->Connected())
            continue;
        IgnoreErrors([&] { unit->TXMasterCheckLid(true); });
        if (!unit->LidClosed())
            open = true;
    }
    return open;
}

void RunSequencer::StartTest(const Step& vTest, bool vInitTestGroup, bool vInitNewTestUnits, bool vUpdateProgressBar,
                             bool vShowTestDetailsForm)
{
    if (!vTest)
        return;
    for (UnitLink* unit : m_units) {
        if (unit)
            IgnoreErrors([&] { unit->setMaster200VEnabled(false); });
    }
    if (vInitTestGroup && vShowTestDetailsForm && !TakePreTestDetails())
        return;

    if (!StartOnUnits(vTest, vUpdateProgressBar))
        return; // nothing started, or the roller took the step

    for (UnitLink* unit : m_units) {
        if (unit)
            IgnoreErrors([&] { unit->setTestRunning(true); });
    }

    const QString started = QStringLiteral(" started at ") + StationText::GeneralDate(platform::Clock::now());
    if (m_state.PreCheckRunning)
        Log(QStringLiteral("* Open Circuit test on Electrodes ") + vTest->electrodeString() + started);
    else
        Log(QStringLiteral("* ") + vTest->TestType() + QStringLiteral(" test on Electrodes ") + vTest->electrodeString()
            + started);
    const QString type = vTest->TestType();
    if (type == QLatin1String("ACLG") || type == QLatin1String("DEFR"))
        Log(QStringLiteral("Sending Defib Charge Command"));

    BeginStep(vTest);

    if (vInitTestGroup)
        IgnoreErrors([&] { m_state.Keys.CurrentGroupID = m_services.recorder->CreateTestGroupRecord(); });
    // A group that could not be stored has stopped the run (a database failure).
    if (!m_state.pTestRunning)
        return;
    if (vInitNewTestUnits)
        IgnoreErrors([&] { m_services.recorder->CreateTestRecords(type, false, *vTest); });
    if (vUpdateProgressBar)
        m_host.AdvanceProgress();
}

// Sends the step to every connected unit with a selected channel; true when
// the run is now going and the step's records are to follow.
bool RunSequencer::StartOnUnits(const Step& vTest, bool vUpdateProgressBar)
{
    const QString type = vTest->TestType();
    qint16 chargeChannel = -1;
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = Unit(u);
        if (!unit || !unit->Connected())
            continue;
        IgnoreErrors([&] { unit->ClearElectrodeLastMeasurements(); });
        const QString bits = ChannelBitString::Build(*vTest, u, *unit, chargeChannel);
        if (!ChannelBitString::HasSelectedChannel(bits))
            continue;

        if (type == QLatin1String("DCO")) {
            m_state.DCOResyncPending = true;
        } else if (type == QLatin1String("SDR")) {
            m_state.SDRResyncPending = true;
            IgnoreErrors([&] {
                unit->TXMasterEnable200VSupply();
                m_state.Supply200VSwitchedOn[std::size_t(u - 1)] = true;
                unit->setMaster200VEnabled(true);
            });
        } else if (type == QLatin1String("NOISE")) {
            m_state.NOISEResyncPending = true;
        } else if (type == QLatin1String("BIAS")) {
            m_state.BiasSampleSeconds = vTest->BiasSampleTime() * 60;
            m_state.BiasMaxSeconds = vTest->BiasTestTime() * 3600;
            m_state.BiasUtcStart = platform::Clock::nowUtc();
        } else if (IsPace(type)) {
            const QString electrodes = vTest->electrodeString();
            const auto channel = qint16(electrodes.isEmpty() ? -65 : electrodes.at(0).unicode() - 65);
            IgnoreErrors([&] { unit->TXGetPacePulse(channel); });
        }

        m_state.TestResendSecond = qint32(vTest->SingleTestDuration(m_settings.zamo80Delays, m_settings.pace) + 10);
        m_state.TestAbortSecond = m_state.TestResendSecond + 10;

        if (type == QLatin1String("ACLG") || type == QLatin1String("DEFR")) {
            const bool aclg = type == QLatin1String("ACLG");
            (aclg ? m_state.ACLGAckReceived : m_state.DEFRAckReceived) = false;
            (aclg ? m_state.ACLGDone : m_state.DEFRDone) = false;
            (aclg ? m_state.ACLGStartRetries : m_state.DEFRStartRetries) = 0;
            m_state.TriggerChargeSent = false;
            m_state.ElapsedSeconds = 0;
            IgnoreErrors([&] { unit->TXMasterDefibCharge(chargeChannel); });
        } else if (type == QLatin1String("SGROLL")) {
            StartRoll(vTest, bits, u, vUpdateProgressBar);
            return false;
        } else {
            IgnoreErrors([&] { unit->TXMasterAllChannelSend(type, bits); });
        }
        vTest->SetElectrodesActive(bits, qint16(u));
        m_state.UnitInRun[std::size_t(u - 1)] = true;
        SetTestsRunning();
    }
    return m_state.pTestRunning;
}

void RunSequencer::StartRoll(const Step& vTest, const QString& bits, int unit, bool vUpdateProgressBar)
{
    vTest->SetElectrodesActive(bits, qint16(unit));
    SetTestsRunning();
    BeginStep(vTest);
    if (vUpdateProgressBar)
        m_host.AdvanceProgress();
    IgnoreErrors([&] { m_host.RollChannel(clsTestSequence::FindElectrodeIndex(vTest->electrodeString())); });
}

void RunSequencer::BeginStep(const Step& vTest)
{
    m_state.pActiveTest = vTest;
    m_state.ElapsedSeconds = 0;
    IgnoreErrors([&] { m_services.clock->SetNextMeasurementTime(true); });
    IntervalTimer.start();
    IgnoreErrors([&] { vTest->IncrementItteration(); });
    vTest->ClearAllErrorCount();
}

void RunSequencer::SetTestsRunning()
{
    m_state.pTestRunning = true;
    TestSequenceTimer.start();
    m_state.StartupFlag = true;
    m_host.SetRunLockedControls(true);
}

void RunSequencer::TestSequenceTimer_Timer()
{
    if (!m_state.pTestRunning)
        return;
    const bool mode80 = CheckZAMOMode() == ConnectedUnitsMode::Zamo80;
    Zamo80RunPlan& plan = *m_services.zamo80;
    bool allComplete = true;
    int position = 0;
    const TestList running = m_state.lists.running;
    for (const Step& step : running) {
        ++position;
        if (step->TestCompleted())
            continue;
        allComplete = false;
        const QString type = step->TestType();
        const QString electrodes = step->electrodeString();
        if (!step->IsTestItterationComplete()) {
            if (type == QLatin1String("BIAS"))
                IgnoreErrors([&] { m_services.clock->CheckBiasTestDuration(); });
            else if (IsPace(type))
                IgnoreErrors([&] { plan.EndPrimaryPaceTest(); });
            break;
        }
        if (plan.IsPaceTestRunningOnElectrodes(electrodes)) {
            IgnoreErrors([&] { plan.ActivatePaceTest(electrodes); });
            break;
        }
        if (mode80 && position == 2 && !m_state.PreCheckHandled) {
            plan.OpenCircuitPoint();
            return;
        }
        if (mode80) {
            IgnoreErrors([&] { plan.StartDuePaceTests(); });
            IgnoreErrors([&] { plan.ActivatePaceTest(electrodes); });
            const Step& active = m_state.pActiveTest;
            if (!active || (!active->TestCompleted() && active->PaceRunning()))
                break;
        }
        StartTest(step, false, true, true, true);
        break;
    }
    // A step of the walk may have ended the run (an overrun, a BIAS stop).
    if (!m_state.pTestRunning)
        return;
    if (mode80 && !m_state.PreCheckRunning) {
        IgnoreErrors([&] { plan.EndDuePaceTests(); });
        IgnoreErrors([&] { plan.StartDuePaceTests(); });
        if (!m_state.pTestRunning)
            return;
    }
    if (allComplete) {
        CompleteTests(true);
        return;
    }
    UpdateEstimatedCompletionTime();
}

void RunSequencer::IntervalTimer_Timer()
{
    if (!m_state.pTestRunning || !m_state.pActiveTest) {
        IntervalTimer.stop();
        return;
    }
    try {
        m_services.clock->Tick();
    } catch (const std::exception& e) {
        modMain::WriteLog(QStringLiteral("Test clock error: ") + QString::fromUtf8(e.what()));
        StopTests();
    }
}

void RunSequencer::SwitchOff200VSupplies()
{
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = Unit(u);
        if (!unit)
            continue;
        bool& on = m_state.Supply200VSwitchedOn[std::size_t(u - 1)];
        if (on && unit->Connected())
            IgnoreErrors([&] { unit->TXMasterDisable200VSupply(); });
        on = false;
        if (unit->Connected())
            IgnoreErrors([&] { unit->setMaster200VEnabled(false); });
    }
}

void RunSequencer::EndRunDisplay(const QString& line)
{
    Log(line);
    m_host.UpdateProgress(0, 1);
    m_host.SetCompletionCaption(QString());
    m_state.LastEstimatedRemainingSeconds = 0;
}

void RunSequencer::StopTests()
{
    if (!m_state.pTestRunning && !m_state.pActiveTest)
        return; // no run to cancel (a second stop of the same run)
    m_state.pTestRunning = false;
    TestSequenceTimer.stop();
    IntervalTimer.stop();
    m_state.ElapsedSeconds = 0;
    m_state.burnInRunning = false;

    m_host.SetRunLockedControls(false);
    m_state.PreCheckRunning = false;
    m_state.ACZ30ZeroRun = false;

    for (const Step& step : std::as_const(m_state.lists.running))
        step->ResetTestProperties();
    for (const Step& step : std::as_const(m_state.lists.pace))
        step->ResetTestProperties();

    bool discharge = false;
    UnitLink* unit1 = Unit(1);
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = Unit(u);
        if (!unit)
            continue;
        if (unit->Connected()) {
            IgnoreErrors([&] { unit->TXCancelAllElectrodes(); });
            if (unit->IsZAMO80() || (unit1 && unit1->IsZAMO24()))
                discharge = true;
        }
    }
    SwitchOff200VSupplies();
    for (UnitLink* unit : m_units) {
        if (unit)
            IgnoreErrors([&] { unit->setTestRunning(false); });
    }
    if (discharge)
        m_host.ShowDischargeWarning();

    m_state.pActiveTest.reset();
    m_state.pActiveSecondaryTest.reset();

    // Only the run's own group is cancelled.
    const qint32 group = m_state.Keys.CurrentGroupID;
    m_state.Keys = RunRecordKeys();
    if (group != 0)
        IgnoreErrors([&] { m_services.recorder->CloseAbortedTestGroup(group); });
    ClearConsecutiveLists();

    EndRunDisplay(QStringLiteral("* Tests Cancelled"));
    m_state.StartupFlag = false;
}

void RunSequencer::CompleteTests(bool vCompleteGroup)
{
    m_state.pTestRunning = false;
    TestSequenceTimer.stop();
    m_host.SetRunLockedControls(false);
    m_state.PreCheckRunning = false;
    IntervalTimer.stop();
    m_state.ElapsedSeconds = 0;

    EndRunDisplay(QStringLiteral("* Tests Completed"));
    SwitchOff200VSupplies();
    for (UnitLink* unit : m_units) {
        if (unit)
            IgnoreErrors([&] { unit->setTestRunning(false); });
    }
    m_state.pActiveTest.reset();
    m_state.pActiveSecondaryTest.reset();

    const qint32 group = m_state.Keys.CurrentGroupID;
    m_state.Keys = RunRecordKeys();
    if (m_state.ACZ30ZeroRun) {
        m_state.ACZ30ZeroRun = false;
        m_state.StartupFlag = false;
        IgnoreErrors([&] { m_services.database->CloseDatabase(); });
        return;
    }

    const bool mode80 = CheckZAMOMode() == ConnectedUnitsMode::Zamo80;
    RunRecorder& recorder = *m_services.recorder;
    if (mode80) {
        IgnoreErrors([&] { recorder.RecordAverageACLGResults(group); });
        Log(QStringLiteral("Generating Consolidated Test Report..."));
        IgnoreErrors([&] { recorder.BuildCondensedZamo80Report(group); });
        Log(QStringLiteral("Consolidated Test Report Complete"));
    }
    QString msg;
    if (group != 0) {
        if (vCompleteGroup)
            IgnoreErrors([&] { recorder.CompleteTestGroup(group, platform::Clock::now()); });
        IgnoreErrors([&] {
            const qint32 uid = recorder.GetUniqueGroupID(group);
            const QDateTime executed = recorder.GetGroupDateExecuted(group);
            msg = EndOfRunReports::Run(*m_services.reports, m_settings.reports, uid, executed, mode80, m_state.burnInRunning);
        });
    }
    if (!msg.isEmpty())
        platform::Prompts::instance().message(msg, QStringLiteral("Post-Test Actions"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Information);
    m_state.burnInRunning = false;
    m_state.StartupFlag = false;

    if (!m_state.ConsecutiveListsMode || m_state.SecondListRunning) {
        ClearConsecutiveLists();
        m_host.PlayTestsCompletedSound();
        return;
    }
    m_state.SecondListRunning = true;
    Globals::ActiveTestList = m_state.lists.consecutive2;
    StartFirstTestSequence(false);
}

bool RunSequencer::UnitOfTheRunLost() const
{
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = Unit(u);
        if (m_state.UnitInRun[std::size_t(u - 1)] && unit && (!unit->Connected() || unit->Reconnecting()))
            return true;
    }
    return false;
}

void RunSequencer::UpdateEstimatedCompletionTime()
{
    if (UnitOfTheRunLost()) {
        // No estimate while a unit of the run is gone; it comes back with the unit.
        m_host.SetCompletionCaption(QString());
        m_state.LastEstimatedRemainingSeconds = 0;
        return;
    }
    const qint64 remaining = CompletionEstimate::RemainingSeconds(m_state.lists.running, m_state.lists.pace,
                                                                  Globals::ActiveTestList, m_settings.pace.simultaneousTests,
                                                                  m_settings.zamo80Delays, m_settings.pace);
    if (remaining == 0) {
        m_host.SetCompletionCaption(QString());
        m_state.LastEstimatedRemainingSeconds = 0;
    } else if (remaining != m_state.LastEstimatedRemainingSeconds) {
        m_host.SetCompletionCaption(QStringLiteral("Estimated Completion Time: ")
                                    + StationText::GeneralDate(platform::Clock::now().addSecs(remaining)));
        m_state.LastEstimatedRemainingSeconds = qint32(remaining);
    }
}

int RunSequencer::GetTotalTestCount() const
{
    int total = 0;
    for (const Step& step : std::as_const(m_state.lists.running))
        total += step->TestCount();
    for (const Step& step : std::as_const(m_state.lists.pace))
        total += step->TestCount();
    return total;
}

bool RunSequencer::acceptResultReply(int unit, qint16 channel, const QString& testType) const
{
    if (m_state.pTestRunning || m_state.calibrationMode)
        return true;
    const auto electrode = qint16((unit - 1) * 16 + channel);
    const QString source = channel >= 0 && channel < 16 && electrode >= 0 && electrode < 32
                               ? QStringLiteral("Electrode ") + clsTestSequence::FindElectrodeNameByIndex(electrode)
                               : QStringLiteral("Unit #") + QString::number(unit);
    modMain::WriteLog(QStringLiteral("* ") + testType + QStringLiteral(" reply from ") + source
                      + QStringLiteral(" after the end of the run ignored"));
    return false;
}
