#include "run/DefibRecoveryResults.h"

#include "run/ChargeSequence.h"
#include "run/FamilyVerdicts.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

namespace run {

void DefibRecoveryResults::defibRecoveryStarted()
{
    m_flow.charge().acknowledge(ChargeSequence::Test::Defr);
    m_flow.state().startPhase = false;
}

void DefibRecoveryResults::defibRecoveryReading(UnitIndex unit, qint16 channel,
                                                const unit::DefibRecoveryReading& reading)
{
    if (!VerdictRules::validChannel(channel) || !m_flow.isFinal(reading.completed))
        return;
    const qint16 zero = reading.zero, ref750mV = reading.ref750mV, measured750mV = reading.ref750mVMeasured;
    const double measurement4 = reading.measurement4, measurement60 = reading.measurement60;
    m_flow.charge().finish(ChargeSequence::Test::Defr);
    m_flow.writeCompletion(QStringLiteral("DEFR"), unit, channel);
    // Either reading not a number is bad data, retransmitted like bad words.
    const bool bad = ref750mV < 1 || measured750mV < 1 || zero < 1 || !VerdictRules::isNumber(measurement4)
                     || !VerdictRules::isNumber(measurement60);
    switch (m_flow.checkFinalData(unit, channel, bad, measurement4)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted: m_flow.endWithERR(unit, channel); return;
    case ResultReplyFlow::DataCheck::Good:
        m_flow.recordMeasurement(unit, channel, QStringLiteral("4"), measurement4, 4);
        m_flow.recordMeasurement(unit, channel, QStringLiteral("60"), measurement60, 60);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }
    const Verdict verdict = FamilyVerdicts::defibRecovery(
        measurement4, measurement60, VerdictLimits::limitsFor(QStringLiteral("DEFR4"), true, m_flow.limits()),
        VerdictLimits::limitsFor(QStringLiteral("DEFR60"), true, m_flow.limits()));
    m_flow.recordResult(unit, channel, m_flow.apply(unit, channel, verdict));
}

} // namespace run
