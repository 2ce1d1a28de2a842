#include "unit/UnitChannels.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/OleDate.h"
#include "unit/UnitChannelState.h"

#include <cmath>

namespace unit {

namespace {

qint32 roundHalfEven(double v)
{
    return static_cast<qint32>(std::nearbyint(v));
}

} // namespace

UnitChannels::UnitChannels(UnitChannelState& state, const qint16& unitNumber, std::function<bool()> connected)
    : m_state(state), m_unitNumber(unitNumber), m_connected(std::move(connected))
{
}

qint32 UnitChannels::tenHzPeak() const
{
    return roundHalfEven(m_state.diagnostics().tenHz);
}
qint32 UnitChannels::thirtyKPeak() const
{
    return roundHalfEven(m_state.diagnostics().thirtyK);
}
qint32 UnitChannels::temperature() const
{
    return roundHalfEven(m_state.diagnostics().temperature);
}
qint32 UnitChannels::vcc() const
{
    return roundHalfEven(m_state.diagnostics().vcc);
}
qint32 UnitChannels::pos5V() const
{
    return roundHalfEven(m_state.diagnostics().pos5V);
}
qint32 UnitChannels::neg5V() const
{
    return roundHalfEven(m_state.diagnostics().neg5V);
}

bool UnitChannels::reg5VWorking() const
{
    return m_state.diagnostics().reg5VWorking;
}

bool UnitChannels::working200VOn() const
{
    return m_state.diagnostics().working200VOn;
}

bool UnitChannels::working200VOff() const
{
    return m_state.diagnostics().working200VOff;
}

QString UnitChannels::unitFirmwareVersion() const
{
    return m_state.diagnostics().firmwareVersion;
}

ChannelRecord* UnitChannels::electrode(int channel)
{
    ChannelRecord* record = m_state.channel(channel);
    if (!record)
        config::writeLog("Unit #" + QString::number(m_unitNumber) + ": channel " + QString::number(channel)
                         + " is outside 0..15; ignored");
    return record;
}

void UnitChannels::clearElectrodeLastMeasurements()
{
    m_state.clearLastMeasurements();
}

void UnitChannels::setElectrodeLastMeasurement(qint16 channel, double value, double value2)
{
    if (ChannelRecord* e = electrode(channel)) {
        e->setLastMeasurement(value);
        e->setLastMeasurement2(value2);
    }
}

double UnitChannels::getElectrodeLastMeasurement(qint16 channel)
{
    ChannelRecord* e = electrode(channel);
    return e ? e->lastMeasurement() : 0;
}

double UnitChannels::getElectrodeLastMeasurement2(qint16 channel)
{
    ChannelRecord* e = electrode(channel);
    return e ? e->lastMeasurement2() : 0;
}

double UnitChannels::getPaceAmplitude(qint16 channel, qint16 paceType)
{
    ChannelRecord* e = (paceType == 1 || paceType == 2) ? electrode(channel) : nullptr;
    if (!e)
        return 0;
    return paceType == 1 ? e->zamo24Pace1Amplitude() : e->zamo24Pace2Amplitude();
}

double UnitChannels::getPacePulseWidth(qint16 channel, qint16 paceType)
{
    ChannelRecord* e = (paceType == 1 || paceType == 2) ? electrode(channel) : nullptr;
    if (!e)
        return 0;
    return paceType == 1 ? e->zamo24Pace1PulseWidth() : e->zamo24Pace2PulseWidth();
}

double UnitChannels::getPaceBPM(qint16 channel, qint16 paceType)
{
    ChannelRecord* e = (paceType == 1 || paceType == 2) ? electrode(channel) : nullptr;
    if (!e)
        return 0;
    return paceType == 1 ? e->zamo24Pace1BPM() : e->zamo24Pace2BPM();
}

QString UnitChannels::electrodeChannelSerialNumber(qint16 channel)
{
    ChannelRecord* e = electrode(channel);
    return e ? e->serialNumber() : QString();
}

bool UnitChannels::electrodeChannelCalibrationExpired(qint16 channel)
{
    ChannelRecord* e = electrode(channel);
    if (!e)
        return false;
    // The date carries no time: a channel calibrated until today has expired.
    return !(platform::OleDate::fromDateTime(platform::Clock::now()) < e->calibrationDate());
}

bool UnitChannels::electrodeChannelExists(qint16 channel)
{
    return m_state.channelPresent(channel);
}

QVector<std::shared_ptr<ChannelRecord>> UnitChannels::getElectrodeArray()
{
    if (!m_connected())
        return {};
    return m_state.records();
}

QStringList UnitChannels::getDiagnosticArray()
{
    if (!m_connected())
        return {QString(), QString()};
    return m_state.diagnosticTexts();
}

QString UnitChannels::channelList()
{
    return m_state.channelList(m_unitNumber);
}

} // namespace unit
