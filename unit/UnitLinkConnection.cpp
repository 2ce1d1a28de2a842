// Device side of the unit link: the open sequence (real port and simulated
// unit), the close, the failure report and the automatic reconnection of
// ZAMO80 and ZAMO2-4 units.

#include "config/Log.h"
#include "unit/UnitLink.h"

using platform::FtStatus;

namespace {

QString ResultText(FtStatus status)
{
    return QString::number(status);
}

// What a failed open of the converter shows, stores and logs (the log line
// goes on with the driver's status).
struct OpenFailureText {
    UnitPort::OpenFailure failure;
    const char* label;
    const char* error;
    const char* logLine;
};

constexpr OpenFailureText kOpenFailures[] = {
    {UnitPort::OpenFailure::Open, "Open failed", "Open failed", "USB Port Open failed, Result = "},
    {UnitPort::OpenFailure::QueueStatus, "Command failed", "Command failed", "USB Command failed, Result = "},
    {UnitPort::OpenFailure::Latency, "Latency failed", "Latency failed", "Setting USB port latentcy failed, Result = "},
    {UnitPort::OpenFailure::BaudRate, "Baud Rate failed", "Baud rate failed",
     "Setting USB Baud rate failed, Result = "},
    {UnitPort::OpenFailure::BitMode, "Reset failed", "Reset failed", "Setting USB Bit Mode failed, Result = "},
};

const OpenFailureText& OpenFailureTextOf(UnitPort::OpenFailure failure)
{
    for (const OpenFailureText& text : kOpenFailures)
        if (text.failure == failure)
            return text;
    return kOpenFailures[0];
}

} // namespace

qint32 ctlZAMOUsbComm::OpenDevice()
{
    modMain::WriteLog(QStringLiteral("Opening USB Port"));
    Wait10ms();
    m_state.setModel(UnitModel::Base);
    RefreshStatus();
    m_protocol.clearPendingText();
    OpenCompleted = false;
    if (m_port.simulated())
        OpenSimulatedDevice();
    else
        OpenRealDevice();
    return 0;
}

void ctlZAMOUsbComm::OpenRealDevice()
{
    OpeningDevice = true;
    if (Connected()) {
        modMain::WriteLog(QStringLiteral("USB Port already open.  Closing port first"));
        if (m_port.closeDevice() != platform::FT_OK) {
            m_port.setOpen(false);
            m_status.showFailure(QStringLiteral("Close attempt failed"));
            modMain::WriteLog("USB Close attempt failed, Result = " + ResultText(m_port.device().LastStatus));
            emit HardwareStatus(pIndex, m_status.lastError(), true);
            RefreshStatus();
            OpeningDevice = false;
            RaiseUsbError(QStringLiteral("Error Opening Port"));
            return;
        }
    }
    m_port.setOpen(false);

    const qint32 index = m_port.findDevice(QString::fromLatin1(UnitDeviceDescription));
    if (index < 0) {
        m_status.showFailure(QStringLiteral("No devices found"));
        modMain::WriteLog(m_port.device().DeviceCount == 0 ? QStringLiteral("No USB devices found")
                                                           : QStringLiteral("No ZAMO USB devices found"));
        EndOpen(true);
        return;
    }
    modMain::WriteLog(QStringLiteral("ZAMO USB Device detected"));

    const UnitPort::OpenFailure failure = m_port.openDevice(index);
    if (failure != UnitPort::OpenFailure::None) {
        const OpenFailureText& text = OpenFailureTextOf(failure);
        FailOpen(QLatin1String(text.label), QLatin1String(text.error),
                 QLatin1String(text.logLine) + ResultText(m_port.device().LastStatus));
        return;
    }

    m_port.clearTransmitBuffer();
    if (m_port.exchange(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        m_status.showFailure(QStringLiteral("No ACK Received"));
        modMain::WriteLog(QStringLiteral("USB Initialization failed.  ACK not received."));
        EndOpen(true);
        return;
    }
    modMain::WriteLog(QStringLiteral("Testing ZAMO Hardware Type"));
    DetectModel(true);

    m_status.showConnecting(!m_port.simulated());
    m_port.setPollingEnabled(true);
    const bool zamo80Family = isZamo80Family(model());
    if (!pReconnecting) {
        if (zamo80Family) {
            SendCommandToChannel(QStringLiteral("[F]"), -1, true);
            m_port.waitMilliseconds(Delays().findChannelsDelay, true);
        } else {
            TXMasterFindChannels();
        }
    }
    if (zamo80Family && Connected())
        TXMasterCheckLid(false);
    if (!Connected()) {
        // The port failed while it was being set up; its report closed it.
        FailOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"),
                 QStringLiteral("USB Port failed while opening"));
        return;
    }
    OpenCompleted = true;
    emit UsbConnected(pIndex, m_port.device().DeviceHandle, model());
    EndOpen(false);
}

