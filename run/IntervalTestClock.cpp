#include "run/IntervalTestClock.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/KeepAwake.h"
#include "run/CancelReason.h"
#include "run/MeasurementSchedule.h"
#include "run/RunState.h"
#include "unit/Unit.h"

namespace run {

namespace {

bool is(const QString& type, const char* name)
{
    return type == QLatin1String(name);
}

} // namespace

IntervalTestClock::IntervalTestClock(const RunUnits& units, RunState& state, MeasurementSchedule& schedule,
                                     ChargeSequence& charge, const config::StationSettings& settings,
                                     std::function<void(const CancelReason&)> cancelRun)
    : m_units(units),
      m_state(state),
      m_schedule(schedule),
      m_charge(charge),
      m_settings(settings),
      m_cancelRun(std::move(cancelRun)),
      m_keepAwake{[this] { m_mouseNudge.nudgeMousePointer(); }, &platform::preventSleep}
{
}

bool IntervalTestClock::clockHeld() const
{
    unit::Unit* unit1 = m_units.at(UnitIndex::first());
    if (unit1 && (unit1->isZamo80() || unit1->isZamo24()) && unit1->reconnecting())
        return true;
    // A unit of the run that is gone: the step waits for it, or for the
    // run's cancel, and does not overrun meanwhile.
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = m_units.at(u);
        if (unit && m_state.unitInRun[u] && !unit->connected())
            return true;
    }
    return false;
}

bool IntervalTestClock::stepUnfinished() const
{
    const auto& step = m_state.activeTest;
    return step && !step->isTestIterationComplete();
}

void IntervalTestClock::tick()
{
    RunState& state = m_state;
    // While unit 1 reconnects the step's second does not pass, and nothing
    // that hangs on the second happens again.
    if (!clockHeld()) {
        m_schedule.advanceSecond();
        checkOverrun();
        if (const auto step = state.activeTest) {
            const QString type = step->testType();
            const qint32 elapsed = m_schedule.elapsedSeconds();
            if (is(type, "BIAS") && elapsed % 1000 == 0)
                alignBiasClock();
            if (m_schedule.intervalOpensNow(type))
                setNextMeasurementTime(false);
            if ((is(type, "ACZ") || is(type, "ACZ30")) && elapsed == 5)
                state.startPhase = false;
            const qint32 chargeSeconds = m_settings.zamo80Delays.defibCharge;
            if (is(type, "ACLG"))
                m_charge.tick(ChargeSequence::Test::Aclg, m_schedule.elapsedSeconds(), *step, chargeSeconds);
            else if (is(type, "DEFR"))
                m_charge.tick(ChargeSequence::Test::Defr, m_schedule.elapsedSeconds(), *step, chargeSeconds);
        }
    }
    keepWorkstationAwake();
}

// Only a step that still waits for readings overruns: a step whose
// electrodes are all in waits for the sequencer's next tick to move on.
void IntervalTestClock::checkOverrun()
{
    if (!stepUnfinished())
        return;
    if (m_schedule.elapsedSeconds() == m_schedule.resendSecond())
        resendActiveElectrodes();
    if (m_schedule.elapsedSeconds() == m_schedule.abortSecond())
        m_cancelRun(CancelReason::overrun(*m_state.activeTest));
}

// The count catches up with the UTC time it lost, but never jumps over the
// next BIAS sample.
void IntervalTestClock::alignBiasClock()
{
    if (!m_schedule.biasUtcStart().isValid())
        return;
    const qint32 elapsed = m_schedule.elapsedSeconds();
    const qint64 lag = secondsSinceUtc(m_schedule.biasUtcStart()) - elapsed;
    if (lag != 0 && elapsed + lag < m_schedule.nextMeasurementTime())
        m_schedule.setElapsedSeconds(qint32(elapsed + lag));
}

void IntervalTestClock::keepWorkstationAwake()
{
    const int second = platform::Clock::now().time().second();
    const config::KeepAliveSettings& keepAlive = m_settings.keepAlive;
    if (keepAlive.moveMouse && (second == 59 || second == 0) && m_keepAwake.nudgeMousePointer)
        m_keepAwake.nudgeMousePointer();
    if (keepAlive.wakeUp && second == 0 && m_keepAwake.preventSleep)
        m_keepAwake.preventSleep();
}

void IntervalTestClock::setNextMeasurementTime(bool first)
{
    if (const auto& step = m_state.activeTest)
        m_schedule.setNextMeasurementTime(step->testType(), first);
}

void IntervalTestClock::resendActiveElectrodes()
{
    const auto step = m_state.activeTest;
    if (!step)
        return;
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = m_units.at(u);
        if (!unit || !unit->connected())
            continue;
        for (qint16 channel = 0; channel < 16; ++channel) {
            if (step->isElectrodeTestActive(qint16(u.position() * 16 + std::size_t(channel))))
                unit->txResendLastData(channel);
        }
    }
}

qint64 IntervalTestClock::secondsSinceUtc(const QDateTime& start)
{
    return start.secsTo(platform::Clock::nowUtc());
}

void IntervalTestClock::checkBiasTestDuration()
{
    if (m_schedule.elapsedSeconds() < m_schedule.biasMaxSeconds())
        return;
    config::writeLog(QStringLiteral("Test Duration (") + QString::number(m_schedule.elapsedSeconds())
                     + QStringLiteral(") >= Max BIAS Duration (") + QString::number(m_schedule.biasMaxSeconds())
                     + QStringLiteral(")"));
    m_schedule.endBiasMaximum();
    for (UnitIndex u : UnitIndex::all()) {
        unit::Unit* unit = m_units.at(u);
        if (unit && unit->connected())
            unit->txStopAllBiasTest();
    }
}

} // namespace run
