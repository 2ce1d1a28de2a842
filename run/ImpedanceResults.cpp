#include "run/ImpedanceResults.h"

#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"
#include "run/Zamo80RunPlan.h"

namespace run {

namespace {

const QString ImpedanceLabel = QStringLiteral("20");
constexpr qint32 ImpedanceSeconds = 20;

} // namespace

void ImpedanceResults::aczReading(UnitIndex unit, qint16 channel, const unit::AczReading& reading)
{
    if (!VerdictRules::validChannel(channel))
        return;
    if (!m_flow.isFinal(reading.completed)) {
        m_flow.takeInterim(unit, channel);
        return;
    }
    const bool zamo80 = reading.zamo80Family;
    const bool bad =
        reading.zeroLevel < 1 || reading.ref1k < 1 || reading.measureHigh != 0 || (!zamo80 && reading.vcc < 1);
    const LimitPair limits = VerdictLimits::limitsFor(QStringLiteral("ACZ"), zamo80, m_flow.limits());
    handleFinal({QStringLiteral("ACZ"), unit, channel, bad, reading.measureHigh, reading.measurement, ACZOpenThreshold,
                 limits, zamo80 && m_flow.state().preCheckRunning});
}

void ImpedanceResults::acz30Reading(UnitIndex unit, qint16 channel, const unit::Acz30Reading& reading)
{
    if (!VerdictRules::validChannel(channel))
        return;
    if (!m_flow.isFinal(reading.completed)) {
        m_flow.takeInterim(unit, channel);
        return;
    }
    const bool bad = reading.zeroLevel < 1 || reading.ref1k < 1 || reading.measureHigh != 0;
    const LimitPair limits = VerdictLimits::limitsFor(QStringLiteral("ACZ30"), reading.zamo80Family, m_flow.limits());
    handleFinal({QStringLiteral("ACZ30"), unit, channel, bad, reading.measureHigh, reading.measurement,
                 ACZ30OpenThreshold, limits, false});
}

void ImpedanceResults::acz30Zero(UnitIndex unit, qint16 channel, const unit::Acz30Zero&)
{
    if (!VerdictRules::validChannel(channel))
        return;
    RunState& state = m_flow.state();
    if (state.acz30ZeroRun && state.activeTest)
        state.activeTest->setElectrodeTestComplete(VerdictRules::electrodeIndex(unit, channel));
    m_flow.writeCompletion(QStringLiteral("ACZ30 Zero"), unit, channel);
}

void ImpedanceResults::handleFinal(const FinalReading& r)
{
    m_flow.writeCompletion(r.testName, r.unit, r.channel);
    switch (m_flow.checkFinalData(r.unit, r.channel, r.badData, r.value)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted: {
        // A high reading on the last try says the electrode is open.
        const bool open = r.measureHigh >= 1;
        const QString line = open ? failedOpenLine(r.unit, r.channel)
                                  : VerdictRules::dataErrorLine(VerdictRules::electrodeName(r.unit, r.channel));
        if (r.setsOpenCircuitFlags)
            setOpenCircuitFlag(r.unit, r.channel, true);
        m_flow.endWithDataError(r.unit, r.channel, open ? QStringLiteral("FAIL_O") : QStringLiteral("ERR"), line);
        return;
    }
    case ResultReplyFlow::DataCheck::Good:
        m_flow.recordMeasurement(r.unit, r.channel, ImpedanceLabel, r.value, ImpedanceSeconds);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }

    QString code;
    if (VerdictRules::isNumber(r.value) && r.value <= r.openThreshold) {
        code = QStringLiteral("FAIL_O");
        m_flow.write(failedOpenLine(r.unit, r.channel));
        m_flow.playFailureSound();
    } else {
        code = m_flow.judge(r.unit, r.channel, r.value, r.limits);
    }
    m_flow.recordResult(r.unit, r.channel, code);
    if (r.setsOpenCircuitFlags)
        setOpenCircuitFlag(r.unit, r.channel, !VerdictRules::isPass(code));
}

void ImpedanceResults::setOpenCircuitFlag(UnitIndex unit, qint16 channel, bool open)
{
    m_flow.plan().setOpenCircuit(unit, std::size_t(channel), open);
}

QString ImpedanceResults::failedOpenLine(UnitIndex unit, qint16 channel) const
{
    return QStringLiteral("* -> Electrode ") + VerdictRules::electrodeName(unit, channel)
           + QStringLiteral(", FAILED OPEN");
}

} // namespace run
