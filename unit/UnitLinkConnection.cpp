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

} // namespace

qint32 ctlZAMOUsbComm::OpenDevice()
{
    modMain::WriteLog(QStringLiteral("Opening USB Port"));
    Wait10ms();
    pIsZAMO80 = false;
    pIsZAMO24 = false;
    RefreshStatus();
    PendingText.clear();
    OpenCompleted = false;
    if (pSimulatorMode)
        OpenSimulatedDevice();
    else
        OpenRealDevice();
    return 0;
}

void ctlZAMOUsbComm::OpenRealDevice()
{
    OpeningDevice = true;
    if (pConnected) {
        modMain::WriteLog(QStringLiteral("USB Port already open.  Closing port first"));
        if (Usb.CloseDevice() != platform::FT_OK) {
            pConnected = false;
            ShowFailure(QStringLiteral("Close attempt failed"));
            modMain::WriteLog("USB Close attempt failed, Result = " + ResultText(Usb.LastStatus));
            emit HardwareStatus(pIndex, LastErrorText, true);
            RefreshStatus();
            OpeningDevice = false;
            RaiseUsbError(QStringLiteral("Error Opening Port"));
            return;
        }
    }
    pConnected = false;

    const qint32 index = Usb.FindDevice(QString::fromLatin1(UnitDeviceDescription));
    if (index < 0) {
        ShowFailure(QStringLiteral("No devices found"));
        modMain::WriteLog(Usb.DeviceCount == 0 ? QStringLiteral("No USB devices found")
                                               : QStringLiteral("No ZAMO USB devices found"));
        EndOpen(true);
        return;
    }
    modMain::WriteLog(QStringLiteral("ZAMO USB Device detected"));

    Usb.OpenUSBDeviceByIndex(index);
    if (Usb.LastStatus != platform::FT_OK) {
        FailOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"),
                 "USB Port Open failed, Result = " + ResultText(Usb.LastStatus));
        return;
    }
    if (Usb.GetQueueStatus() != platform::FT_OK) {
        FailOpen(QStringLiteral("Command failed"), QStringLiteral("Command failed"),
                 "USB Command failed, Result = " + ResultText(Usb.LastStatus));
        return;
    }
    pConnected = true;
    if (Usb.SetLatencyTimer(16) != platform::FT_OK) {
        FailOpen(QStringLiteral("Latency failed"), QStringLiteral("Latency failed"),
                 "Setting USB port latentcy failed, Result = " + ResultText(Usb.LastStatus));
        return;
    }
    if (Usb.SetBaudRate(19200) != platform::FT_OK) {
        FailOpen(QStringLiteral("Baud Rate failed"), QStringLiteral("Baud rate failed"),
                 "Setting USB Baud rate failed, Result = " + ResultText(Usb.LastStatus));
        return;
    }
    if (Usb.SetBitMode(0, 0) != platform::FT_OK) {
        FailOpen(QStringLiteral("Reset failed"), QStringLiteral("Reset failed"),
                 "Setting USB Bit Mode failed, Result = " + ResultText(Usb.LastStatus));
        return;
    }

    TxBuffer.clear();
    if (SendDataAndPoll(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        ShowFailure(QStringLiteral("No ACK Received"));
        modMain::WriteLog(QStringLiteral("USB Initialization failed.  ACK not received."));
        EndOpen(true);
        return;
    }
    modMain::WriteLog(QStringLiteral("Testing ZAMO Hardware Type"));
    DetectModel(true);

    ShowConnecting();
    PollingTimer.setEnabled(true);
    const bool zamo80Family = pIsZAMO80 || pIsZAMO24;
    if (!pReconnecting) {
        if (zamo80Family) {
            SendCommandToChannel(QStringLiteral("[F]"), -1, true);
            WaitMilliseconds(Delays().findChannelsDelay, true);
        } else {
            TXMasterFindChannels();
        }
    }
    if (zamo80Family && pConnected)
        TXMasterCheckLid(false);
    if (!pConnected) {
        // The port failed while it was being set up; its report closed it.
        FailOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"),
                 QStringLiteral("USB Port failed while opening"));
        return;
    }
    OpenCompleted = true;
    emit UsbConnected(pIndex, Usb.DeviceHandle, pIsZAMO80, pIsZAMO24);
    EndOpen(false);
}

