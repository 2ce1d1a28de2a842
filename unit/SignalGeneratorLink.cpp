#include "unit/SignalGeneratorLink.h"

#include "platform/Clock.h"

#include <limits>

namespace {
const QString ErrorOpeningPort = QStringLiteral("Error Opening Port");
constexpr quint8 LatencyMs = 16;
constexpr quint32 BaudRate = 19200;
} // namespace

ctlZAMORoller::ctlZAMORoller(QObject* parent) : QObject(parent)
{
    pDisplay.statusCaption.clear();
    ShowConnectToggle(false);
    connect(&DelayTimer, &platform::Timer::timeout, this, [this] { DelayElapsed = true; });
}

ctlZAMORoller::~ctlZAMORoller()
{
    if (!pConnected)
        return;
    if (Usb.CloseDevice() == platform::FT_OK)
        return;
    pConnected = false;
    ShowConnectToggle(false);
    SetErrorText(QStringLiteral("Close attempt failed"), QStringLiteral("Close attempt failed"));
    emit HardwareStatus(pLastErrorText, true);
}

void ctlZAMORoller::ShowConnectToggle(bool connected)
{
    SuppressConnectClick = true;
    pDisplay.connectChecked = connected;
    pDisplay.connectColour = connected ? UsbCommDisplay::Green() : UsbCommDisplay::Red();
    SuppressConnectClick = false;
    emit DisplayChanged();
}

void ctlZAMORoller::SetErrorText(const QString& labelText, const QString& errorText)
{
    pDisplay.errorMessage = labelText;
    pLastErrorText = errorText;
    emit DisplayChanged();
}

void ctlZAMORoller::FailDisplay(const QString& labelText, const QString& errorText)
{
    ShowConnectToggle(false);
    SetErrorText(labelText, errorText);
    emit HardwareStatus(pLastErrorText, true);
    ShowToggleForConnected();
}

void ctlZAMORoller::FailOpen(const QString& labelText, const QString& errorText)
{
    FailDisplay(labelText, errorText);
    emit UsbError(ErrorOpeningPort);
}

qint32 ctlZAMORoller::OpenDevice()
{
    Wait10ms();
    ShowToggleForConnected();
    if (pConnected && Usb.CloseDevice() != platform::FT_OK) {
        pConnected = false;
        FailOpen(QStringLiteral("Close attempt failed"), QStringLiteral("Close attempt failed"));
        return 0;
    }
    pConnected = false;
    const qint32 index = Usb.FindDevice(QString::fromLatin1(RollerDeviceDescription));
    if (index < 0) {
        FailDisplay(QStringLiteral("No devices found"), QStringLiteral("No devices found"));
        return 0;
    }
    Usb.OpenUSBDeviceByIndex(index);
    if (Usb.LastStatus != platform::FT_OK) {
        FailOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"));
        return 0;
    }
    if (Usb.GetQueueStatus() != platform::FT_OK) {
        // The port counts as closed: let go of it, or no later open could take it.
        Usb.CloseQuietly();
        FailOpen(QStringLiteral("Command failed"), QStringLiteral("Command failed"));
        return 0;
    }
    pConnected = true;
    if (Usb.SetLatencyTimer(LatencyMs) != platform::FT_OK) {
        FailOpen(QStringLiteral("Latency failed"), QStringLiteral("Latency failed"));
        return 0;
    }
    if (Usb.SetBaudRate(BaudRate) != platform::FT_OK) {
        FailOpen(QStringLiteral("Baud Rate failed"), QStringLiteral("Baud rate failed"));
        return 0;
    }
    if (Usb.SetBitMode(0, 0) != platform::FT_OK) {
        FailOpen(QStringLiteral("Reset failed"), QStringLiteral("Reset failed"));
        return 0;
    }
    if (SendDataAndPoll(QStringLiteral("(*)"), 50) != "(*)") {
        FailDisplay(QStringLiteral("No ACK Received"), QStringLiteral("No ACK Received"));
        return 0;
    }
    pDisplay.statusCaption = QStringLiteral("Connecting...");
    ShowConnectToggle(true);
    SetErrorText(QString(), QString());
    emit HardwareStatus(QString(), true);
    emit UsbConnected(Usb.DeviceHandle);
    ShowToggleForConnected();
    return 0;
}

void ctlZAMORoller::CloseUSB(qint32 vHandleID)
{
    Usb.DeviceHandle = vHandleID;
    if (Usb.CloseDevice() != platform::FT_OK) {
        SetErrorText(QStringLiteral("Close attempt failed"), QStringLiteral("Close attempt failed"));
        emit HardwareStatus(QStringLiteral("Close attempt failed"), true);
        return;
    }
    pConnected = false;
    ShowConnectToggle(false);
    SetErrorText(QStringLiteral("USB Port Closed"), QString());
    emit HardwareStatus(QStringLiteral("Disconnected"), false);
    emit UsbClosed();
}

void ctlZAMORoller::Connect()
{
    OpenDevice();
}

void ctlZAMORoller::Disconnect()
{
    CloseUSB(Usb.DeviceHandle);
}

void ctlZAMORoller::ConnectToggleClicked(bool checked)
{
    if (SuppressConnectClick)
        return;
    if (checked)
        OpenDevice();
    else
        CloseUSB(Usb.DeviceHandle);
}

// A frame goes out whole or not at all; a failed or short write is not
// repeated (the generator's frames are a few bytes, and a roll command sent
// again would roll the electrode twice).
void ctlZAMORoller::TransmitFrame(const QString& text)
{
    const QByteArray frame = text.toLatin1();
    Usb.WriteDevice(frame, static_cast<qint32>(frame.size()));
    emit TXData(text);
}

void ctlZAMORoller::TXCommCheck()
{
    TransmitFrame(QStringLiteral("(*)"));
}

QString ctlZAMORoller::SendDataAndPoll(const QString& cmd, qint32 vDelay)
{
    TransmitFrame(cmd);
    WaitMilliseconds(vDelay);
    if (Usb.GetQueueStatus() != platform::FT_OK || Usb.RxBytesWaiting <= 0)
        return QString();
    const qint32 n = Usb.ReadDevice(Usb.RxBytesWaiting);
    const QString reply = QString::fromLatin1(Usb.RxBuffer.constData(), n);
    Usb.RxBuffer.fill('\0');
    return reply;
}

void ctlZAMORoller::TXRollChannel(qint16 vChannelIndex)
{
    TransmitFrame("(g" + QString::number(vChannelIndex) + ")");
    emit TXRollChannelSent(vChannelIndex);
    // Counted in 64 bits: the settings allow delays of up to 32,767 s.
    WaitMilliseconds(static_cast<qint64>(pRollDelay) * 1000);
    emit RollDelayComplete();
}

// The wait ends at the tick of DelayTimer, or when its own time has passed
// (a wait started meanwhile takes over the timer).
void ctlZAMORoller::WaitMilliseconds(qint64 ms)
{
    ms = qBound<qint64>(0, ms, qint64{std::numeric_limits<int>::max()});
    DelayElapsed = false;
    DelayTimer.setEnabled(false);
    DelayTimer.setInterval(static_cast<int>(ms));
    DelayTimer.setEnabled(true);
    platform::Clock::waitUntil([this] { return DelayElapsed; }, ms);
    DelayElapsed = false;
    DelayTimer.setEnabled(false);
}
