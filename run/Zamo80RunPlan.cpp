#include "run/Zamo80RunPlan.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "run/ChannelBitString.h"
#include "run/IgnoreErrors.h"
#include "run/MeasurementSchedule.h"
#include "run/PaceRollPrompt.h"
#include "run/RunHost.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "testlists/StationTestLists.h"
#include "unit/Unit.h"

#include <exception>

namespace run {

namespace {

// The unit and channel of electrode index 0..31.
UnitIndex unitOf(qint16 index)
{
    return index < 16 ? UnitIndex::first() : UnitIndex::second();
}
qint16 channelOf(qint16 index)
{
    return qint16(index % 16);
}

} // namespace

Zamo80RunPlan::Zamo80RunPlan(const RunUnits& units, RunState& state, MeasurementSchedule& schedule,
                             RunServices& services, const config::StationSettings& settings,
                             const testlists::StationTestLists& testLists, RunHost& host, std::function<void()> stopRun)
    : m_units(units),
      m_state(state),
      m_schedule(schedule),
      m_services(services),
      m_settings(settings),
      m_testLists(testLists),
      m_host(host),
      m_stopRun(std::move(stopRun))
{
}

void Zamo80RunPlan::reset()
{
    m_preCheckHandled = false;
    m_operatorDecisionPending = false;
    m_openCircuit = {};
    m_paceDurationSeconds = 0;
}

void Zamo80RunPlan::log(const QString& line)
{
    m_host.writeToCommTextBox(line, true, false);
}

void Zamo80RunPlan::buildElectrodeTestLists()
{
    RunState& state = m_state;
    std::array<bool, 32> takingPart{};
    const testlists::TestList& operatorList = m_testLists.active;
    if (!operatorList.isEmpty() && operatorList.first())
        for (UnitIndex u : UnitIndex::all()) {
            unit::Unit* unit = m_units.at(u);
            if (!unit || !unit->connected())
                continue;
            for (qint16 c = 0; c < 16; ++c) {
                const auto index = qint16(u.position() * 16 + std::size_t(c));
                takingPart[std::size_t(index)] =
                    unit->electrodeChannelExists(c) && operatorList.first()->electrodeSelectedByIndex(index);
            }
        }
    const bool roller = m_rollerConnected && m_rollerConnected();
    ElectrodeTestLists lists = run::buildElectrodeTestLists(operatorList, m_testLists.buildElectrodeString(true),
                                                            takingPart, roller, m_settings.pace.simultaneousTests);
    state.lists.expanded = std::move(lists.expanded);
    state.lists.pace = std::move(lists.pace);
}

void Zamo80RunPlan::openCircuitPoint()
{
    RunState& state = m_state;
    state.preCheckRunning = false;
    m_preCheckHandled = true;
    QList<qint16> flagged;
    QString names;
    for (UnitIndex u : UnitIndex::all())
        for (std::size_t c = 0; c < 16; ++c)
            if (m_openCircuit[u][c]) {
                const auto index = qint16(u.position() * 16 + c);
                flagged << index;
                names += testlists::TestStep::findElectrodeNameByIndex(index) + QStringLiteral(", ");
            }
    if (flagged.isEmpty())
        return;
    m_operatorDecisionPending = true;
    const platform::MsgResult answer = platform::Prompts::instance().message(
        QStringLiteral("Open Circuit Channels Detected! Click OK to ignore channel(s) ") + names
            + QStringLiteral("or click Cancel to abort the test."),
        QStringLiteral("Proceed With Tests?"), platform::MsgButtons::OkCancel, platform::MsgIcon::None);
    m_operatorDecisionPending = false;
    if (answer == platform::MsgResult::Ok) {
        removeUncompletedStepsOf(state.lists.running, flagged);
        removeUncompletedStepsOf(state.lists.pace, flagged);
    } else {
        m_stopRun();
    }
}

bool Zamo80RunPlan::isPaceTestRunningOnElectrodes(const QString& electrodes) const
{
    if (m_units.mode() != ConnectedUnitsMode::Zamo80)
        return false;
    for (const auto& step : std::as_const(m_state.lists.pace))
        if (step->electrodeString() == electrodes)
            return !step->isTestIterationComplete();
    return false;
}

void Zamo80RunPlan::startDuePaceTests()
{
    const RunState& state = m_state;
    bool started = false;
    qint64 next = 0;
    for (const auto& step : testlists::TestList(state.lists.pace)) {
        if (started) {
            step->setPaceStartTick(next);
            continue;
        }
        if (!step->paceDue() || step->paceRunning() || step->testCompleted())
            continue;
        startPaceTest(step);
        const int simultaneous = m_settings.pace.simultaneousTests;
        const qint32 stagger =
            simultaneous < 1 ? m_paceDurationSeconds : std::max(1, m_paceDurationSeconds / simultaneous);
        next = platform::Clock::tickCount() + qint64(stagger) * 1000;
        started = true;
    }
}

void Zamo80RunPlan::startPaceTest(const std::shared_ptr<testlists::TestStep>& step)
{
    const QString type = step->testType();
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = m_units.at(u);
        if (!unit || !unit->connected())
            continue;
        qint16 charge = -1;
        const QString bits = ChannelBitString::build(*step, u.number(), *unit, charge);
        if (!ChannelBitString::hasSelectedChannel(bits))
            continue;
        if (isPaceType(type)) {
            m_paceDurationSeconds = step->paceTestTime() * 60;
            const QString electrodes = step->electrodeString();
            const auto channel = qint16(electrodes.isEmpty() ? -65 : electrodes.at(0).unicode() - 65);
            ignoreErrors([&] { unit->txGetPacePulse(channel); });
        }
        ignoreErrors([&] { unit->txMasterAllChannelSend(type, bits); });
        step->setElectrodesActive(bits, qint16(u.number()));
    }
    const QDateTime now = platform::Clock::now();
    log(QStringLiteral("* ") + type + QStringLiteral(" test on Electrodes ") + step->electrodeString()
        + QStringLiteral(" started at ") + config::StationText::generalDate(now));
    step->startPaceClock();
    step->setPaceRunning(true);
    ignoreErrors([&] { step->incrementIteration(); });
    step->clearAllErrorCount();
    ignoreErrors([&] { m_services.recorder->createTestRecords(type, true, *step); });
    m_host.advanceProgress();
}

