#include "run/AclgResults.h"

#include "config/Log.h"
#include "run/AclgSums.h"
#include "run/ChargeSequence.h"
#include "run/FamilyVerdicts.h"
#include "run/MeasurementSchedule.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

namespace run {

namespace {

const QString FinalLabel = QStringLiteral("61");
constexpr qint32 FinalSeconds = 61;

QString tracePoint(const QString& code)
{
    if (code == QLatin1String("FAIL") || code == QLatin1String("ERR"))
        return QStringLiteral(".14");
    return code == QLatin1String("PASS?") ? QStringLiteral(".11.12") : QStringLiteral(".11.13");
}

} // namespace

void AclgResults::aclgStarted()
{
    config::writeLog(QStringLiteral("ACLG.1"));
    m_flow.charge().acknowledge(ChargeSequence::Test::Aclg);
    m_flow.state().startPhase = false;
}

void AclgResults::aclgReading(UnitIndex unit, qint16 channel, const unit::AclgReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    QString trace = traceStart(false);
    handle({unit, channel, r.completed, r.finalMeasurement, 0.0, false, r.v50 >= 1 && r.ve >= 1, r.v50 < 1 && r.ve < 1},
           trace);
    config::writeLog(trace);
}

void AclgResults::zamo24AclgReading(UnitIndex unit, qint16 channel, const unit::Zamo24AclgReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    QString trace = traceStart(true);
    const bool anyBad = r.v50First < 1 || r.veFirst < 1 || r.v50Second < 1 || r.veSecond < 1;
    const bool allBad = r.v50First < 1 && r.veFirst < 1 && r.v50Second < 1 && r.veSecond < 1;
    handle({unit, channel, r.completed, r.calcR1, r.calcR2, true, !anyBad, allBad}, trace);
    config::writeLog(trace);
}

QString AclgResults::traceStart(bool pair)
{
    return pair ? QStringLiteral("ACLG24.2") : QStringLiteral("ACLG.2");
}

QString AclgResults::badFinalTrace(bool retransmitted)
{
    return retransmitted ? QStringLiteral(".4.6.8.9") : QStringLiteral(".4.6.7");
}

void AclgResults::handle(const Reading& r, QString& trace)
{
    if (!m_flow.isFinal(r.completed)) {
        handleInterim(r, trace);
        return;
    }
    m_flow.charge().finish(ChargeSequence::Test::Aclg);
    trace += QStringLiteral(".3");
    m_flow.writeCompletion(QStringLiteral("ACLG"), r.unit, r.channel);
    const bool badNumber = r.pair && !VerdictRules::isNumber(r.r2);
    switch (m_flow.checkFinalData(r.unit, r.channel, r.finalBad || badNumber, r.r1)) {
    case ResultReplyFlow::DataCheck::Retransmit: trace += badFinalTrace(true); return;
    case ResultReplyFlow::DataCheck::Exhausted:
        trace += badFinalTrace(false);
        m_flow.endWithERR(r.unit, r.channel);
        trace += QStringLiteral(".9");
        return;
    case ResultReplyFlow::DataCheck::Good:
        trace += QStringLiteral(".4.5");
        if (r.pair)
            m_flow.recordPair(r.unit, r.channel, FinalLabel, r.r1, r.r2, FinalSeconds);
        else
            m_flow.recordMeasurement(r.unit, r.channel, FinalLabel, r.r1, FinalSeconds);
        addToSums(r);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }

    trace += QStringLiteral(".10");
    const LimitPair limits = VerdictLimits::limitsFor(QStringLiteral("ACLG"), true, m_flow.limits());
    const Verdict verdict =
        r.pair ? FamilyVerdicts::readingPair(r.r1, r.r2, limits) : FamilyVerdicts::single(r.r1, limits);
    trace += tracePoint(verdict.code);
    const QString code = m_flow.apply(r.unit, r.channel, verdict);
    trace += QStringLiteral(".15");
    if (m_flow.recordingAllowed()) {
        m_flow.recordResult(r.unit, r.channel, code);
        trace += QStringLiteral(".16");
    }
}

void AclgResults::handleInterim(const Reading& r, QString& trace)
{
    trace += QStringLiteral(".17");
    if (!m_flow.takeInterim(r.unit, r.channel)) {
        trace += QStringLiteral(".22");
        return;
    }
    trace += QStringLiteral(".18");
    if (!m_flow.recordingAllowed())
        return;
    trace += r.interimGood ? QStringLiteral(".19.20") : QStringLiteral(".19.21");
    const qint32 seconds = m_flow.schedule().previousMeasurementTime();
    const QString label = QString::number(seconds);
    if (r.pair)
        m_flow.recordInterimPair(r.unit, r.channel, r.r1, r.r2, r.interimGood, label, seconds);
    else
        m_flow.recordInterim(r.unit, r.channel, r.r1, r.interimGood, label, seconds);
}

void AclgResults::addToSums(const Reading& r)
{
    m_flow.aclgSums().add(std::size_t(r.channel), r.r1, r.pair ? std::optional<double>(r.r2) : std::nullopt);
}

} // namespace run
