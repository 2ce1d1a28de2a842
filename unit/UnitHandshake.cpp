#include "unit/UnitHandshake.h"

#include "config/Log.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitCommands.h"
#include "unit/UnitLink.h"
#include "unit/UnitLinkStatus.h"
#include "unit/UnitPort.h"
#include "unit/UnitProtocol.h"

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

UnitHandshake::UnitHandshake(UnitLink& link, UnitPort& port, UnitChannelState& state, UnitLinkStatus& status,
                             UnitProtocol& protocol, UnitCommands& commands, std::function<void()> refreshStatus)
    : m_link(link),
      m_port(port),
      m_state(state),
      m_status(status),
      m_protocol(protocol),
      m_commands(commands),
      m_refreshStatus(std::move(refreshStatus))
{
}

bool UnitHandshake::connected() const
{
    return m_port.isOpen();
}

UnitModel UnitHandshake::model() const
{
    return m_state.model();
}

void UnitHandshake::open()
{
    config::writeLog(QStringLiteral("Opening USB Port"));
    m_port.waitMilliseconds(10, false);
    m_state.setModel(UnitModel::Base);
    m_refreshStatus();
    m_protocol.clearPendingText();
    m_openCompleted = false;
    if (m_port.simulated())
        openSimulatedDevice();
    else
        openRealDevice();
}

void UnitHandshake::openRealDevice()
{
    m_opening = true;
    if (connected()) {
        config::writeLog(QStringLiteral("USB Port already open.  Closing port first"));
        if (m_port.closeDevice() != platform::FT_OK) {
            m_port.setOpen(false);
            m_status.showFailure(QStringLiteral("Close attempt failed"));
            config::writeLog("USB Close attempt failed, Result = " + resultText(m_port.device().lastStatus()));
            emit m_link.hardwareStatus(m_link.index(), m_status.lastError(), true);
            m_refreshStatus();
            m_opening = false;
            raiseError(QStringLiteral("Error Opening Port"));
            return;
        }
    }
    m_port.setOpen(false);

    const qint32 index = m_port.findDevice(QString::fromLatin1(UnitLink::deviceDescription));
    if (index < 0) {
        m_status.showFailure(QStringLiteral("No devices found"));
        config::writeLog(m_port.device().deviceCount() == 0 ? QStringLiteral("No USB devices found")
                                                            : QStringLiteral("No ZAMO USB devices found"));
        endOpen(true);
        return;
    }
    config::writeLog(QStringLiteral("ZAMO USB Device detected"));

    const UnitPort::OpenFailure failure = m_port.openDevice(index);
    if (failure != UnitPort::OpenFailure::None) {
        const OpenFailureText& text = openFailureTextOf(failure);
        failOpen(QLatin1String(text.label), QLatin1String(text.error),
                 QLatin1String(text.logLine) + resultText(m_port.device().lastStatus()));
        return;
    }

    m_port.clearTransmitBuffer();
    if (m_port.exchange(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        // A unit that does not answer is not connected: its port is let go
        // of, so that connecting again takes it afresh once the unit answers.
        m_port.setOpen(false);
        m_port.releaseDevice();
        failOpen(QStringLiteral("No ACK Received"), QStringLiteral("No ACK Received"),
                 QStringLiteral("USB Initialization failed.  ACK not received."));
        return;
    }
    config::writeLog(QStringLiteral("Testing ZAMO Hardware Type"));
    detectModel(true);

    m_status.showConnecting(!m_port.simulated());
    m_port.setPollingEnabled(true);
    const bool zamo80Family = isZamo80Family(model());
    if (!m_reconnecting) {
        if (zamo80Family) {
            m_link.sendCommandToChannel(QStringLiteral("[F]"), -1, true);
            m_port.waitMilliseconds(m_link.delays().findChannelsDelay, true);
        } else {
            m_commands.txMasterFindChannels();
        }
    }
    if (zamo80Family && connected())
        m_commands.txMasterCheckLid(false);
    if (!connected()) {
        // The port failed while it was being set up; its report closed it.
        failOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"),
                 QStringLiteral("USB Port failed while opening"));
        return;
    }
    m_openCompleted = true;
    emit m_link.usbConnected(m_link.index(), m_port.device().handle(), model());
    endOpen(false);
}

void UnitHandshake::openSimulatedDevice()
{
    if (m_port.exchange(QStringLiteral("[*]"), 50) != QLatin1String("[*]")) {
        m_status.showFailure(QStringLiteral("No ACK Received"));
        emit m_link.hardwareStatus(m_link.index(), m_status.lastError(), true);
        m_refreshStatus();
        return;
    }
    detectModel(false);
    m_port.setOpen(true);
    m_status.showConnecting(!m_port.simulated());
    emit m_link.hardwareStatus(m_link.index(), QString(), true);
    if (model() == UnitModel::Zamo80) {
        m_link.sendCommandToChannel(QStringLiteral("[F]"), -1, true);
        m_port.waitMilliseconds(m_link.delays().findChannelsDelay, true);
    } else {
        m_commands.txMasterFindChannels();
    }
    m_port.setPollingEnabled(true);
    m_openCompleted = true;
    emit m_link.usbConnected(m_link.index(), m_port.device().handle(), model());
    m_refreshStatus();
}