void Zamo80RunPlan::activatePaceTest(const QString& electrodes)
{
    RunState& state = m_state;
    std::shared_ptr<testlists::TestStep> found;
    for (const auto& step : std::as_const(state.lists.pace))
        if (step->electrodeString() == electrodes && !step->testCompleted()) {
            found = step;
            break;
        }
    if (!found || (state.activeTest && state.activeTest->id() == found->id()))
        return;
    state.activeTest = found;
    m_schedule.setElapsedSeconds(found->paceDurationCount());
    const config::StationSettings& settings = m_settings;
    m_schedule.setOverrunSeconds(qint32(found->singleTestDuration(settings.zamo80Delays, settings.pace) + 10));
    m_services.recorder->takePaceStepKeys(*found);
}

void Zamo80RunPlan::endPaceOnElectrode(const std::shared_ptr<testlists::TestStep>& step, qint16 index, qint32 duration,
                                       bool secondary)
{
    const UnitIndex unit = unitOf(index);
    const qint16 channel = channelOf(index);
    if (unit::Unit* link = m_units.at(unit))
        ignoreErrors([&] { link->txCancel(channel); });
    const bool prompt = m_units.zamo24() && step->showPaceRollPrompt();
    if (prompt) {
        if (step->paceRollPromptLoaded())
            return;
        step->setPaceRollPromptLoaded(true);
        m_host.showPaceRollPrompt(std::make_shared<PaceRollPrompt>(m_state, m_services, m_settings.pace, step, channel,
                                                                   unit, secondary, duration, m_paceDurationSeconds));
        if (!step->concurrentPaceRollPrompt())
            return;
    }
    ignoreErrors(
        [&] { m_services.recorder->recordPaceTestResult(unit, channel, duration, secondary, *step, false, false); });
    step->setElectrodeTestComplete(index);
    step->clearElectrodeErrorCount(index);
    if (secondary)
        step->setPaceRunning(false);
}

void Zamo80RunPlan::endDuePaceTests()
{
    RunState& state = m_state;
    const int simultaneous = m_settings.pace.simultaneousTests;
    for (const auto& step : testlists::TestList(simultaneous >= 1 ? state.lists.pace : state.lists.expanded)) {
        if (!step->paceRunning() || !step->paceTimeUp())
            continue;
        const qint16 index = testlists::TestStep::findElectrodeIndex(step->electrodeString());
        endPaceOnElectrode(step, index, step->paceDurationCount(), true);
        if (!step->paceRollPromptLoaded() && !step->testCompleted() && simultaneous >= 1)
            startPaceTest(step);
    }
}

void Zamo80RunPlan::endPrimaryPaceTest()
{
    const std::shared_ptr<testlists::TestStep> step = m_state.activeTest;
    const qint32 elapsed = m_schedule.elapsedSeconds();
    if (!step || elapsed < m_paceDurationSeconds)
        return;
    for (qint16 index = 0; index < 32; ++index) {
        unit::Unit* unit = m_units.at(unitOf(index));
        if (unit && unit->connected() && step->isElectrodeTestActive(index))
            endPaceOnElectrode(step, index, elapsed, false);
    }
}

} // namespace run
