#include "run/IntervalTestClock.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/KeepAwake.h"
#include "run/MeasurementSchedule.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "unit/Unit.h"

namespace {

bool Is(const QString& type, const char* name)
{
    return type == QLatin1String(name);
}

} // namespace

IntervalTestClock::IntervalTestClock(RunSequencer& sequencer, RunHost& host)
    : m_sequencer(sequencer),
      m_host(host),
      m_charge([&sequencer](int unit) { return sequencer.Unit(unit); },
               [this](const QString& line) { Write(line); }, [&sequencer] { sequencer.StopTests(); }),
      m_keepAwake{&modMouseMove::NudgeMousePointer, &modMouseMove::PreventSleep}
{
}

void IntervalTestClock::Write(const QString& line)
{
    m_host.WriteToCommTextBox(line, true, false);
}

bool IntervalTestClock::ClockHeld() const
{
    UnitLink* unit1 = m_sequencer.Unit(1);
    return unit1 && (unit1->IsZAMO80() || unit1->IsZAMO24()) && unit1->Reconnecting();
}

bool IntervalTestClock::StepUnfinished() const
{
    const auto& step = m_sequencer.State().pActiveTest;
    return step && !step->IsTestItterationComplete();
}

void IntervalTestClock::Tick()
{
    RunState& state = m_sequencer.State();
    // While unit 1 reconnects the step's second does not pass, and nothing
    // that hangs on the second happens again.
    if (!ClockHeld()) {
        ++state.ElapsedSeconds;
        CheckOverrun();
        if (const auto step = state.pActiveTest) {
            const QString type = step->TestType();
            if (Is(type, "BIAS") && state.ElapsedSeconds % 1000 == 0)
                AlignBiasClock();
            if (MeasurementSchedule::IntervalOpensNow(state, type))
                SetNextMeasurementTime(false);
            if ((Is(type, "ACZ") || Is(type, "ACZ30")) && state.ElapsedSeconds == 5)
                state.StartupFlag = false;
            if (Is(type, "ACLG"))
                m_charge.Tick(ChargeSequence::ACLG, state, *step, m_sequencer.Settings().zamo80Delays.defibCharge);
            else if (Is(type, "DEFR"))
                m_charge.Tick(ChargeSequence::DEFR, state, *step, m_sequencer.Settings().zamo80Delays.defibCharge);
        }
    }
    KeepWorkstationAwake();
}

// Only a step that still waits for readings overruns: a step whose
// electrodes are all in waits for the sequencer's next tick to move on.
void IntervalTestClock::CheckOverrun()
{
    RunState& state = m_sequencer.State();
    if (!StepUnfinished())
        return;
    if (state.ElapsedSeconds == state.TestResendSecond)
        ResendActiveElectrodes();
    if (state.ElapsedSeconds == state.TestAbortSecond) {
        Write(QStringLiteral("* TEST EXCEEDED MAX EXPECTED DURATION"));
        m_sequencer.StopTests();
    }
}

// The count catches up with the UTC time it lost, but never jumps over the
// next BIAS sample.
void IntervalTestClock::AlignBiasClock()
{
    RunState& state = m_sequencer.State();
    if (!state.BiasUtcStart.isValid())
        return;
    const qint64 lag = SecondsSinceUtc(state.BiasUtcStart) - state.ElapsedSeconds;
    if (lag != 0 && state.ElapsedSeconds + lag < state.NextMeasurementTime)
        state.ElapsedSeconds = qint32(state.ElapsedSeconds + lag);
}

void IntervalTestClock::KeepWorkstationAwake()
{
    const int second = platform::Clock::now().time().second();
    const config::KeepAliveSettings& keepAlive = m_sequencer.Settings().keepAlive;
    if (keepAlive.moveMouse && (second == 59 || second == 0) && m_keepAwake.NudgeMousePointer)
        m_keepAwake.NudgeMousePointer();
    if (keepAlive.wakeUp && second == 0 && m_keepAwake.PreventSleep)
        m_keepAwake.PreventSleep();
}

void IntervalTestClock::SetNextMeasurementTime(bool vFirst)
{
    RunState& state = m_sequencer.State();
    if (state.pActiveTest)
        MeasurementSchedule::SetNextMeasurementTime(state, state.pActiveTest->TestType(), vFirst);
}

void IntervalTestClock::ResendActiveElectrodes()
{
    const auto step = m_sequencer.State().pActiveTest;
    if (!step)
        return;
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = m_sequencer.Unit(u);
        if (!unit || !unit->Connected())
            continue;
        for (qint16 channel = 0; channel < 16; ++channel) {
            if (step->IsElectrodeTestActive(qint16((u - 1) * 16 + channel)))
                unit->TXResendLastData(channel);
        }
    }
}

qint64 IntervalTestClock::SecondsSinceUtc(const QDateTime& vStart)
{
    return vStart.secsTo(platform::Clock::nowUtc());
}

void IntervalTestClock::CheckBiasTestDuration()
{
    RunState& state = m_sequencer.State();
    if (state.ElapsedSeconds < state.BiasMaxSeconds)
        return;
    modMain::WriteLog(QStringLiteral("Test Duration (") + QString::number(state.ElapsedSeconds)
                      + QStringLiteral(") >= Max BIAS Duration (") + QString::number(state.BiasMaxSeconds)
                      + QStringLiteral(")"));
    state.BiasMaxSeconds = 9999999;
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = m_sequencer.Unit(u);
        if (unit && unit->Connected())
            unit->TXStopAllBiasTest();
    }
}
