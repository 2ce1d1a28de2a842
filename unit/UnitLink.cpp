#include "unit/UnitLink.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "unit/SimUnitPort.h"

#include <cmath>

namespace unit {

namespace {

// What a link uses until the station's settings are handed in.
const config::Zamo80Delays kDefaultDelays;
const config::AclgSettings kDefaultAclg;

qint32 roundHalfEven(double v)
{
    return static_cast<qint32>(std::nearbyint(v));
}

} // namespace

UnitLink::UnitLink(int index, QObject* parent)
    : QObject(parent),
      m_index(index),
      m_protocol(m_state),
      m_replies(*this, m_state, [this] { refreshStatus(); }),
      m_port([this](const QString& label, platform::FtStatus status) { reportUSBError(label, status); })
{
    useSettings(kDefaultDelays, kDefaultAclg);
    m_port.setChannelPresence([this](int channel) { return m_state.channelPresent(channel); });
    connect(&m_port, &UnitPort::channelAddressed, this, [this](qint16 channel) { m_protocol.attributeTo(channel); });
    connect(&m_port, &UnitPort::frameSent, this, [this](const QString& frame) { emit txData(m_index, frame); });
    connect(&m_port, &UnitPort::bytesReceived, this,
            [this](const QByteArray& bytes) { m_protocol.parseRead(bytes, m_replies); });
    connect(&m_port, &UnitPort::textReceived, this,
            [this](const QString& text) { m_protocol.parseText(text, m_replies); });
    connect(&m_status, &UnitLinkStatus::hardwareStatus, this,
            [this](const QString& status, bool error) { emit hardwareStatus(m_index, status, error); });
    connect(&m_status, &UnitLinkStatus::changed, this, &UnitLink::displayChanged);
    refreshStatus();
}

UnitLink::~UnitLink()
{
    m_port.setPollingEnabled(false);
    // The owner may be half destroyed already: close without raising events.
    blockSignals(true);
    terminateClose();
}

void UnitLink::useSettings(const config::Zamo80Delays& delays, const config::AclgSettings& aclg)
{
    m_delays = &delays;
    m_protocol.useAclgSettings(aclg);
}

// ---- properties ----

qint32 UnitLink::tenHzPeak() const
{
    return roundHalfEven(m_state.diagnostics().tenHz);
}
qint32 UnitLink::thirtyKPeak() const
{
    return roundHalfEven(m_state.diagnostics().thirtyK);
}
qint32 UnitLink::temperature() const
{
    return roundHalfEven(m_state.diagnostics().temperature);
}
qint32 UnitLink::VCC() const
{
    return roundHalfEven(m_state.diagnostics().vcc);
}
qint32 UnitLink::pos5V() const
{
    return roundHalfEven(m_state.diagnostics().pos5V);
}
qint32 UnitLink::neg5V() const
{
    return roundHalfEven(m_state.diagnostics().neg5V);
}

void UnitLink::setTestRunning(bool v)
{
    m_port.setTestRunning(v);
    m_status.setConnectEnabled(!v);
}

void UnitLink::setUnitID(qint16 v)
{
    m_unitID = v;
    refreshStatus();
}

// ---- connection ----

void UnitLink::disablePolling()
{
    m_port.setPollingEnabled(false);
}

void UnitLink::connectDevice()
{
    m_port.setSimulated(false);
    openDevice();
}

void UnitLink::connectSimulator(qint16 numOfChannels, bool zamo80Mode, bool zamo24Mode)
{
    m_state.setModel(unitModelOf(zamo80Mode, zamo24Mode));
    m_port.setSimulated(true);
    SimUnitPort* sim = m_port.simulatedUnit();
    sim->setNumOfChannels(numOfChannels);
    sim->setZamo80(zamo80Mode);
    sim->setZamo24(zamo24Mode);
    sim->init();
    openDevice();
}

void UnitLink::disconnectDevice()
{
    closeUSB(m_port.device().DeviceHandle);
    m_port.setSimulated(false);
}

void UnitLink::deactivate()
{
    m_port.setPollingEnabled(false);
    terminateClose();
}

void UnitLink::terminateClose()
{
    if (!m_port.isOpen())
        return;
    if (m_port.simulated()) {
        m_port.setOpen(false);
        return;
    }
    const bool closed = m_port.closeDevice() == platform::FT_OK;
    m_port.setOpen(false);
    if (closed)
        return;
    config::writeLog(QStringLiteral("Close attempt failed - Control Terminated"));
    m_status.showCloseFailed(true);
}

// ---- status display ----

QString UnitLink::modelName() const
{
    switch (model()) {
    case UnitModel::Zamo80: return QStringLiteral("ZAMO80");
    case UnitModel::Zamo24: return QStringLiteral("ZAMO2-4");
    case UnitModel::Base: break;
    }
    return QStringLiteral("ZAMO");
}

void UnitLink::refreshStatus()
{
    m_status.refresh(connected(), modelName(), generateElectrodeString(), m_unitID);
}

void UnitLink::connectToggleClicked(bool checked)
{
    m_status.setConnectChecked(checked);
    const UnitLinkDisplay& display = m_status.display();
    if (display.useSimChecked) {
        const auto channels = platform::Convert::toInt16(display.simChannelsText);
        if (!channels) {
            config::writeLog("Simulated channel count is not a number: \"" + display.simChannelsText + "\"");
            m_status.showConnectToggle(connected());
            return;
        }
        m_port.setSimulated(true);
        SimUnitPort* sim = m_port.simulatedUnit();
        sim->setNumOfChannels(*channels);
        sim->init();
    } else {
        m_port.setSimulated(false);
    }
    if (checked)
        openDevice();
    else
        closeUSB(m_port.device().DeviceHandle);
}

void UnitLink::setUseSimChecked(bool checked)
{
    m_status.setUseSimChecked(checked);
}

void UnitLink::setSimChannelsText(const QString& text)
{
    m_status.setSimChannelsText(text);
}

void UnitLink::enableSim()
{
    m_status.showSimControls();
}

void UnitLink::setPollingTimerInterval(qint16 interval)
{
    if (interval >= 1)
        m_port.setPollInterval(interval);
}

// ---- channel records ----

ChannelRecord* UnitLink::electrode(int channelID)
{
    ChannelRecord* record = m_state.channel(channelID);
    if (!record)
        config::writeLog("Unit #" + QString::number(m_unitID) + ": channel " + QString::number(channelID)
                         + " is outside 0..15; ignored");
    return record;
}

void UnitLink::clearElectrodeLastMeasurements()
{
    m_state.clearLastMeasurements();
}

void UnitLink::setElectrodeLastMeasurement(qint16 channelID, double value, double value2)
{
    if (ChannelRecord* e = electrode(channelID)) {
        e->setLastMeasurement(value);
        e->setLastMeasurement2(value2);
    }
}

double UnitLink::getElectrodeLastMeasurement(qint16 channelID)
{
    ChannelRecord* e = electrode(channelID);
    return e ? e->lastMeasurement() : 0;
}

double UnitLink::getElectrodeLastMeasurement2(qint16 channelID)
{
    ChannelRecord* e = electrode(channelID);
    return e ? e->lastMeasurement2() : 0;
}

void UnitLink::queryElectrodeInfo()
{
    for (qint16 c = 0; c < channelCount; ++c) {
        if (!m_state.channelPresent(c))
            continue;
        txGetCalibrationDate(c);
        txGetFirmwareVersion(c);
        txGetSerialNumber(c);
    }
}

double UnitLink::getPaceAmplitude(qint16 electrodeChannel, qint16 paceType)
{
    ChannelRecord* e = (paceType == 1 || paceType == 2) ? electrode(electrodeChannel) : nullptr;
    if (!e)
        return 0;
    return paceType == 1 ? e->zamo24Pace1Amplitude() : e->zamo24Pace2Amplitude();
}

double UnitLink::getPacePulseWidth(qint16 electrodeChannel, qint16 paceType)
{
    ChannelRecord* e = (paceType == 1 || paceType == 2) ? electrode(electrodeChannel) : nullptr;
    if (!e)
        return 0;
    return paceType == 1 ? e->zamo24Pace1PulseWidth() : e->zamo24Pace2PulseWidth();
}

double UnitLink::getPaceBPM(qint16 electrodeChannel, qint16 paceType)
{
    ChannelRecord* e = (paceType == 1 || paceType == 2) ? electrode(electrodeChannel) : nullptr;
    if (!e)
        return 0;
    return paceType == 1 ? e->zamo24Pace1BPM() : e->zamo24Pace2BPM();
}

QString UnitLink::electrodeChannelSerialNumber(qint16 index)
{
    ChannelRecord* e = electrode(index);
    return e ? e->serialNumber() : QString();
}

bool UnitLink::electrodeChannelCalibrationExpired(qint16 index)
{
    ChannelRecord* e = electrode(index);
    if (!e)
        return false;
    // The date carries no time: a channel calibrated until today has expired.
    return !(platform::OleDate::fromDateTime(platform::Clock::now()) < e->calibrationDate());
}

bool UnitLink::electrodeChannelExists(qint16 index)
{
    return m_state.channelPresent(index);
}

QVector<std::shared_ptr<ChannelRecord>> UnitLink::getElectrodeArray()
{
    if (!connected())
        return {};
    return m_state.records();
}

QStringList UnitLink::getDiagnosticArray()
{
    if (!connected())
        return {QString(), QString()};
    return m_state.diagnosticTexts();
}

QString UnitLink::generateElectrodeString()
{
    return m_state.channelList(m_unitID);
}

} // namespace unit
