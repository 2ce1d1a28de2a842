#include "run/IntervalTestClock.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/KeepAwake.h"
#include "run/CancelReason.h"
#include "run/MeasurementSchedule.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "unit/Unit.h"

namespace run {

namespace {

bool is(const QString& type, const char* name)
{
    return type == QLatin1String(name);
}

} // namespace

IntervalTestClock::IntervalTestClock(RunSequencer& sequencer, RunHost& host)
    : m_sequencer(sequencer),
      m_host(host),
      m_charge([&sequencer](int unit) { return sequencer.unitAt(unit); }, [this](const QString& line) { write(line); },
               [&sequencer](const QString& failLine) { sequencer.cancelRun(CancelReason::chargeFailed(failLine)); }),
      m_keepAwake{&platform::nudgeMousePointer, &platform::preventSleep}
{
}

void IntervalTestClock::write(const QString& line)
{
    m_host.writeToCommTextBox(line, true, false);
}

bool IntervalTestClock::clockHeld() const
{
    unit::Unit* unit1 = m_sequencer.unitAt(1);
    if (unit1 && (unit1->isZAMO80() || unit1->isZAMO24()) && unit1->reconnecting())
        return true;
    // A unit of the run that is gone: the step waits for it, or for the
    // run's cancel, and does not overrun meanwhile.
    for (int u = 1; u <= 2; ++u) {
        unit::Unit* unit = m_sequencer.unitAt(u);
        if (unit && m_sequencer.state().UnitInRun[std::size_t(u - 1)] && !unit->connected())
            return true;
    }
    return false;
}

bool IntervalTestClock::stepUnfinished() const
{
    const auto& step = m_sequencer.state().m_activeTest;
    return step && !step->isTestItterationComplete();
}

void IntervalTestClock::tick()
{
    RunState& state = m_sequencer.state();
    // While unit 1 reconnects the step's second does not pass, and nothing
    // that hangs on the second happens again.
    if (!clockHeld()) {
        ++state.ElapsedSeconds;
        checkOverrun();
        if (const auto step = state.m_activeTest) {
            const QString type = step->testType();
            if (is(type, "BIAS") && state.ElapsedSeconds % 1000 == 0)
                alignBiasClock();
            if (MeasurementSchedule::intervalOpensNow(state, type))
                setNextMeasurementTime(false);
            if ((is(type, "ACZ") || is(type, "ACZ30")) && state.ElapsedSeconds == 5)
                state.StartupFlag = false;
            if (is(type, "ACLG"))
                m_charge.tick(ChargeSequence::ACLG, state, *step,
                              m_sequencer.stationSettings().zamo80Delays.defibCharge);
            else if (is(type, "DEFR"))
                m_charge.tick(ChargeSequence::DEFR, state, *step,
                              m_sequencer.stationSettings().zamo80Delays.defibCharge);
        }
    }
    keepWorkstationAwake();
}

// Only a step that still waits for readings overruns: a step whose
// electrodes are all in waits for the sequencer's next tick to move on.
void IntervalTestClock::checkOverrun()
{
    RunState& state = m_sequencer.state();
    if (!stepUnfinished())
        return;
    if (state.ElapsedSeconds == state.TestResendSecond)
        resendActiveElectrodes();
    if (state.ElapsedSeconds == state.TestAbortSecond)
        m_sequencer.cancelRun(CancelReason::overrun(*state.m_activeTest));
}

// The count catches up with the UTC time it lost, but never jumps over the
// next BIAS sample.
void IntervalTestClock::alignBiasClock()
{
    RunState& state = m_sequencer.state();
    if (!state.BiasUtcStart.isValid())
        return;
    const qint64 lag = secondsSinceUtc(state.BiasUtcStart) - state.ElapsedSeconds;
    if (lag != 0 && state.ElapsedSeconds + lag < state.NextMeasurementTime)
        state.ElapsedSeconds = qint32(state.ElapsedSeconds + lag);
}

void IntervalTestClock::keepWorkstationAwake()
{
    const int second = platform::Clock::now().time().second();
    const config::KeepAliveSettings& keepAlive = m_sequencer.stationSettings().keepAlive;
    if (keepAlive.moveMouse && (second == 59 || second == 0) && m_keepAwake.nudgeMousePointer)
        m_keepAwake.nudgeMousePointer();
    if (keepAlive.wakeUp && second == 0 && m_keepAwake.preventSleep)
        m_keepAwake.preventSleep();
}

void IntervalTestClock::setNextMeasurementTime(bool first)
{
    RunState& state = m_sequencer.state();
    if (state.m_activeTest)
        MeasurementSchedule::setNextMeasurementTime(state, state.m_activeTest->testType(), first);
}

void IntervalTestClock::resendActiveElectrodes()
{
    const auto step = m_sequencer.state().m_activeTest;
    if (!step)
        return;
    for (int u = 1; u <= 2; ++u) {
        unit::Unit* unit = m_sequencer.unitAt(u);
        if (!unit || !unit->connected())
            continue;
        for (qint16 channel = 0; channel < 16; ++channel) {
            if (step->isElectrodeTestActive(qint16((u - 1) * 16 + channel)))
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
    RunState& state = m_sequencer.state();
    if (state.ElapsedSeconds < state.BiasMaxSeconds)
        return;
    config::writeLog(QStringLiteral("Test Duration (") + QString::number(state.ElapsedSeconds)
                     + QStringLiteral(") >= Max BIAS Duration (") + QString::number(state.BiasMaxSeconds)
                     + QStringLiteral(")"));
    state.BiasMaxSeconds = 9999999;
    for (int u = 1; u <= 2; ++u) {
        unit::Unit* unit = m_sequencer.unitAt(u);
        if (unit && unit->connected())
            unit->txStopAllBiasTest();
    }
}

} // namespace run
