#include "run/UnreadableResults.h"

#include "run/ChargeSequence.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"
#include "run/Zamo80RunPlan.h"
#include "unit/Unit.h"

#include <limits>

namespace run {

using unit::ReadingKind;

const char* UnreadableResults::testName(ReadingKind kind)
{
    switch (kind) {
    case ReadingKind::Acz: return "ACZ";
    case ReadingKind::Acz30: return "ACZ30";
    case ReadingKind::Acz30Zero: return "ACZ30ZERO";
    case ReadingKind::Aclg: return "ACLG";
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
    // The ACZ30 zero has a single reply and no start phase.
    if (kind != ReadingKind::Acz30Zero && !m_flow.isFinal(r.completed))
        return;
    if (kind == ReadingKind::Bias && m_flow.electrodeDone(unit, channel))
        return;
    if (kind == ReadingKind::Aclg)
        m_flow.charge().finish(ChargeSequence::Test::Aclg);
    if (kind == ReadingKind::DefibRecovery)
        m_flow.charge().finish(ChargeSequence::Test::Defr);

    const QString name = kind == ReadingKind::Acz30Zero ? QStringLiteral("ACZ30 Zero") : QLatin1String(testName(kind));
    m_flow.writeCompletion(name, unit, channel);
    switch (m_flow.checkFinalData(unit, channel, true, std::numeric_limits<double>::quiet_NaN())) {
    case ResultReplyFlow::DataCheck::Retransmit:
    case ResultReplyFlow::DataCheck::Good: return;
    case ResultReplyFlow::DataCheck::Exhausted:
        if (kind == ReadingKind::Acz && r.zamo80Family && m_flow.state().preCheckRunning)
            m_flow.plan().setOpenCircuit(unit, std::size_t(channel), true);
        m_flow.endWithERR(unit, channel, [&] {
            // A bias measurement that keeps failing is stopped on the channel.
            if (kind == ReadingKind::Bias)
                if (unit::Unit* link = m_flow.unitAt(unit))
                    link->txCancel(channel);
        });
        return;
    case ResultReplyFlow::DataCheck::NotRecorded:
        // Calibration mode: shown as the data error it is, nothing judged.
        m_flow.write(VerdictRules::dataErrorLine(VerdictRules::electrodeName(unit, channel)));
        return;
    }
}

} // namespace run