void ctlZAMOUsbComm::OpenSimulatedDevice()
{
    if (m_port.exchange(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        m_status.showFailure(QStringLiteral("No ACK Received"));
        emit HardwareStatus(pIndex, m_status.lastError(), true);
        RefreshStatus();
        return;
    }
    DetectModel(false);
    m_port.setOpen(true);
    m_status.showConnecting(!m_port.simulated());
    emit HardwareStatus(pIndex, QString(), true);
    if (model() == UnitModel::Zamo80) {
        SendCommandToChannel(QStringLiteral("[F]"), -1, true);
        m_port.waitMilliseconds(Delays().findChannelsDelay, true);
    } else {
        TXMasterFindChannels();
    }
    m_port.setPollingEnabled(true);
    OpenCompleted = true;
    emit UsbConnected(pIndex, m_port.device().DeviceHandle, model());
    RefreshStatus();
}

void ctlZAMOUsbComm::DetectModel(bool writeLog)
{
    const auto log = [writeLog](const char* line) {
        if (writeLog)
            modMain::WriteLog(QString::fromLatin1(line));
    };
    const QString reply80 = m_port.exchange(QStringLiteral("[8]"), 50);
    if (reply80 == QLatin1String("[8]")) {
        log("ZAMO80 Detected");
        m_state.setModel(UnitModel::Zamo80);
    } else if (reply80 == QLatin1String("[9]")) {
        m_state.setModel(UnitModel::Zamo80);
    } else {
        const QString reply24 = m_port.exchange(QStringLiteral("[2]"), 50);
        if (reply24 == QLatin1String("[2]")) {
            log("ZAMO24 Detected");
            m_state.setModel(UnitModel::Zamo24);
        } else if (reply24 == QLatin1String("[3]")) {
            m_state.setModel(UnitModel::Zamo24);
        }
    }
    if (model() == UnitModel::Base)
        log("ZAMO Detected");
}

void ctlZAMOUsbComm::FailOpen(const QString& labelText, const QString& errorText, const QString& logLine)
{
    m_status.showFailure(labelText);
    m_status.setLastError(errorText);
    modMain::WriteLog(logLine);
    emit HardwareStatus(pIndex, m_status.lastError(), true);
    RefreshStatus();
    OpeningDevice = false;
    RaiseUsbError(QStringLiteral("Error Opening Port"));
}

void ctlZAMOUsbComm::EndOpen(bool failed)
{
    if (failed)
        emit HardwareStatus(pIndex, m_status.lastError(), true);
    RefreshStatus();
    OpeningDevice = false;
}

void ctlZAMOUsbComm::CloseUSB(qint32 vHandleID)
{
    modMain::WriteLog(QStringLiteral("Closing USB Port"));
    m_port.device().DeviceHandle = vHandleID;
    if (!m_port.simulated() && m_port.closeDevice() != platform::FT_OK) {
        modMain::WriteLog("USB Close attempt failed, Result = " + ResultText(m_port.device().LastStatus));
        m_status.showCloseFailed(false);
        return;
    }
    m_port.setOpen(false);
    m_status.showClosed();
    emit UsbClosed(pIndex);
}

void ctlZAMOUsbComm::RaiseUsbError(const QString& text)
{
    if (pReconnecting) {
        // The reconnection reports its own outcome once, when it ends.
        modMain::WriteLog("USB error during reconnection: " + text);
        return;
    }
    emit UsbError(pIndex, text);
}

void ctlZAMOUsbComm::ReportUSBError(const QString& label, FtStatus status)
{
    if (m_port.simulated())
        return;
    const QString text = UsbDeviceLayer::ErrorText(label, status);
    modMain::WriteLog("USB Error:  " + text);
    // A failed close is handled where the close was asked for.
    if (label == QLatin1String("FT_Close"))
        return;

    const bool cyclePort = label.contains(QLatin1String("FT_CyclePort"), Qt::CaseInsensitive);
    const bool baseModel = model() == UnitModel::Base;
    if (cyclePort || baseModel || OpeningDevice || pReconnecting) {
        // The port counts as closed: release its handle too, so that the next
        // open does not fail on it.
        m_port.setOpen(false);
        m_port.releaseDevice();
        if (!OpeningDevice) {
            // A failing open or reconnection shows its own outcome.
            if (!pReconnecting)
                ShowPortLost(text);
            RaiseUsbError(text);
        }
        return;
    }
    modMain::WriteLog(QStringLiteral("Attempting automatic USB Connection reset"));
    ShowPortLost(text);
    ReconnectUSB();
}

void ctlZAMOUsbComm::ShowPortLost(const QString& text)
{
    if (Connected()) {
        m_status.showReconnecting(text);
        return;
    }
    m_status.noteFailure(text);
    RefreshStatus();
}

FtStatus ctlZAMOUsbComm::ReconnectUSB()
{
    pReconnecting = true;
    modMain::WriteLog(QStringLiteral("Executing USB Port Reconnection"));
    emit UsbReconnecting(pIndex);
    m_port.waitMilliseconds(Delays().reconnectDelay, true);

    QString failure;
    CloseUSB(m_port.device().DeviceHandle);
    if (Connected()) {
        modMain::WriteLog(QStringLiteral("USB close failed"));
        failure = QStringLiteral("FT_CyclePortClose");
    } else {
        OpenDevice();
        if (!Connected() || !OpenCompleted) {
            modMain::WriteLog(QStringLiteral("USB re-open failed"));
            failure = QStringLiteral("FT_CyclePortOpen");
        }
    }
    const FtStatus status = m_port.device().LastStatus;
    pReconnecting = false;
    if (!failure.isEmpty())
        ReportUSBError(failure, status);
    return status;
}