void ctlZAMOUsbComm::OpenSimulatedDevice()
{
    if (SendDataAndPoll(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        ShowFailure(QStringLiteral("No ACK Received"));
        emit HardwareStatus(pIndex, LastErrorText, true);
        RefreshStatus();
        return;
    }
    DetectModel(false);
    pConnected = true;
    ShowConnecting();
    emit HardwareStatus(pIndex, QString(), true);
    if (pIsZAMO80) {
        SendCommandToChannel(QStringLiteral("[F]"), -1, true);
        WaitMilliseconds(Delays().findChannelsDelay, true);
    } else {
        TXMasterFindChannels();
    }
    PollingTimer.setEnabled(true);
    OpenCompleted = true;
    emit UsbConnected(pIndex, Usb.DeviceHandle, pIsZAMO80, pIsZAMO24);
    RefreshStatus();
}

void ctlZAMOUsbComm::DetectModel(bool writeLog)
{
    const auto log = [writeLog](const char* line) {
        if (writeLog)
            modMain::WriteLog(QString::fromLatin1(line));
    };
    const QString reply80 = SendDataAndPoll(QStringLiteral("[8]"), 50);
    if (reply80 == QLatin1String("[8]")) {
        log("ZAMO80 Detected");
        pIsZAMO80 = true;
    } else if (reply80 == QLatin1String("[9]")) {
        pIsZAMO80 = true;
    } else {
        const QString reply24 = SendDataAndPoll(QStringLiteral("[2]"), 50);
        if (reply24 == QLatin1String("[2]")) {
            log("ZAMO24 Detected");
            pIsZAMO24 = true;
        } else if (reply24 == QLatin1String("[3]")) {
            pIsZAMO24 = true;
        }
    }
    if (!pIsZAMO80 && !pIsZAMO24)
        log("ZAMO Detected");
}

void ctlZAMOUsbComm::ShowConnecting()
{
    pDisplay.statusCaption = QStringLiteral("Connecting...");
    pDisplay.lamp = UsbCommDisplay::Green();
    pDisplay.errorMessage.clear();
    LastErrorText.clear();
    ShowConnectToggle(true);
    if (!pSimulatorMode)
        emit HardwareStatus(pIndex, QStringLiteral("Connecting..."), false);
}

void ctlZAMOUsbComm::FailOpen(const QString& labelText, const QString& errorText, const QString& logLine)
{
    ShowFailure(labelText);
    LastErrorText = errorText;
    modMain::WriteLog(logLine);
    emit HardwareStatus(pIndex, LastErrorText, true);
    RefreshStatus();
    OpeningDevice = false;
    RaiseUsbError(QStringLiteral("Error Opening Port"));
}

void ctlZAMOUsbComm::EndOpen(bool failed)
{
    if (failed)
        emit HardwareStatus(pIndex, LastErrorText, true);
    RefreshStatus();
    OpeningDevice = false;
}

void ctlZAMOUsbComm::CloseUSB(qint32 vHandleID)
{
    modMain::WriteLog(QStringLiteral("Closing USB Port"));
    Usb.DeviceHandle = vHandleID;
    if (!pSimulatorMode && Usb.CloseDevice() != platform::FT_OK) {
        pDisplay.errorMessage = QStringLiteral("Close attempt failed");
        LastErrorText = QStringLiteral("Close attempt failed");
        modMain::WriteLog("USB Close attempt failed, Result = " + ResultText(Usb.LastStatus));
        emit DisplayChanged();
        emit HardwareStatus(pIndex, QStringLiteral("Close attempt failed"), true);
        return;
    }
    pConnected = false;
    pDisplay.lamp = UsbCommDisplay::Red();
    pDisplay.errorMessage = QStringLiteral("USB Port Closed");
    ShowConnectToggle(false);
    LastErrorText.clear();
    emit HardwareStatus(pIndex, QStringLiteral("Disconnected"), false);
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
    if (pSimulatorMode)
        return;
    const QString text = UsbDeviceLayer::ErrorText(label, status);
    modMain::WriteLog("USB Error:  " + text);
    // A failed close is handled where the close was asked for.
    if (label == QLatin1String("FT_Close"))
        return;

    const bool cyclePort = label.contains(QLatin1String("FT_CyclePort"), Qt::CaseInsensitive);
    const bool baseModel = !pIsZAMO80 && !pIsZAMO24;
    if (cyclePort || baseModel || OpeningDevice || pReconnecting) {
        // The port counts as closed: release its handle too, so that the next
        // open does not fail on it.
        pConnected = false;
        Usb.CloseQuietly();
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
    if (!pConnected) {
        LastErrorText = text;
        pDisplay.errorMessage = text;
        RefreshStatus();
        return;
    }
    // Still open until the reconnection closes it, but no longer answering.
    ShowFailure(text);
    pDisplay.statusCaption = QStringLiteral("Reconnecting...");
    emit DisplayChanged();
    emit HardwareStatus(pIndex, QStringLiteral("Reconnecting..."), false);
    emit HardwareStatus(pIndex, text, true);
}

FtStatus ctlZAMOUsbComm::ReconnectUSB()
{
    pReconnecting = true;
    modMain::WriteLog(QStringLiteral("Executing USB Port Reconnection"));
    emit UsbReconnecting(pIndex);
    WaitMilliseconds(Delays().reconnectDelay, true);

    QString failure;
    CloseUSB(Usb.DeviceHandle);
    if (pConnected) {
        modMain::WriteLog(QStringLiteral("USB close failed"));
        failure = QStringLiteral("FT_CyclePortClose");
    } else {
        OpenDevice();
        if (!pConnected || !OpenCompleted) {
            modMain::WriteLog(QStringLiteral("USB re-open failed"));
            failure = QStringLiteral("FT_CyclePortOpen");
        }
    }
    const FtStatus status = Usb.LastStatus;
    pReconnecting = false;
    if (!failure.isEmpty())
        ReportUSBError(failure, status);
    return status;
}
