#include "unit/SignalGeneratorLink.h"

#include "platform/Clock.h"

#include <limits>

namespace unit {

namespace {
const QString ErrorOpeningPort = QStringLiteral("Error Opening Port");
constexpr quint8 LatencyMs = 16;
constexpr quint32 BaudRate = 19200;
} // namespace

SignalGeneratorLink::SignalGeneratorLink(QObject* parent) : QObject(parent)
{
    m_display.statusCaption.clear();
    showConnectToggle(false);
    connect(&m_delayTimer, &platform::Timer::timeout, this, [this] { m_delayElapsed = true; });
}

SignalGeneratorLink::~SignalGeneratorLink()
{
    if (!m_connected)
        return;
    if (m_usb.closeDevice() == platform::FT_OK)
        return;
    m_connected = false;
    showConnectToggle(false);
    setErrorText(QStringLiteral("Close attempt failed"), QStringLiteral("Close attempt failed"));
    emit hardwareStatus(m_lastErrorText, true);
}

void SignalGeneratorLink::showConnectToggle(bool connected)
{
    m_display.connectChecked = connected;
    m_display.connectColour = connected ? UnitLinkDisplay::green() : UnitLinkDisplay::red();
    emit displayChanged();
}

void SignalGeneratorLink::setErrorText(const QString& labelText, const QString& errorText)
{
    m_display.errorMessage = labelText;
    m_lastErrorText = errorText;
    emit displayChanged();
}

void SignalGeneratorLink::failDisplay(const QString& labelText, const QString& errorText)
{
    showConnectToggle(false);
    setErrorText(labelText, errorText);
    emit hardwareStatus(m_lastErrorText, true);
    showToggleForConnected();
}

void SignalGeneratorLink::failOpen(const QString& labelText, const QString& errorText)
{
    failDisplay(labelText, errorText);
    emit usbError(ErrorOpeningPort);
}

const SignalGeneratorLink::SetUpFailure* SignalGeneratorLink::setUpPort()
{
    static constexpr SetUpFailure queue{"Command failed", "Command failed"};
    static constexpr SetUpFailure latency{"Latency failed", "Latency failed"};
    static constexpr SetUpFailure baudRate{"Baud Rate failed", "Baud rate failed"};
    static constexpr SetUpFailure bitMode{"Reset failed", "Reset failed"};
    if (m_usb.queryQueueStatus() != platform::FT_OK)
        return &queue;
    if (m_usb.setLatencyTimer(LatencyMs) != platform::FT_OK)
        return &latency;
    if (m_usb.setBaudRate(BaudRate) != platform::FT_OK)
        return &baudRate;
    if (m_usb.setBitMode(0, 0) != platform::FT_OK)
        return &bitMode;
    return nullptr;
}

qint32 SignalGeneratorLink::openDevice()
{
    wait10ms();
    showToggleForConnected();
    if (m_connected && m_usb.closeDevice() != platform::FT_OK) {
        m_connected = false;
        failOpen(QStringLiteral("Close attempt failed"), QStringLiteral("Close attempt failed"));
        return 0;
    }
    m_connected = false;
    const qint32 index = m_usb.findDevice(QString::fromLatin1(RollerDeviceDescription));
    if (index < 0) {
        failDisplay(QStringLiteral("No devices found"), QStringLiteral("No devices found"));
        return 0;
    }
    m_usb.openByIndex(index);
    if (m_usb.lastStatus() != platform::FT_OK) {
        failOpen(QStringLiteral("Open failed"), QStringLiteral("Open failed"));
        return 0;
    }
    // From here on a failure leaves the port closed as well: a generator
    // that is not set up or does not answer is not connected, and no roll
    // is sent to it.
    const SetUpFailure* failed = setUpPort();
    if (failed) {
        m_usb.closeQuietly();
        failOpen(QLatin1String(failed->label), QLatin1String(failed->error));
        return 0;
    }
    if (sendDataAndPoll(QStringLiteral("(*)"), 50) != "(*)") {
        m_usb.closeQuietly();
        failDisplay(QStringLiteral("No ACK Received"), QStringLiteral("No ACK Received"));
        return 0;
    }
    m_connected = true;
    m_display.statusCaption = QStringLiteral("Connecting...");
    showConnectToggle(true);
    setErrorText(QString(), QString());
    emit hardwareStatus(QString(), true);
    emit usbConnected(m_usb.handle());
    showToggleForConnected();
    return 0;
}

void SignalGeneratorLink::closeUSB(qint32 handle)
{
    m_usb.setHandle(handle);
    if (m_usb.closeDevice() != platform::FT_OK) {
        setErrorText(QStringLiteral("Close attempt failed"), QStringLiteral("Close attempt failed"));
        emit hardwareStatus(QStringLiteral("Close attempt failed"), true);
        return;
    }
    m_connected = false;
    showConnectToggle(false);
    setErrorText(QStringLiteral("USB Port Closed"), QString());
    emit hardwareStatus(QStringLiteral("Disconnected"), false);
    emit usbClosed();
}

void SignalGeneratorLink::connectDevice()
{
    openDevice();
}

void SignalGeneratorLink::disconnectDevice()
{
    closeUSB(m_usb.handle());
}

// A frame goes out whole or not at all; a failed or short write is not
// repeated (the generator's frames are a few bytes, and a roll command sent
// again would roll the electrode twice).
void SignalGeneratorLink::transmitFrame(const QString& text)
{
    const QByteArray frame = text.toLatin1();
    m_usb.writeDevice(frame, static_cast<qint32>(frame.size()));
    emit txData(text);
}

void SignalGeneratorLink::txCommCheck()
{
    transmitFrame(QStringLiteral("(*)"));
}

QString SignalGeneratorLink::sendDataAndPoll(const QString& cmd, qint32 delay)
{
    transmitFrame(cmd);
    waitMilliseconds(delay);
    if (m_usb.queryQueueStatus() != platform::FT_OK)
        return QString();
    return m_usb.readWaitingText();
}

void SignalGeneratorLink::txRollChannel(qint16 channelIndex)
{
    transmitFrame("(g" + QString::number(channelIndex) + ")");
    emit txRollChannelSent(channelIndex);
    // Counted in 64 bits: the settings allow delays of up to 32,767 s.
    waitMilliseconds(static_cast<qint64>(m_rollDelay) * 1000);
    emit rollDelayComplete();
}

// The wait ends at the tick of m_delayTimer, or when its own time has passed
// (a wait started meanwhile takes over the timer).
void SignalGeneratorLink::waitMilliseconds(qint64 ms)
{
    ms = qBound<qint64>(0, ms, qint64{std::numeric_limits<int>::max()});
    m_delayElapsed = false;
    m_delayTimer.setEnabled(false);
    m_delayTimer.setInterval(static_cast<int>(ms));
    m_delayTimer.setEnabled(true);
    platform::Clock::waitUntil([this] { return m_delayElapsed; }, ms);
    m_delayElapsed = false;
    m_delayTimer.setEnabled(false);
}

} // namespace unit
