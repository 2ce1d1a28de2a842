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

QString ChannelName(int channel, qint16 unitID)
{
    return QString(QChar(65 + channel)) + QString::number(unitID);
}

} // namespace

ctlZAMOUsbComm::ctlZAMOUsbComm(int vIndex, QObject* parent)
    : QObject(parent),
      pIndex(vIndex),
      Usb(true, [this](const QString& label, platform::FtStatus status) { ReportUSBError(label, status); })
{
    UseSettings(kDefaultDelays, kDefaultAclg);
    for (auto& e : Electrodes)
        e = std::make_shared<clsElectrode>();
    PollingTimer.setInterval(150);
    PollingTimer.setEnabled(false);
    connect(&PollingTimer, &platform::Timer::timeout, this, &ctlZAMOUsbComm::OnPollingTimer);
    connect(&DelayTimer, &platform::Timer::timeout, this, &ctlZAMOUsbComm::OnDelayTimer);
    RefreshStatus();
    PollCursor = -1;
}

ctlZAMOUsbComm::~ctlZAMOUsbComm()
{
    PollingTimer.setEnabled(false);
    DelayTimer.setEnabled(false);
    // The owner may be half destroyed already: close without raising events.
    blockSignals(true);
    TerminateClose();
}

void ctlZAMOUsbComm::UseSettings(const config::Zamo80Delays& delays, const config::AclgSettings& aclg)
{
    m_delays = &delays;
    m_aclg = &aclg;
}

// ---- properties ----

qint32 ctlZAMOUsbComm::TenHzPeak() const { return RoundHalfEven(pTenHzPeak); }
qint32 ctlZAMOUsbComm::ThirtyKPeak() const { return RoundHalfEven(pThirtyKPeak); }
qint32 ctlZAMOUsbComm::Temperature() const { return RoundHalfEven(pTemperature); }
qint32 ctlZAMOUsbComm::VCC() const { return RoundHalfEven(pVCC); }
qint32 ctlZAMOUsbComm::Pos5V() const { return RoundHalfEven(pPos5V); }
qint32 ctlZAMOUsbComm::Neg5V() const { return RoundHalfEven(pNeg5V); }

void ctlZAMOUsbComm::setTestRunning(bool v)
{
    pTestRunning = v;
    pDisplay.connectEnabled = !v;
    emit DisplayChanged();
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
    PollingTimer.setEnabled(false);
}

void ctlZAMOUsbComm::Connect()
{
    pSimulatorMode = false;
    OpenDevice();
}

void ctlZAMOUsbComm::ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode)
{
    pIsZAMO24 = vZamo24Mode;
    pIsZAMO80 = vZamo80Mode;
    pSimulatorMode = true;
    SimUnitPort* sim = SimUnit();
    sim->SetNumOfChannels(vNumOfChannels);
    sim->SetZamo80(vZamo80Mode);
    sim->SetZamo24(vZamo24Mode);
    sim->Init();
    OpenDevice();
}

void ctlZAMOUsbComm::Disconnect()
{
    CloseUSB(Usb.DeviceHandle);
    pSimulatorMode = false;
}

void ctlZAMOUsbComm::Deactivate()
{
    PollingTimer.setEnabled(false);
    TerminateClose();
}

void ctlZAMOUsbComm::TerminateClose()
{
    if (!pConnected)
        return;
    if (pSimulatorMode) {
        pConnected = false;
        return;
    }
    if (Usb.CloseDevice() == platform::FT_OK) {
        pConnected = false;
        return;
    }
    pConnected = false;
    pDisplay.lamp = UsbCommDisplay::Red();
    pDisplay.errorMessage = QStringLiteral("Close attempt failed");
    LastErrorText = QStringLiteral("Close attempt failed");
    modMain::WriteLog(QStringLiteral("Close attempt failed - Control Terminated"));
    emit DisplayChanged();
    emit HardwareStatus(pIndex, QStringLiteral("Close attempt failed"), true);
}

SimUnitPort* ctlZAMOUsbComm::SimUnit()
{
    if (!ctlSimUnit1) {
        ctlSimUnit1 = SimUnitPort::Create(this);
        connect(ctlSimUnit1, &SimUnitPort::DataReady, this, &ctlZAMOUsbComm::OnSimDataReady);
    }
    return ctlSimUnit1;
}

// ---- status display ----

QString ctlZAMOUsbComm::ModelName() const
{
    if (pIsZAMO80)
        return QStringLiteral("ZAMO80");
    if (pIsZAMO24)
        return QStringLiteral("ZAMO2-4");
    return QStringLiteral("ZAMO");
}

void ctlZAMOUsbComm::ShowConnectToggle(bool connected)
{
    pDisplay.connectChecked = connected;
    pDisplay.connectColour = connected ? UsbCommDisplay::Green() : UsbCommDisplay::Red();
    emit DisplayChanged();
}

void ctlZAMOUsbComm::ShowFailure(const QString& text)
{
    pDisplay.lamp = UsbCommDisplay::Red();
    pDisplay.errorMessage = text;
    LastErrorText = text;
    ShowConnectToggle(false);
}

