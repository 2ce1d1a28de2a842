#include "run/PaceRollPrompt.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "run/ElectrodeTestLists.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"

#include <exception>

namespace run {

PaceRollPrompt::PaceRollPrompt(RunState& state, RunServices& services, const config::PaceSettings& pace,
                               std::shared_ptr<testlists::TestStep> step, qint16 channel, UnitIndex unit,
                               bool secondary, qint32 duration, qint32 paceSeconds)
    : m_state(state),
      m_services(services),
      m_pace(pace),
      m_step(std::move(step)),
      m_channel(channel),
      m_unit(unit),
      m_secondary(secondary),
      m_duration(duration),
      m_secondsLeft(countdownStart(pace, paceSeconds))
{
}

int PaceRollPrompt::countdownStart(const config::PaceSettings& pace, qint32 paceSeconds)
{
    return pace.zamo24PaceRollAckDelay < paceSeconds ? pace.zamo24PaceRollAckDelay : paceSeconds / 2;
}

QString PaceRollPrompt::text() const
{
    return m_step->testType() + QStringLiteral(" on Channel ") + VerdictRules::electrodeName(m_unit, m_channel)
           + QStringLiteral(" has completed.");
}

void PaceRollPrompt::tick()
{
    if (m_ended)
        return;
    --m_secondsLeft;
    if (m_secondsLeft == 0)
        end(false);
}

void PaceRollPrompt::end(bool rolled)
{
    if (m_ended)
        return;
    m_ended = true;
    // A prompt outlives its run when the run is stopped: its answer then goes nowhere.
    RunState& state = m_state;
    if (!state.testRunning || !(state.lists.pace.contains(m_step) || state.lists.running.contains(m_step)))
        return;
    const qint16 index = VerdictRules::electrodeIndex(m_unit, m_channel);
    try {
        m_services.recorder->recordPaceTestResult(m_unit, m_channel, m_duration, m_secondary, *m_step, rolled,
                                                  m_step->concurrentPaceRollPrompt());
    } catch (const std::exception& e) {
        config::writeLog(QStringLiteral("Run step skipped after error: ") + QString::fromUtf8(e.what()));
    }
    if (m_secondary)
        m_step->setPaceRunning(false);
    m_step->setElectrodeTestComplete(index);
    m_step->clearElectrodeErrorCount(index);
    if (rolled || m_pace.zamo24ContinueWithoutRoll)
        return;
    removeUncompletedStepsOf(state.lists.pace, {index});
    removeUncompletedStepsOf(state.lists.running, {index});
}

} // namespace run
