// Device side of the unit link: the open sequence (real port and simulated
// unit), the close, the failure report and the automatic reconnection of
// ZAMO80 and ZAMO2-4 units.

#include "config/Log.h"
#include "unit/UnitLink.h"

namespace unit {

using platform::FtStatus;

namespace {

QString resultText(platform::FtStatus status)
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

const OpenFailureText& openFailureTextOf(UnitPort::OpenFailure failure)
{
    for (const OpenFailureText& text : kOpenFailures)
        if (text.failure == failure)
            return text;
    return kOpenFailures[0];
}

} // namespace

qint32 UnitLink::openDevice()
{
    config::writeLog(QStringLiteral("Opening USB Port"));
    wait10ms();
    m_state.setModel(UnitModel::Base);
    refreshStatus();
    m_protocol.clearPendingText();
    OpenCompleted = false;
    if (m_port.simulated())
        openSimulatedDevice();
    else
        openRealDevice();
    return 0;
}

void UnitLink::openRealDevice()
{
    OpeningDevice = true;
    if (connected()) {
        config::writeLog(QStringLiteral("USB Port already open.  Closing port first"));
        if (m_port.closeDevice() != platform::FT_OK) {
            m_port.setOpen(false);
            m_status.showFailure(QStringLiteral("Close attempt failed"));
            config::writeLog("USB Close attempt failed, Result = " + resultText(m_port.device().LastStatus));
            emit hardwareStatus(m_index, m_status.lastError(), true);
            refreshStatus();
            OpeningDevice = false;
            raiseUsbError(QStringLiteral("Error Opening Port"));
            return;
        }
    }
    m_port.setOpen(false);

    const qint32 index = m_port.findDevice(QString::fromLatin1(UnitDeviceDescription));
    if (index < 0) {
        m_status.showFailure(QStringLiteral("No devices found"));
        config::writeLog(m_port.device().DeviceCount == 0 ? QStringLiteral("No USB devices found")
                                                          : QStringLiteral("No ZAMO USB devices found"));
        endOpen(true);
        return;
    }
    config::writeLog(QStringLiteral("ZAMO USB Device detected"));

    const UnitPort::OpenFailure failure = m_port.openDevice(index);
    if (failure != UnitPort::OpenFailure::None) {
        const OpenFailureText& text = openFailureTextOf(failure);
        failOpen(QLatin1String(text.label), QLatin1String(text.error),
                 QLatin1String(text.logLine) + resultText(m_port.device().LastStatus));
        return;
    }

    m_port.clearTransmitBuffer();
    if (m_port.exchange(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        m_status.showFailure(QStringLiteral("No ACK Received"));
        config::writeLog(QStringLiteral("USB Initialization failed.  ACK not received."));
        endOpen(true);
        return;
    }
    config::writeLog(QStringLiteral("Testing ZAMO Hardware Type"));
    detectModel(true);

    m_status.showConnecting(!m_port.simulated());
    m_port.setPollingEnabled(true);
    const bool zamo80Family = isZamo80Family(model());
    if (!m_reconnecting) {
        if (zamo80Family) {
            sendCommandToChannel(QStringLiteral("[F]"), -1, true);
            m_port.waitMilliseconds(delays().findChannelsDelay, true);
        } else {
            txMasterFindChannels();
        }
    }
    if (zamo80Family && connected())
        txMasterCheckLid(false);
    if (!connected()) {
        // The port failed while it was being set up; its report closed it.
        failOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"),
                 QStringLiteral("USB Port failed while opening"));
        return;
    }
    OpenCompleted = true;
    emit usbConnected(m_index, m_port.device().DeviceHandle, model());
    endOpen(false);
}

void UnitLink::openSimulatedDevice()
{
    if (m_port.exchange(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        m_status.showFailure(QStringLiteral("No ACK Received"));
        emit hardwareStatus(m_index, m_status.lastError(), true);
        refreshStatus();
        return;
    }
    detectModel(false);
    m_port.setOpen(true);
    m_status.showConnecting(!m_port.simulated());
    emit hardwareStatus(m_index, QString(), true);
    if (model() == UnitModel::Zamo80) {
        sendCommandToChannel(QStringLiteral("[F]"), -1, true);
        m_port.waitMilliseconds(delays().findChannelsDelay, true);
    } else {
        txMasterFindChannels();
    }
    m_port.setPollingEnabled(true);
    OpenCompleted = true;
    emit usbConnected(m_index, m_port.device().DeviceHandle, model());
    refreshStatus();
}

void UnitLink::detectModel(bool writeLog)
{
    const auto log = [writeLog](const char* line) {
        if (writeLog)
            config::writeLog(QString::fromLatin1(line));
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

void UnitLink::failOpen(const QString& labelText, const QString& errorText, const QString& logLine)
{
    m_status.showFailure(labelText);
    m_status.setLastError(errorText);
    config::writeLog(logLine);
    emit hardwareStatus(m_index, m_status.lastError(), true);
    refreshStatus();
    OpeningDevice = false;
    raiseUsbError(QStringLiteral("Error Opening Port"));
}

void UnitLink::endOpen(bool failed)
{
    if (failed)
        emit hardwareStatus(m_index, m_status.lastError(), true);
    refreshStatus();
    OpeningDevice = false;
}

void UnitLink::closeUSB(qint32 handleID)
{
    config::writeLog(QStringLiteral("Closing USB Port"));
    m_port.device().DeviceHandle = handleID;
    if (!m_port.simulated() && m_port.closeDevice() != platform::FT_OK) {
        config::writeLog("USB Close attempt failed, Result = " + resultText(m_port.device().LastStatus));
        m_status.showCloseFailed(false);
        return;
    }
    m_port.setOpen(false);
    m_status.showClosed();
    emit usbClosed(m_index);
}

void UnitLink::raiseUsbError(const QString& text)
{
    if (m_reconnecting) {
        // The reconnection reports its own outcome once, when it ends.
        config::writeLog("USB error during reconnection: " + text);
        return;
    }
    emit usbError(m_index, text);
}

void UnitLink::reportUSBError(const QString& label, platform::FtStatus status)
{
    if (m_port.simulated())
        return;
    const QString text = UsbDevice::errorText(label, status);
    config::writeLog("USB Error:  " + text);
    // A failed close is handled where the close was asked for.
    if (label == QLatin1String("FT_Close"))
        return;

    const bool cyclePort = label.contains(QLatin1String("FT_CyclePort"), Qt::CaseInsensitive);
    const bool baseModel = model() == UnitModel::Base;
    if (cyclePort || baseModel || OpeningDevice || m_reconnecting) {
        // The port counts as closed: release its handle too, so that the next
        // open does not fail on it.
        const bool wasOpen = connected();
        m_port.setOpen(false);
        m_port.releaseDevice();
        if (!OpeningDevice) {
            // A failing open or reconnection shows its own outcome.
            if (!m_reconnecting)
                showPortLost(text);
            // An open port that failed is closed as by any disconnect, before
            // the owner hears of the error (a reconnection has closed it already).
            if (wasOpen && !m_reconnecting)
                emit usbClosed(m_index);
            raiseUsbError(text);
        }
        return;
    }
    config::writeLog(QStringLiteral("Attempting automatic USB Connection reset"));
    showPortLost(text);
    reconnectUSB();
}

void UnitLink::showPortLost(const QString& text)
{
    if (connected()) {
        m_status.showReconnecting(text);
        return;
    }
    m_status.noteFailure(text);
    refreshStatus();
}

platform::FtStatus UnitLink::reconnectUSB()
{
    m_reconnecting = true;
    config::writeLog(QStringLiteral("Executing USB Port Reconnection"));
    emit usbReconnecting(m_index);
    m_port.waitMilliseconds(delays().reconnectDelay, true);

    QString failure;
    closeUSB(m_port.device().DeviceHandle);
    if (connected()) {
        config::writeLog(QStringLiteral("USB close failed"));
        failure = QStringLiteral("FT_CyclePortClose");
    } else {
        openDevice();
        if (!connected() || !OpenCompleted) {
            config::writeLog(QStringLiteral("USB re-open failed"));
            failure = QStringLiteral("FT_CyclePortOpen");
        }
    }
    const platform::FtStatus status = m_port.device().LastStatus;
    m_reconnecting = false;
    if (!failure.isEmpty())
        reportUSBError(failure, status);
    return status;
}

} // namespace unit
