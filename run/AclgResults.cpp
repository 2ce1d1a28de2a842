#include "run/AclgResults.h"

#include "config/Log.h"
#include "run/FamilyVerdicts.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

namespace {

const QString FinalLabel = QStringLiteral("61");
constexpr qint32 FinalSeconds = 61;

QString TracePoint(const QString& code)
{
    if (code == QLatin1String("FAIL") || code == QLatin1String("ERR"))
        return QStringLiteral(".14");
    return code == QLatin1String("PASS?") ? QStringLiteral(".11.12") : QStringLiteral(".11.13");
}

} // namespace

void ACLGResults::RXACLGAck(int)
{
    modMain::WriteLog(QStringLiteral("ACLG.1"));
    m_flow.State().ACLGAckReceived = true;
    m_flow.State().StartupFlag = false;
}

void ACLGResults::RXACLGTestData(int Index, qint16 vCommChannelID, const AclgReading& r)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    QString trace = QStringLiteral("ACLG.2");
    Handle({Index, vCommChannelID, r.completed, r.finalMeasurement, 0.0, false, r.v50 >= 1 && r.ve >= 1,
            r.v50 < 1 && r.ve < 1},
           trace);
    modMain::WriteLog(trace);
}

void ACLGResults::RXZamo24ACLGTestData(int Index, qint16 vCommChannelID, const Zamo24AclgReading& r)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    QString trace = QStringLiteral("ACLG24.2");
    const bool anyBad = r.v50First < 1 || r.veFirst < 1 || r.v50Second < 1 || r.veSecond < 1;
    const bool allBad = r.v50First < 1 && r.veFirst < 1 && r.v50Second < 1 && r.veSecond < 1;
    Handle({Index, vCommChannelID, r.completed, r.calcR1, r.calcR2, true, !anyBad, allBad}, trace);
    modMain::WriteLog(trace);
}

void ACLGResults::Handle(const Reading& r, QString& trace)
{
    if (!m_flow.IsFinal(r.completed)) {
        HandleInterim(r, trace);
        return;
    }
    m_flow.State().ACLGDone = true;
    trace += QStringLiteral(".3");
    m_flow.WriteCompletion(QStringLiteral("ACLG"), r.unit, r.channel);
    const bool badNumber = r.pair && !VerdictRules::IsNumber(r.r2);
    switch (m_flow.CheckFinalData(r.unit, r.channel, r.finalBad || badNumber, r.r1)) {
    case ResultReplyFlow::DataCheck::Retransmit: trace += QStringLiteral(".4.6.8.9"); return;
    case ResultReplyFlow::DataCheck::Exhausted:
        trace += QStringLiteral(".4.6.7");
        m_flow.EndWithERR(r.unit, r.channel);
        trace += QStringLiteral(".9");
        return;
    case ResultReplyFlow::DataCheck::Good:
        trace += QStringLiteral(".4.5");
        if (r.pair)
            m_flow.RecordPair(r.unit, r.channel, FinalLabel, r.r1, r.r2, FinalSeconds);
        else
            m_flow.RecordMeasurement(r.unit, r.channel, FinalLabel, r.r1, FinalSeconds);
        AddToSums(r);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }

    trace += QStringLiteral(".10");
    const LimitPair limits = VerdictLimits::For(QStringLiteral("ACLG"), true, m_flow.Limits());
    const Verdict verdict =
        r.pair ? FamilyVerdicts::ReadingPair(r.r1, r.r2, limits) : FamilyVerdicts::Single(r.r1, limits);
    trace += TracePoint(verdict.code);
    const QString code = m_flow.Apply(r.unit, r.channel, verdict);
    trace += QStringLiteral(".15");
    if (m_flow.RecordingAllowed()) {
        m_flow.RecordResult(r.unit, r.channel, code);
        trace += QStringLiteral(".16");
    }
}

void ACLGResults::HandleInterim(const Reading& r, QString& trace)
{
    trace += QStringLiteral(".17");
    if (!m_flow.TakeInterim(r.unit, r.channel)) {
        trace += QStringLiteral(".22");
        return;
    }
    trace += QStringLiteral(".18");
    if (!m_flow.RecordingAllowed())
        return;
    trace += r.interimGood ? QStringLiteral(".19.20") : QStringLiteral(".19.21");
    const qint32 seconds = m_flow.State().PreviousMeasurementTime;
    const QString label = QString::number(seconds);
    if (r.pair)
        m_flow.RecordInterimPair(r.unit, r.channel, r.r1, r.r2, r.interimGood, label, seconds);
    else
        m_flow.RecordInterim(r.unit, r.channel, r.r1, r.interimGood, label, seconds);
}

// The sums are kept per channel letter, whichever unit the reading came from.
void ACLGResults::AddToSums(const Reading& r)
{
    auto& sums = m_flow.State().ACLGSums;
    const auto channel = std::size_t(r.channel);
    if (sums[0][channel] == NoSum) {
        sums[0][channel] = 0;
        if (r.pair)
            sums[1][channel] = 0;
    }
    sums[0][channel] += r.r1;
    if (r.pair)
        sums[1][channel] += r.r2;
}
