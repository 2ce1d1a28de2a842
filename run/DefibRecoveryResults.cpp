#include "run/DefibRecoveryResults.h"

#include "run/FamilyVerdicts.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

void DefibRecoveryResults::RXDefibRecoveryAck(int)
{
    m_flow.State().DEFRAckReceived = true;
    m_flow.State().StartupFlag = false;
}

void DefibRecoveryResults::RXDefibRecoveryTestData(int Index, qint16 vCommChannelID,
                                                   const DefibRecoveryReading& reading)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID) || !m_flow.IsFinal(reading.completed))
        return;
    const qint16 vZero = reading.zero, v750mV = reading.ref750mV, v750mV_M = reading.ref750mVMeasured;
    const double vMeasurement4 = reading.measurement4, vMeasurement60 = reading.measurement60;
    m_flow.State().DEFRDone = true;
    m_flow.WriteCompletion(QStringLiteral("DEFR"), Index, vCommChannelID);
    // Either reading not a number is bad data, retransmitted like bad words.
    const bool bad = v750mV < 1 || v750mV_M < 1 || vZero < 1 || !VerdictRules::IsNumber(vMeasurement4)
                     || !VerdictRules::IsNumber(vMeasurement60);
    switch (m_flow.CheckFinalData(Index, vCommChannelID, bad, vMeasurement4)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted: m_flow.EndWithERR(Index, vCommChannelID); return;
    case ResultReplyFlow::DataCheck::Good:
        m_flow.RecordMeasurement(Index, vCommChannelID, QStringLiteral("4"), vMeasurement4, 4);
        m_flow.RecordMeasurement(Index, vCommChannelID, QStringLiteral("60"), vMeasurement60, 60);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }
    const Verdict verdict =
        FamilyVerdicts::DefibRecovery(vMeasurement4, vMeasurement60, VerdictLimits::For(QStringLiteral("DEFR4"), true, m_flow.Limits()),
                                      VerdictLimits::For(QStringLiteral("DEFR60"), true, m_flow.Limits()));
    m_flow.RecordResult(Index, vCommChannelID, m_flow.Apply(Index, vCommChannelID, verdict));
}