void UnitHandshake::detectModel(bool writeLog)
{
    const auto log = [writeLog](const char* line) {
        if (writeLog)
            config::writeLog(QString::fromLatin1(line));
    };
    // Each newer model answers its own probe in one of two ways; only the
    // echo of the probe is logged. A unit that answers neither is the base model.
    struct Probe {
        const char* frame;
        const char* firstAnswer;
        const char* laterAnswer;
        UnitModel model;
        const char* logLine;
    };
    static constexpr Probe kProbes[] = {
        {"[8]", "[8]", "[9]", UnitModel::Zamo80, "ZAMO80 Detected"},
        {"[2]", "[2]", "[3]", UnitModel::Zamo24, "ZAMO24 Detected"},
    };
    for (const Probe& probe : kProbes) {
        const QString reply = m_port.exchange(QLatin1String(probe.frame), 50);
        if (reply == QLatin1String(probe.firstAnswer))
            log(probe.logLine);
        else if (reply != QLatin1String(probe.laterAnswer))
            continue;
        m_state.setModel(probe.model);
        break;
    }
    if (model() == UnitModel::Base)
        log("ZAMO Detected");
}

void UnitHandshake::failOpen(const QString& labelText, const QString& errorText, const QString& logLine)
{
    m_status.showFailure(labelText);
    m_status.setLastError(errorText);
    config::writeLog(logLine);
    emit m_link.hardwareStatus(m_link.index(), m_status.lastError(), true);
    m_refreshStatus();
    m_opening = false;
    raiseError(QStringLiteral("Error Opening Port"));
}

void UnitHandshake::endOpen(bool failed)
{
    if (failed)
        emit m_link.hardwareStatus(m_link.index(), m_status.lastError(), true);
    m_refreshStatus();
    m_opening = false;
}

void UnitHandshake::close(qint32 handle)
{
    config::writeLog(QStringLiteral("Closing USB Port"));
    m_port.device().setHandle(handle);
    if (!m_port.simulated() && m_port.closeDevice() != platform::FT_OK) {
        config::writeLog("USB Close attempt failed, Result = " + resultText(m_port.device().lastStatus()));
        m_status.showCloseFailed(false);
        return;
    }
    m_port.setOpen(false);
    m_status.showClosed();
    emit m_link.usbClosed(m_link.index());
}

void UnitHandshake::raiseError(const QString& text)
{
    if (m_reconnecting) {
        // The reconnection reports its own outcome once, when it ends.
        config::writeLog("USB error during reconnection: " + text);
        return;
    }
    emit m_link.usbError(m_link.index(), text);
}

void UnitHandshake::reportPortError(const QString& label, platform::FtStatus status)
{
    if (m_port.simulated())
        return;
    portFailed(label, UsbDevice::errorText(label, status));
}

void UnitHandshake::portFailed(const QString& label, const QString& text)
{
    config::writeLog("USB Error:  " + text);
    // A failed close is handled where the close was asked for.
    if (label == QLatin1String("FT_Close"))
        return;

    const bool cyclePort = label.contains(QLatin1String("FT_CyclePort"), Qt::CaseInsensitive);
    const bool baseModel = model() == UnitModel::Base;
    if (cyclePort || baseModel || m_opening || m_reconnecting) {
        // The port counts as closed: release its handle too, so that the next
        // open does not fail on it.
        const bool wasOpen = connected();
        m_port.setOpen(false);
        m_port.releaseDevice();
        if (!m_opening) {
            // A failing open or reconnection shows its own outcome.
            if (!m_reconnecting)
                showPortLost(text);
            // An open port that failed is closed as by any disconnect, before
            // the owner hears of the error (a reconnection has closed it already).
            if (wasOpen && !m_reconnecting)
                emit m_link.usbClosed(m_link.index());
            raiseError(text);
        }
        return;
    }
    config::writeLog(QStringLiteral("Attempting automatic USB Connection reset"));
    showPortLost(text);
    reconnect();
}

void UnitHandshake::showPortLost(const QString& text)
{
    if (connected()) {
        m_status.showReconnecting(text);
        return;
    }
    m_status.noteFailure(text);
    m_refreshStatus();
}

platform::FtStatus UnitHandshake::reconnect()
{
    m_reconnecting = true;
    config::writeLog(QStringLiteral("Executing USB Port Reconnection"));
    emit m_link.usbReconnecting(m_link.index());
    m_port.waitMilliseconds(m_link.delays().reconnectDelay, true);

    QString failure;
    close(m_port.device().handle());
    if (connected()) {
        config::writeLog(QStringLiteral("USB close failed"));
        failure = QStringLiteral("FT_CyclePortClose");
    } else {
        open();
        if (!connected() || !m_openCompleted) {
            config::writeLog(QStringLiteral("USB re-open failed"));
            failure = QStringLiteral("FT_CyclePortOpen");
        }
    }
    const platform::FtStatus status = m_port.device().lastStatus();
    m_reconnecting = false;
    if (!failure.isEmpty()) {
        // A re-open that failed without a driver status to tell (no ACK, no
        // device listed) is named by the open's own failure.
        QString text = UsbDevice::errorText(failure, status);
        if (text.isEmpty())
            text = m_status.lastError().isEmpty() ? failure : failure + " - " + m_status.lastError();
        portFailed(failure, text);
    }
    return status;
}

} // namespace unit
