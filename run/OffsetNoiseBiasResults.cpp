#include "run/OffsetNoiseBiasResults.h"

#include "run/MeasurementSchedule.h"
#include "run/ReadingFlow.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"
#include "unit/Unit.h"

namespace run {

namespace {

constexpr qint32 DCOFinalSeconds = 61;
constexpr qint32 NOISEFinalSeconds = 360;
constexpr qint32 HoursMinutesLabel = 0;

} // namespace

void OffsetNoiseBiasResults::dcoReading(UnitIndex unit, qint16 channel, const unit::DcoReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    if (!r.completed)
        m_flow.schedule().resync(MeasurementSchedule::Resync::Dco, r.seconds);
    const qint16 reference = r.zamo80Family ? r.ref750mVMeasured : r.ref50mV;
    handle({QStringLiteral("DCO"), unit, channel, r.completed, r.measurement,
            r.zero < 1 || reference < 1 || r.measure < 1,
            VerdictLimits::limitsFor(QStringLiteral("DCO"), r.zamo80Family, m_flow.limits()), DCOFinalSeconds});
}

void OffsetNoiseBiasResults::noiseReading(UnitIndex unit, qint16 channel, const unit::NoiseReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    if (!r.completed)
        m_flow.schedule().resync(MeasurementSchedule::Resync::Noise, r.seconds);
    const bool bad =
        r.zero < 1 || r.ref100uV < 1 || r.filterZero < 1 || r.highPeak < 1 || r.lowPeak < 1 || r.highPeak < r.lowPeak;
    handle({QStringLiteral("NOISE"), unit, channel, r.completed, r.vppMeasurement, bad,
            VerdictLimits::limitsFor(QStringLiteral("NOISE"), r.zamo80Family, m_flow.limits()), NOISEFinalSeconds});
}

void OffsetNoiseBiasResults::biasReading(UnitIndex unit, qint16 channel, const unit::BiasReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    handle({QStringLiteral("BIAS"), unit, channel, r.completed, r.measurement,
            r.zero < 1 || r.ref50mV < 1 || r.initial < 1 || r.max < 1,
            VerdictLimits::limitsFor(QStringLiteral("BIAS"), false, m_flow.limits()), HoursMinutesLabel});
}

void OffsetNoiseBiasResults::handle(const Reading& r)
{
    const qint32 interval = m_flow.schedule().previousMeasurementTime();
    const bool hoursMinutes = r.finalSeconds == HoursMinutesLabel;
    const QString intervalLabel = hoursMinutes ? RunRecording::formatHoursMinutes(interval) : QString::number(interval);
    if (!m_flow.isFinal(r.completed)) {
        if (m_flow.takeInterim(r.unit, r.channel))
            m_flow.recordInterim(r.unit, r.channel, r.value, !r.badData, intervalLabel, interval);
        return;
    }
    if (hoursMinutes && m_flow.electrodeDone(r.unit, r.channel))
        return;

    m_flow.writeCompletion(r.testName, r.unit, r.channel);
    switch (m_flow.checkFinalData(r.unit, r.channel, r.badData, r.value)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted:
        // A bias measurement that keeps failing is stopped on the channel.
        m_flow.endWithERR(r.unit, r.channel, [&] {
            if (hoursMinutes)
                if (unit::Unit* unit = m_flow.unitAt(r.unit))
                    unit->txCancel(r.channel);
        });
        return;
    case ResultReplyFlow::DataCheck::Good:
        if (hoursMinutes)
            m_flow.recordMeasurement(r.unit, r.channel, intervalLabel, r.value, interval);
        else
            m_flow.recordMeasurement(r.unit, r.channel, QString::number(r.finalSeconds), r.value, r.finalSeconds);
        break;
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }
    m_flow.recordResult(r.unit, r.channel, m_flow.judge(r.unit, r.channel, r.value, r.limits));
}

} // namespace run
