#include "unit/UnitLink.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "unit/SimUnitPort.h"

#include <cmath>

namespace {

// What a link uses until the station's settings are handed in.
const config::Zamo80Delays kDefaultDelays;
const config::AclgSettings kDefaultAclg;

qint32 RoundHalfEven(double v)
{
    return static_cast<qint32>(std::nearbyint(v));
}

} // namespace

ctlZAMOUsbComm::ctlZAMOUsbComm(int vIndex, QObject* parent)
    : QObject(parent),
      pIndex(vIndex),
      m_protocol(m_state),
      m_replies(*this, m_state, [this] { RefreshStatus(); }),
      m_port([this](const QString& label, platform::FtStatus status) { ReportUSBError(label, status); })
{
    UseSettings(kDefaultDelays, kDefaultAclg);
    m_port.setChannelPresence([this](int channel) { return m_state.channelPresent(channel); });
    connect(&m_port, &UnitPort::channelAddressed, this, [this](qint16 channel) { m_protocol.attributeTo(channel); });
    connect(&m_port, &UnitPort::frameSent, this, [this](const QString& frame) { emit TXData(pIndex, frame); });
    connect(&m_port, &UnitPort::bytesReceived, this,
            [this](const QByteArray& bytes) { m_protocol.parseRead(bytes, m_replies); });
    connect(&m_port, &UnitPort::textReceived, this,
            [this](const QString& text) { m_protocol.parseText(text, m_replies); });
    connect(&m_status, &UnitLinkStatus::hardwareStatus, this,
            [this](const QString& status, bool error) { emit HardwareStatus(pIndex, status, error); });
    connect(&m_status, &UnitLinkStatus::changed, this, &ctlZAMOUsbComm::DisplayChanged);
    RefreshStatus();
}

ctlZAMOUsbComm::~ctlZAMOUsbComm()
{
    m_port.setPollingEnabled(false);
    // The owner may be half destroyed already: close without raising events.
    blockSignals(true);
    TerminateClose();
}

void ctlZAMOUsbComm::UseSettings(const config::Zamo80Delays& delays, const config::AclgSettings& aclg)
{
    m_delays = &delays;
    m_protocol.useAclgSettings(aclg);
}

// ---- properties ----

qint32 ctlZAMOUsbComm::TenHzPeak() const
{
    return RoundHalfEven(m_state.diagnostics().tenHz);
}
qint32 ctlZAMOUsbComm::ThirtyKPeak() const
{
    return RoundHalfEven(m_state.diagnostics().thirtyK);
}
qint32 ctlZAMOUsbComm::Temperature() const
{
    return RoundHalfEven(m_state.diagnostics().temperature);
}
qint32 ctlZAMOUsbComm::VCC() const
{
    return RoundHalfEven(m_state.diagnostics().vcc);
}
qint32 ctlZAMOUsbComm::Pos5V() const
{
    return RoundHalfEven(m_state.diagnostics().pos5V);
}
qint32 ctlZAMOUsbComm::Neg5V() const
{
    return RoundHalfEven(m_state.diagnostics().neg5V);
}

void ctlZAMOUsbComm::setTestRunning(bool v)
{
    m_port.setTestRunning(v);
    m_status.setConnectEnabled(!v);
}

void ctlZAMOUsbComm::setUnitID(qint16 v)
{
    pUnitID = v;
    RefreshStatus();
}

// ---- connection ----

void ctlZAMOUsbComm::ResetUSB(qint32) {}

void ctlZAMOUsbComm::Activate() {}

void ctlZAMOUsbComm::DisablePolling()
{
    m_port.setPollingEnabled(false);
}

void ctlZAMOUsbComm::Connect()
{
    m_port.setSimulated(false);
    OpenDevice();
}

void ctlZAMOUsbComm::ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode)
{
    m_state.setModel(unitModelOf(vZamo80Mode, vZamo24Mode));
    m_port.setSimulated(true);
    SimUnitPort* sim = m_port.simulatedUnit();
    sim->SetNumOfChannels(vNumOfChannels);
    sim->SetZamo80(vZamo80Mode);
    sim->SetZamo24(vZamo24Mode);
    sim->Init();
    OpenDevice();
}

void ctlZAMOUsbComm::Disconnect()
{
    CloseUSB(m_port.device().DeviceHandle);
    m_port.setSimulated(false);
}

void ctlZAMOUsbComm::Deactivate()
{
    m_port.setPollingEnabled(false);
    TerminateClose();
}

void ctlZAMOUsbComm::TerminateClose()
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
    modMain::WriteLog(QStringLiteral("Close attempt failed - Control Terminated"));
    m_status.showCloseFailed(true);
}

// ---- status display ----

QString ctlZAMOUsbComm::ModelName() const
{
    switch (model()) {
    case UnitModel::Zamo80: return QStringLiteral("ZAMO80");
    case UnitModel::Zamo24: return QStringLiteral("ZAMO2-4");
    case UnitModel::Base: break;
    }
    return QStringLiteral("ZAMO");
}

void ctlZAMOUsbComm::RefreshStatus()
{
    m_status.refresh(Connected(), ModelName(), GenerateElectrodeString(), pUnitID);
}