void ctlZAMOUsbComm::RefreshStatus()
{
    const QString list = GenerateElectrodeString();
    if (pConnected) {
        pDisplay.lamp = UsbCommDisplay::Green();
        pDisplay.errorMessage.clear();
        ShowConnectToggle(true);
        if (list.isEmpty()) {
            emit HardwareStatus(pIndex, ModelName() + " Connected; No Electrodes Found", false);
        } else {
            pDisplay.statusCaption = "Unit #" + QString::number(pUnitID) + "; Electrodes " + list;
            emit HardwareStatus(pIndex, ModelName() + " Connected; " + list, false);
        }
    } else {
        pDisplay.lamp = UsbCommDisplay::Red();
        pDisplay.statusCaption = "Unit #" + QString::number(pUnitID);
        ShowConnectToggle(false);
        emit HardwareStatus(pIndex, QStringLiteral("Disconnected"), false);
        if (!LastErrorText.isEmpty())
            emit HardwareStatus(pIndex, LastErrorText, true);
    }
    pHardwareInfo = pDisplay.statusCaption;
    emit DisplayChanged();
}

void ctlZAMOUsbComm::ConnectToggleClicked(bool checked)
{
    pDisplay.connectChecked = checked;
    if (pDisplay.useSimChecked) {
        const auto channels = platform::Convert::toInt16(pDisplay.simChannelsText);
        if (!channels) {
            modMain::WriteLog("Simulated channel count is not a number: \"" + pDisplay.simChannelsText + "\"");
            ShowConnectToggle(pConnected);
            return;
        }
        pSimulatorMode = true;
        SimUnitPort* sim = SimUnit();
        sim->SetNumOfChannels(*channels);
        sim->Init();
    } else {
        pSimulatorMode = false;
    }
    if (checked)
        OpenDevice();
    else
        CloseUSB(Usb.DeviceHandle);
}

void ctlZAMOUsbComm::setUseSimChecked(bool checked)
{
    pDisplay.useSimChecked = checked;
    emit DisplayChanged();
}

void ctlZAMOUsbComm::setSimChannelsText(const QString& text)
{
    pDisplay.simChannelsText = text;
    emit DisplayChanged();
}

void ctlZAMOUsbComm::EnableSim()
{
    pDisplay.simVisible = true;
    emit DisplayChanged();
}

void ctlZAMOUsbComm::SetPollingTimerInterval(qint16 vInterval)
{
    if (vInterval >= 1)
        PollingTimer.setInterval(vInterval);
}

// ---- channel records ----

clsElectrode* ctlZAMOUsbComm::Electrode(int vChannelID)
{
    if (vChannelID < 0 || vChannelID >= ChannelCount) {
        modMain::WriteLog("Unit #" + QString::number(pUnitID) + ": channel " + QString::number(vChannelID)
                          + " is outside 0..15; ignored");
        return nullptr;
    }
    return Electrodes[static_cast<size_t>(vChannelID)].get();
}

void ctlZAMOUsbComm::ClearElectrodeLastMeasurements()
{
    for (auto& e : Electrodes) {
        e->setLastMeasurement(0);
        e->setLastMeasurement2(0);
    }
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
        if (!Electrodes[static_cast<size_t>(c)]->Connected())
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
    if (vIndex < 0 || vIndex >= ChannelCount)
        return false;
    return Electrodes[static_cast<size_t>(vIndex)]->Connected();
}

QVector<std::shared_ptr<clsElectrode>> ctlZAMOUsbComm::GetElectrodeArray()
{
    QVector<std::shared_ptr<clsElectrode>> result;
    if (pConnected)
        result = QVector<std::shared_ptr<clsElectrode>>(Electrodes.begin(), Electrodes.end());
    return result;
}

QStringList ctlZAMOUsbComm::GetDiagnosticArray()
{
    if (!pConnected)
        return {QString(), QString()};
    const auto num = [](double v) { return platform::Convert::fromDouble(v); };
    const auto flag = [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); };
    const bool zamo80 = pIsZAMO80 || pIsZAMO24;
    return {QString(),
            num(pTenHzPeak),
            num(pTemperature),
            num(pVCC),
            num(pPos5V),
            num(pNeg5V),
            flag(pReg5VWorking),
            zamo80 ? flag(pLidClosed) : flag(pWorking200VOn),
            zamo80 ? num(pThirtyKPeak) : flag(pWorking200VOff),
            pFirmwareVersion};
}

QString ctlZAMOUsbComm::GenerateElectrodeString()
{
    QString result;
    QString runStart;
    for (int i = 0; i < ChannelCount; ++i) {
        const bool connected = Electrodes[static_cast<size_t>(i)]->Connected();
        const bool inRun = result.endsWith('-');
        const QString name = ChannelName(i, pUnitID);
        if (connected && !inRun) {
            result += name;
            runStart = name;
            if (i < ChannelCount - 1)
                result += '-';
        } else if (connected && inRun) {
            if (i == ChannelCount - 1)
                result += name;
        } else if (!connected && inRun) {
            const QString previous = ChannelName(i - 1, pUnitID);
            if (previous != runStart)
                result += previous;
            else
                result.chop(1);
            if (i < ChannelCount - 1)
                result += '.';
        }
    }
    if (result.endsWith('.'))
        result.chop(1);
    return result;
}
