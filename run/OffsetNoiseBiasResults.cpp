#include "run/OffsetNoiseBiasResults.h"

#include "run/ReadingFlow.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"
#include "unit/Unit.h"

namespace {

constexpr qint32 DCOFinalSeconds = 61;
constexpr qint32 NOISEFinalSeconds = 360;
constexpr qint32 HoursMinutesLabel = 0;

} // namespace

void OffsetNoiseBiasResults::RXDCOTestData(int Index, qint16 vCommChannelID, const DcoReading& r)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    Resync(m_flow.State().DCOResyncPending, r.completed, r.seconds);
    const qint16 reference = r.zamo80Family ? r.ref750mVMeasured : r.ref50mV;
    Handle({QStringLiteral("DCO"), Index, vCommChannelID, r.completed, r.measurement,
            r.zero < 1 || reference < 1 || r.measure < 1, VerdictLimits::For(QStringLiteral("DCO"), r.zamo80Family, m_flow.Limits()),
            DCOFinalSeconds});
}

void OffsetNoiseBiasResults::RXNoiseTestData(int Index, qint16 vCommChannelID, const NoiseReading& r)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    Resync(m_flow.State().NOISEResyncPending, r.completed, r.seconds);
    const bool bad =
        r.zero < 1 || r.ref100uV < 1 || r.filterZero < 1 || r.highPeak < 1 || r.lowPeak < 1 || r.highPeak < r.lowPeak;
    Handle({QStringLiteral("NOISE"), Index, vCommChannelID, r.completed, r.vppMeasurement, bad,
            VerdictLimits::For(QStringLiteral("NOISE"), r.zamo80Family, m_flow.Limits()), NOISEFinalSeconds});
}

void OffsetNoiseBiasResults::RXBiasTestData(int Index, qint16 vCommChannelID, const BiasReading& r)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    Handle({QStringLiteral("BIAS"), Index, vCommChannelID, r.completed, r.measurement,
            r.zero < 1 || r.ref50mV < 1 || r.initial < 1 || r.max < 1,
            VerdictLimits::For(QStringLiteral("BIAS"), false, m_flow.Limits()), HoursMinutesLabel});
}

void OffsetNoiseBiasResults::Resync(bool& vPending, bool vCompleted, qint16 vSeconds)
{
    if (vCompleted || !vPending)
        return;
    m_flow.State().ElapsedSeconds = vSeconds;
    vPending = false;
}

void OffsetNoiseBiasResults::Handle(const Reading& r)
{
    const qint32 interval = m_flow.State().PreviousMeasurementTime;
    const bool hoursMinutes = r.finalSeconds == HoursMinutesLabel;
    const QString intervalLabel = hoursMinutes ? RunRecording::FormatHoursMinutes(interval) : QString::number(interval);
    if (!m_flow.IsFinal(r.completed)) {
        if (m_flow.TakeInterim(r.unit, r.channel))
            m_flow.RecordInterim(r.unit, r.channel, r.value, !r.badData, intervalLabel, interval);
        return;
    }
    if (hoursMinutes && ElectrodeDone(r))
        return;

    m_flow.WriteCompletion(r.testName, r.unit, r.channel);
    switch (m_flow.CheckFinalData(r.unit, r.channel, r.badData, r.value)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted:
        // A bias measurement that keeps failing is stopped on the channel.
        m_flow.EndWithERR(r.unit, r.channel, [&] {
            if (hoursMinutes)
                if (UnitLink* unit = m_flow.Unit(r.unit))
                    unit->TXCancel(r.channel);
        });
        return;
    case ResultReplyFlow::DataCheck::Good:
        if (hoursMinutes)
            m_flow.RecordMeasurement(r.unit, r.channel, intervalLabel, r.value, interval);
        else
            m_flow.RecordMeasurement(r.unit, r.channel, QString::number(r.finalSeconds), r.value, r.finalSeconds);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }
    m_flow.RecordResult(r.unit, r.channel, m_flow.Judge(r.unit, r.channel, r.value, r.limits));
}

// A BIAS final reading for an electrode already complete is dropped.
bool OffsetNoiseBiasResults::ElectrodeDone(const Reading& r)
{
    const auto& test = m_flow.State().pActiveTest;
    return m_flow.RecordingAllowed() && test
           && !test->IsElectrodeTestActive(VerdictRules::ElectrodeIndex(r.unit, r.channel));
}