void ctlZAMOUsbComm::ConnectToggleClicked(bool checked)
{
    m_status.setConnectChecked(checked);
    const UsbCommDisplay& display = m_status.display();
    if (display.useSimChecked) {
        const auto channels = platform::Convert::toInt16(display.simChannelsText);
        if (!channels) {
            modMain::WriteLog("Simulated channel count is not a number: \"" + display.simChannelsText + "\"");
            m_status.showConnectToggle(Connected());
            return;
        }
        m_port.setSimulated(true);
        SimUnitPort* sim = m_port.simulatedUnit();
        sim->SetNumOfChannels(*channels);
        sim->Init();
    } else {
        m_port.setSimulated(false);
    }
    if (checked)
        OpenDevice();
    else
        CloseUSB(m_port.device().DeviceHandle);
}

void ctlZAMOUsbComm::setUseSimChecked(bool checked)
{
    m_status.setUseSimChecked(checked);
}

void ctlZAMOUsbComm::setSimChannelsText(const QString& text)
{
    m_status.setSimChannelsText(text);
}

void ctlZAMOUsbComm::EnableSim()
{
    m_status.showSimControls();
}

void ctlZAMOUsbComm::SetPollingTimerInterval(qint16 vInterval)
{
    if (vInterval >= 1)
        m_port.setPollInterval(vInterval);
}

// ---- channel records ----

clsElectrode* ctlZAMOUsbComm::Electrode(int vChannelID)
{
    clsElectrode* record = m_state.channel(vChannelID);
    if (!record)
        modMain::WriteLog("Unit #" + QString::number(pUnitID) + ": channel " + QString::number(vChannelID)
                          + " is outside 0..15; ignored");
    return record;
}

void ctlZAMOUsbComm::ClearElectrodeLastMeasurements()
{
    m_state.clearLastMeasurements();
}

void ctlZAMOUsbComm::SetElectrodeLastMeasurement(qint16 vChannelID, double vValue, double vValue2)
{
    if (clsElectrode* e = Electrode(vChannelID)) {
        e->setLastMeasurement(vValue);
        e->setLastMeasurement2(vValue2);
    }
}

double ctlZAMOUsbComm::GetElectrodeLastMeasurement(qint16 vChannelID)
{
    clsElectrode* e = Electrode(vChannelID);
    return e ? e->LastMeasurement() : 0;
}

double ctlZAMOUsbComm::GetElectrodeLastMeasurement2(qint16 vChannelID)
{
    clsElectrode* e = Electrode(vChannelID);
    return e ? e->LastMeasurement2() : 0;
}

void ctlZAMOUsbComm::QueryElectrodeInfo()
{
    for (qint16 c = 0; c < ChannelCount; ++c) {
        if (!m_state.channelPresent(c))
            continue;
        TXGetCalibrationDate(c);
        TXGetFirmwareVersion(c);
        TXGetSerialNumber(c);
    }
}

double ctlZAMOUsbComm::GetPaceAmplitude(qint16 vElectrodeChannel, qint16 vPaceType)
{
    clsElectrode* e = (vPaceType == 1 || vPaceType == 2) ? Electrode(vElectrodeChannel) : nullptr;
    if (!e)
        return 0;
    return vPaceType == 1 ? e->Zamo24Pace1Amplitude() : e->Zamo24Pace2Amplitude();
}

double ctlZAMOUsbComm::GetPacePulseWidth(qint16 vElectrodeChannel, qint16 vPaceType)
{
    clsElectrode* e = (vPaceType == 1 || vPaceType == 2) ? Electrode(vElectrodeChannel) : nullptr;
    if (!e)
        return 0;
    return vPaceType == 1 ? e->Zamo24Pace1PulseWidth() : e->Zamo24Pace2PulseWidth();
}

double ctlZAMOUsbComm::GetPaceBPM(qint16 vElectrodeChannel, qint16 vPaceType)
{
    clsElectrode* e = (vPaceType == 1 || vPaceType == 2) ? Electrode(vElectrodeChannel) : nullptr;
    if (!e)
        return 0;
    return vPaceType == 1 ? e->Zamo24Pace1BPM() : e->Zamo24Pace2BPM();
}

QString ctlZAMOUsbComm::ElectrodeChannelSerialNumber(qint16 vIndex)
{
    clsElectrode* e = Electrode(vIndex);
    return e ? e->SerialNumber() : QString();
}

bool ctlZAMOUsbComm::ElectrodeChannelCalibrationExpired(qint16 vIndex)
{
    clsElectrode* e = Electrode(vIndex);
    if (!e)
        return false;
    // The date carries no time: a channel calibrated until today has expired.
    return !(platform::OleDate::fromDateTime(platform::Clock::now()) < e->CalibrationDate());
}

bool ctlZAMOUsbComm::ElectrodeChannelExists(qint16 vIndex)
{
    return m_state.channelPresent(vIndex);
}

QVector<std::shared_ptr<clsElectrode>> ctlZAMOUsbComm::GetElectrodeArray()
{
    if (!Connected())
        return {};
    return m_state.records();
}

QStringList ctlZAMOUsbComm::GetDiagnosticArray()
{
    if (!Connected())
        return {QString(), QString()};
    return m_state.diagnosticTexts();
}

QString ctlZAMOUsbComm::GenerateElectrodeString()
{
    return m_state.channelList(pUnitID);
}
