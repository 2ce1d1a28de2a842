#include "run/ImpedanceResults.h"

#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

namespace {

const QString ImpedanceLabel = QStringLiteral("20");
constexpr qint32 ImpedanceSeconds = 20;

} // namespace

void ImpedanceResults::RXACZTestData(int Index, qint16 vCommChannelID, const AczReading& reading)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    if (!m_flow.IsFinal(reading.completed)) {
        m_flow.TakeInterim(Index, vCommChannelID);
        return;
    }
    const bool zamo80 = reading.zamo80Family;
    const bool bad =
        reading.zeroLevel < 1 || reading.ref1k < 1 || reading.measureHigh != 0 || (!zamo80 && reading.vcc < 1);
    const LimitPair limits = VerdictLimits::For(QStringLiteral("ACZ"), zamo80, m_flow.Limits());
    HandleFinal({QStringLiteral("ACZ"), Index, vCommChannelID, bad, reading.measureHigh, reading.measurement,
                 ACZOpenThreshold, limits, zamo80 && m_flow.State().PreCheckRunning});
}

void ImpedanceResults::RXACZ30TestData(int Index, qint16 vCommChannelID, const Acz30Reading& reading)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    if (!m_flow.IsFinal(reading.completed)) {
        m_flow.TakeInterim(Index, vCommChannelID);
        return;
    }
    const bool bad = reading.zeroLevel < 1 || reading.ref1k < 1 || reading.measureHigh != 0;
    const LimitPair limits = VerdictLimits::For(QStringLiteral("ACZ30"), reading.zamo80Family, m_flow.Limits());
    HandleFinal({QStringLiteral("ACZ30"), Index, vCommChannelID, bad, reading.measureHigh, reading.measurement,
                 ACZ30OpenThreshold, limits, false});
}

void ImpedanceResults::RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    RunState& state = m_flow.State();
    if (state.ACZ30ZeroRun && state.pActiveTest)
        state.pActiveTest->SetElectrodeTestComplete(VerdictRules::ElectrodeIndex(Index, vCommChannelID));
    m_flow.WriteCompletion(QStringLiteral("ACZ30 Zero"), Index, vCommChannelID);
}

void ImpedanceResults::HandleFinal(const FinalReading& r)
{
    m_flow.WriteCompletion(r.testName, r.unit, r.channel);
    switch (m_flow.CheckFinalData(r.unit, r.channel, r.badData, r.value)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted: {
        // A high reading on the last try says the electrode is open.
        const bool open = r.measureHigh >= 1;
        const QString line = open ? FailedOpenLine(r.unit, r.channel)
                                  : VerdictRules::DataErrorLine(VerdictRules::ElectrodeName(r.unit, r.channel));
        if (r.setsOpenCircuitFlags)
            SetOpenCircuitFlag(r.unit, r.channel, true);
        m_flow.EndWithDataError(r.unit, r.channel, open ? QStringLiteral("FAIL_O") : QStringLiteral("ERR"), line);
        return;
    }
    case ResultReplyFlow::DataCheck::Good:
        m_flow.RecordMeasurement(r.unit, r.channel, ImpedanceLabel, r.value, ImpedanceSeconds);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }

    QString code;
    if (VerdictRules::IsNumber(r.value) && r.value <= r.openThreshold) {
        code = QStringLiteral("FAIL_O");
        m_flow.Write(FailedOpenLine(r.unit, r.channel));
        m_flow.PlayFailureSound();
    } else {
        code = m_flow.Judge(r.unit, r.channel, r.value, r.limits);
    }
    m_flow.RecordResult(r.unit, r.channel, code);
    if (r.setsOpenCircuitFlags)
        SetOpenCircuitFlag(r.unit, r.channel, !VerdictRules::IsPass(code));
}

void ImpedanceResults::SetOpenCircuitFlag(int vUnit, qint16 vChannel, bool vOpen)
{
    m_flow.State().OpenCircuitFlags[std::size_t(vUnit - 1)][std::size_t(vChannel)] = vOpen;
}

QString ImpedanceResults::FailedOpenLine(int vUnit, qint16 vChannel) const
{
    return QStringLiteral("* -> Electrode ") + VerdictRules::ElectrodeName(vUnit, vChannel)
           + QStringLiteral(", FAILED OPEN");
}
