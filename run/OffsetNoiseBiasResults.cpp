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

void OffsetNoiseBiasResults::RXDCOTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV,
                                           qint16 v750mV_M, qint16, qint16 vMeasure, qint16 vSeconds,
                                           bool vCompleted, double, double vMeasurement, bool vZamo80)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    Resync(m_flow.State().DCOResyncPending, vCompleted, vSeconds);
    const qint16 reference = vZamo80 ? v750mV_M : v50mV;
    Handle({QStringLiteral("DCO"), Index, vCommChannelID, vCompleted, vMeasurement,
            vZero < 1 || reference < 1 || vMeasure < 1,
            VerdictLimits::For(QStringLiteral("DCO"), vZamo80, m_flow.Limits()), DCOFinalSeconds});
}

void OffsetNoiseBiasResults::RXNoiseTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v100uV,
                                             qint16 vFilterZero, qint16 vHighPeak, qint16 vLowPeak, qint16 vSeconds,
                                             bool vCompleted, double, double, double vVppMeasurement, bool vZamo80)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    Resync(m_flow.State().NOISEResyncPending, vCompleted, vSeconds);
    const bool bad =
        vZero < 1 || v100uV < 1 || vFilterZero < 1 || vHighPeak < 1 || vLowPeak < 1 || vHighPeak < vLowPeak;
    Handle({QStringLiteral("NOISE"), Index, vCommChannelID, vCompleted, vVppMeasurement, bad,
            VerdictLimits::For(QStringLiteral("NOISE"), vZamo80, m_flow.Limits()), NOISEFinalSeconds});
}

void OffsetNoiseBiasResults::RXBiasTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV,
                                            qint16 vInitial, qint16 vMax, qint16, qint16, qint16, bool vCompleted,
                                            double, double vMeasurement)
{
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    Handle({QStringLiteral("BIAS"), Index, vCommChannelID, vCompleted, vMeasurement,
            vZero < 1 || v50mV < 1 || vInitial < 1 || vMax < 1,
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
    case ResultReplyFlow::DataCheck::Retransmit:
        return;
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
    case ResultReplyFlow::DataCheck::NotRecorded:
        break;
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
