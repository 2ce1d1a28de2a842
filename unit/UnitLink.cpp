#include "unit/UnitLink.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "unit/SimUnitPort.h"

namespace unit {

namespace {

// What a link uses until the station's settings are handed in.
const config::Zamo80Delays kDefaultDelays;
const config::AclgSettings kDefaultAclg;

} // namespace

UnitLink::UnitLink(int index, QObject* parent)
    : QObject(parent),
      m_index(index),
      m_channels(m_state, m_unitNumber, [this] { return connected(); }),
      m_protocol(m_state),
      m_replies(*this, m_state, [this] { refreshStatus(); }),
      m_port([this](const QString& label, platform::FtStatus status) { m_handshake.reportPortError(label, status); }),
      m_sender(m_port, m_protocol, m_replies, m_state, m_unitNumber),
      m_channelTests(m_sender),
      m_maintenance(m_sender),
      m_calBoard(m_sender),
      m_unitCommands(m_sender),
      m_handshake(*this, m_port, m_state, m_status, m_protocol, m_unitCommands, [this] { refreshStatus(); })
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

void UnitLink::setTestRunning(bool v)
{
    m_port.setTestRunning(v);
    m_status.setConnectEnabled(!v);
}

void UnitLink::setUnitNumber(qint16 v)
{
    m_unitNumber = v;
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

qint32 UnitLink::openDevice()
{
    m_handshake.open();
    return 0;
}

void UnitLink::closeUSB(qint32 handle)
{
    m_handshake.close(handle);
}

void UnitLink::disconnectDevice()
{
    closeUSB(m_port.device().handle());
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
    m_status.refresh(connected(), modelName(), m_channels.channelList(), m_unitNumber);
}

void UnitLink::connectToggled(bool checked, std::optional<qint16> simulatedChannels)
{
    m_status.setConnectChecked(checked);
    if (simulatedChannels) {
        m_port.setSimulated(true);
        SimUnitPort* sim = m_port.simulatedUnit();
        sim->setNumOfChannels(*simulatedChannels);
        sim->init();
    } else {
        m_port.setSimulated(false);
    }
    if (checked)
        openDevice();
    else
        closeUSB(m_port.device().handle());
}

void UnitLink::restoreConnectToggle()
{
    m_status.showConnectToggle(connected());
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

void UnitLink::queryElectrodeInfo()
{
    for (qint16 c = 0; c < channelCount; ++c) {
        if (!m_state.channelPresent(c))
            continue;
        m_maintenance.txGetCalibrationDate(c);
        m_maintenance.txGetFirmwareVersion(c);
        m_maintenance.txGetSerialNumber(c);
    }
}

} // namespace unit
