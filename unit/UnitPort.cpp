#include "unit/UnitPort.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "unit/CommandFrames.h"
#include "unit/SimUnitPort.h"

namespace unit {

using platform::Clock;

UnitPort::UnitPort(UsbDevice::FailureReport report, QObject* parent)
    : QObject(parent), m_device(true, std::move(report))
{
    m_pollTimer.setInterval(150);
    m_pollTimer.setEnabled(false);
    connect(&m_pollTimer, &platform::Timer::timeout, this, &UnitPort::onPollTimer);
    connect(&m_delayTimer, &platform::Timer::timeout, this, &UnitPort::onDelayTimer);
}

UnitPort::~UnitPort()
{
    m_pollTimer.setEnabled(false);
    m_delayTimer.setEnabled(false);
}

SimUnitPort* UnitPort::simulatedUnit()
{
    if (!m_simUnit) {
        m_simUnit = SimUnitPort::create(this);
        connect(m_simUnit, &SimUnitPort::dataReady, this, &UnitPort::onSimulatedReply);
    }
    return m_simUnit;
}

// ---- the device ----

qint32 UnitPort::findDevice(const QString& description)
{
    return m_device.findDevice(description);
}

UnitPort::OpenFailure UnitPort::openDevice(qint32 index)
{
    m_device.openByIndex(index);
    if (m_device.lastStatus() != platform::FT_OK)
        return OpenFailure::Open;
    if (m_device.queryQueueStatus() != platform::FT_OK)
        return OpenFailure::QueueStatus;
    OpenFailure failure = OpenFailure::None;
    if (m_device.setLatencyTimer(16) != platform::FT_OK)
        failure = OpenFailure::Latency;
    else if (m_device.setBaudRate(19200) != platform::FT_OK)
        failure = OpenFailure::BaudRate;
    else if (m_device.setBitMode(0, 0) != platform::FT_OK)
        failure = OpenFailure::BitMode;
    if (failure != OpenFailure::None) {
        // A converter that could not be set up is let go of again: the
        // unit is not connected, and the next open must be able to take it.
        m_device.closeQuietly();
        return failure;
    }
    m_open = true;
    return OpenFailure::None;
}

platform::FtStatus UnitPort::closeDevice()
{
    return m_device.closeDevice();
}

// ---- sending ----

void UnitPort::announce(qint16 channel)
{
    if (channel >= 0 && channel < channelCount)
        emit channelAddressed(channel);
}

void UnitPort::enqueue(const QString& frame, qint16 channel)
{
    m_sendQueue.emplace_back(channel, frame);
}

void UnitPort::sendNow(const QString& frame, qint16 channel)
{
    announce(channel);
    if (m_simulated) {
        emit frameSent(frame);
        simulatorExchange(frame, false);
        return;
    }
    m_txBuffer += frame.toLatin1();
    writeTransmitBuffer(static_cast<qint32>(m_txBuffer.size()));
    emit frameSent(frame);
}

void UnitPort::writeTransmitBuffer(qint32 count)
{
    // The bytes leave the buffer before the write, so that a failure (and a
    // reconnection started by its report) never finds them in front of the
    // next frame.
    QByteArray out = m_txBuffer.left(count);
    m_txBuffer.remove(0, out.size());
    while (!out.isEmpty()) {
        const qint32 written = m_device.writeDevice(out, static_cast<qint32>(out.size()));
        if (m_device.transferStatus() != platform::FT_OK)
            return; // reported by the device layer; the unsent bytes are dropped
        if (written <= 0) {
            config::writeLog("Write_USB_Device_Buffer " + QString::number(out.size()) + ", 0 - "
                             + QString::number(out.size()) + " characters dropped");
            return;
        }
        out.remove(0, written);
    }
}

QString UnitPort::simulatorExchange(const QString& frame, bool wantReply)
{
    SimUnitPort* sim = simulatedUnit();
    if (wantReply)
        return sim->rxData(frame, true);
    sim->rxData(frame, false);
    return QString();
}

QString UnitPort::exchange(const QString& frame, qint32 delay)
{
    const bool polling = m_pollTimer.isEnabled();
    m_pollTimer.setEnabled(false);
    QString reply;
    if (m_simulated) {
        emit frameSent(frame);
        waitMilliseconds(delay, false);
        reply = simulatorExchange(frame, true);
    } else {
        sendNow(frame, -1);
        waitMilliseconds(delay, false);
        if (queryWaitingBytes())
            reply = m_device.readWaitingText();
    }
    m_pollTimer.setEnabled(polling);
    return reply;
}

// ---- receiving ----

void UnitPort::onSimulatedReply(const QString& data, qint16 channel)
{
    // A late answer (the channel map) to a link closed meanwhile is not read,
    // as a closed port reads nothing.
    if (!m_open || !m_simulated)
        return;
    announce(channel);
    // An empty reply has nothing to parse.
    if (!data.isEmpty())
        emit textReceived(data);
}

bool UnitPort::queryWaitingBytes()
{
    return m_device.queryQueueStatus() == platform::FT_OK;
}

void UnitPort::readWaiting()
{
    // The bytes waiting, as the last queue-status call reported them.
    emit bytesReceived(m_device.takeWaitingBytes());
}

// ---- poll cycle ----

void UnitPort::onPollTimer()
{
    if (!m_open)
        return;
    // A wait or a message box inside this tick (in an event handler, or in
    // a reconnection after a port failure) runs the message loop, and the
    // ticks that fall due meanwhile poll and read as usual: the wait may be
    // waiting for just that reply. Once one has run it has taken this
    // tick's place, and this tick touches the port no more.
    const quint64 tick = ++m_pollTicks;
    const auto superseded = [this, tick] { return !m_open || m_pollTicks != tick; };
    if (!m_simulated && queryWaitingBytes() && !superseded() && m_device.bytesWaiting() > 0)
        readWaiting();
    if (superseded())
        return;
    if (!m_sendQueue.empty()) {
        const auto [channel, frame] = m_sendQueue.front();
        m_sendQueue.pop_front();
        sendNow(frame, channel);
    } else if (!m_pollingInhibited && m_testRunning) {
        pollChannels();
    }
}

void UnitPort::pollChannels()
{
    ++m_pollCursor;
    if (m_pollCursor >= channelCount) {
        m_pollCursor = -1;
        enqueue(QStringLiteral("[*]"), -1);
        return;
    }
    const auto present = [this](int c) { return m_channelPresent && m_channelPresent(c); };
    int found = -1;
    for (int c = m_pollCursor; c < channelCount && found < 0; ++c)
        if (present(c))
            found = c;
    for (int c = 0; c <= m_pollCursor && found < 0; ++c)
        if (present(c))
            found = c;
    if (found >= 0) {
        // The cursor moves first: a failed write may reconnect, and the ticks
        // during that carry on from here.
        m_pollCursor = static_cast<qint16>(found);
        sendNow(UnitCommandFrames::channelFrame(QStringLiteral("(?)"), m_pollCursor), m_pollCursor);
    }
}

// ---- waits ----

void UnitPort::onDelayTimer()
{
    m_delayElapsed = true;
}

void UnitPort::waitMilliseconds(qint32 ms, bool suspendPolling)
{
    m_delayElapsed = false;
    ++m_waitDepth;
    m_delayTimer.setEnabled(false);
    m_delayTimer.setInterval(ms);
    m_delayTimer.setEnabled(true);
    const qint64 start = platform::Clock::tickCount();
    const bool polling = m_pollTimer.isEnabled();
    if (suspendPolling)
        m_pollTimer.setEnabled(false);

    const auto over = [this] { return m_delayElapsed || !m_delayTimer.isEnabled(); };
    while (!over()) {
        platform::Clock::waitUntil(over, qMax<qint32>(ms, 0));
        // Ends the wait even when the timer's tick is not delivered.
        if (!over() && (ms <= 0 || platform::Clock::tickCount() - start >= ms))
            m_delayElapsed = true;
    }

    const qint64 end = platform::Clock::tickCount();
    if (suspendPolling)
        m_pollTimer.setEnabled(polling);
    // A wait that ended too early (not through a nested wait) waits once more.
    if (m_waitDepth == 1 && end - start <= ms / 2)
        waitMilliseconds(ms, true);
    m_delayElapsed = false;
    m_waitDepth = 0;
    m_delayTimer.setEnabled(false);
}

void UnitPort::pause750ms()
{
    platform::Clock::sleep(750);
}

} // namespace unit
