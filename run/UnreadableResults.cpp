#include "run/UnreadableResults.h"

#include "config/Log.h"
#include "run/AclgResults.h"
#include "run/ChargeSequence.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"
#include "run/Zamo80RunPlan.h"
#include "unit/Unit.h"

#include <QScopeGuard>

#include <limits>

namespace run {

using unit::ReadingKind;

const char* UnreadableResults::testName(ReadingKind kind)
{
    switch (kind) {
    case ReadingKind::Acz: return "ACZ";
    case ReadingKind::Acz30: return "ACZ30";
    case ReadingKind::Aclg:
    case ReadingKind::Zamo24Aclg: return "ACLG";
    case ReadingKind::DefibRecovery: return "DEFR";
    case ReadingKind::Noise: return "NOISE";
    case ReadingKind::Dco: return "DCO";
    case ReadingKind::Bias: return "BIAS";
    case ReadingKind::Sdr: return "SDR";
    }
    return "";
}

void UnreadableResults::reading(UnitIndex unit, qint16 channel, const unit::UnreadableReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    const ReadingKind kind = r.kind;
    const bool aclg = kind == ReadingKind::Aclg || kind == ReadingKind::Zamo24Aclg;
    // An ACLG reply leaves its trace line, readable or not.
    QString trace = aclg ? AclgResults::traceStart(kind == ReadingKind::Zamo24Aclg) : QString();
    const auto writeTrace = qScopeGuard([&] {
        if (aclg)
            config::writeLog(trace);
    });
    // A final SDR reply ends the start phase, as a readable one does.
    if (kind == ReadingKind::Sdr && r.completed)
        m_flow.state().startPhase = false;
    if (!m_flow.isFinal(r.completed)) {
        trace += QStringLiteral(".17");
        return;
    }
    if (kind == ReadingKind::Bias && m_flow.electrodeDone(unit, channel))
        return;
    if (aclg)
        m_flow.charge().finish(ChargeSequence::Test::Aclg);
    if (kind == ReadingKind::DefibRecovery)
        m_flow.charge().finish(ChargeSequence::Test::Defr);

    trace += QStringLiteral(".3");
    m_flow.writeCompletion(QLatin1String(testName(kind)), unit, channel);
    switch (m_flow.checkFinalData(unit, channel, true, std::numeric_limits<double>::quiet_NaN())) {
    case ResultReplyFlow::DataCheck::Retransmit: trace += AclgResults::badFinalTrace(true); return;
    case ResultReplyFlow::DataCheck::Good: return;
    case ResultReplyFlow::DataCheck::Exhausted:
        trace += AclgResults::badFinalTrace(false);
        if (kind == ReadingKind::Acz && r.zamo80Family && m_flow.state().preCheckRunning)
            m_flow.plan().setOpenCircuit(unit, std::size_t(channel), true);
        m_flow.endWithERR(unit, channel, [&] {
            // A bias measurement that keeps failing is stopped on the channel.
            if (kind == ReadingKind::Bias)
                if (unit::Unit* link = m_flow.unitAt(unit))
                    link->txCancel(channel);
        });
        trace += QStringLiteral(".9");
        return;
    case ResultReplyFlow::DataCheck::NotRecorded:
        // Calibration mode: shown as the data error it is, nothing judged.
        m_flow.write(VerdictRules::dataErrorLine(VerdictRules::electrodeName(unit, channel)));
        return;
    }
}

} // namespace run
