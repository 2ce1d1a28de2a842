// Transmit path of the unit link: channel framing, immediate writes and the
// send queue, the poll cycle, exchanges with a wait, and the timed waits.

#include "config/Log.h"
#include "platform/Clock.h"
#include "unit/SimUnitPort.h"
#include "unit/UnitLink.h"

#include <algorithm>

using platform::Clock;

void ctlZAMOUsbComm::SendCommandToChannel(const QString& cmd, qint16 vChannelID, bool vImmediate)
{
    QString frame = cmd;
    if (vChannelID >= ChannelCount) {
        // A reply would be booked to a channel that does not exist.
        modMain::WriteLog("Unit #" + QString::number(pUnitID) + ": frame " + cmd + " for channel "
                          + QString::number(vChannelID) + " not sent; channels are 0..15");
        return;
    }
    if (vChannelID >= 0)
        frame = "[C" + QString::number(vChannelID).rightJustified(2, '0') + cmd + "]";
    if (vImmediate)
        TransmitFrame(frame, vChannelID);
    else
        QueueFrame(frame, vChannelID);
}

void ctlZAMOUsbComm::QueueFrame(const QString& frame, qint16 channel)
{
    SendQueue.emplace_back(channel, frame);
}

void ctlZAMOUsbComm::TransmitFrame(const QString& frame, qint16 channel)
{
    if (channel >= 0 && channel < ChannelCount)
        m_protocol.attributeTo(channel);
    if (pSimulatorMode) {
        emit TXData(pIndex, frame);
        SimulatorExchange(frame, false);
        return;
    }
    AppendToTxBuffer(frame);
    WriteTxBuffer(static_cast<qint32>(TxBuffer.size()));
    emit TXData(pIndex, frame);
}

void ctlZAMOUsbComm::AppendToTxBuffer(const QString& text)
{
    TxBuffer += text.toLatin1();
}

void ctlZAMOUsbComm::WriteTxBuffer(qint32 count)
{
    // The bytes leave the buffer before the write, so that a failure (and a
    // reconnection started by its report) never finds them in front of the
    // next frame.
    QByteArray out = TxBuffer.left(count);
    TxBuffer.remove(0, out.size());
    while (!out.isEmpty()) {
        const qint32 written = Usb.WriteDevice(out, static_cast<qint32>(out.size()));
        if (Usb.TransferStatus != platform::FT_OK)
            return; // reported by the device layer; the unsent bytes are dropped
        if (written <= 0) {
            modMain::WriteLog("Write_USB_Device_Buffer " + QString::number(out.size()) + ", 0 - "
                              + QString::number(out.size()) + " characters dropped");
            return;
        }
        out.remove(0, written);
    }
}

QString ctlZAMOUsbComm::SimulatorExchange(const QString& frame, bool wantReply)
{
    SimUnitPort* sim = SimUnit();
    if (wantReply)
        return sim->RXData(frame, true);
    sim->RXData(frame, false);
    return QString();
}

void ctlZAMOUsbComm::OnSimDataReady(const QString& pData, qint16 pChannelID)
{
    // A late answer (the channel map) to a link closed meanwhile is not read,
    // as a closed port reads nothing.
    if (!pConnected || !pSimulatorMode)
        return;
    if (pChannelID >= 0 && pChannelID < ChannelCount)
        m_protocol.attributeTo(pChannelID);
    // An empty reply has nothing to parse (an empty text would mean "read the port").
    if (!pData.isEmpty())
        ProcessReceivedData(pData);
}

bool ctlZAMOUsbComm::QueryWaitingBytes()
{
    return Usb.GetQueueStatus() == platform::FT_OK;
}

QString ctlZAMOUsbComm::SendDataAndPoll(const QString& cmd, qint32 vDelay)
{
    const bool polling = PollingTimer.isEnabled();
    PollingTimer.setEnabled(false);
    QString reply;
    if (pSimulatorMode) {
        emit TXData(pIndex, cmd);
        WaitMilliseconds(vDelay, false);
        reply = SimulatorExchange(cmd, true);
    } else {
        TransmitFrame(cmd, -1);
        WaitMilliseconds(vDelay, false);
        if (QueryWaitingBytes() && Usb.RxBytesWaiting > 0) {
            const qint32 n = Usb.ReadDevice(Usb.RxBytesWaiting);
            reply = QString::fromLatin1(Usb.RxBuffer.constData(), n);
            Usb.RxBuffer.fill('\0', Usb.RxBuffer.size());
        }
    }
    PollingTimer.setEnabled(polling);
    return reply;
}

void ctlZAMOUsbComm::OnPollingTimer()
{
    if (!pConnected)
        return;
    // A wait or a message box inside this tick (in an event handler, or in
    // a reconnection after a port failure) runs the message loop, and the
    // ticks that fall due meanwhile poll and read as usual: the wait may be
    // waiting for just that reply. Once one has run it has taken this
    // tick's place, and this tick touches the port no more.
    const quint64 tick = ++PollTicks;
    const auto superseded = [this, tick] { return !pConnected || PollTicks != tick; };
    if (!pSimulatorMode && QueryWaitingBytes() && !superseded() && Usb.RxBytesWaiting > 0)
        ProcessReceivedData(QString());
    if (superseded())
        return;
    if (!SendQueue.empty()) {
        const auto [channel, frame] = SendQueue.front();
        SendQueue.pop_front();
        TransmitFrame(frame, channel);
    } else if (!m_pollingInhibited && pTestRunning) {
        PollChannels();
    }
}

void ctlZAMOUsbComm::PollChannels()
{
    ++PollCursor;
    if (PollCursor >= ChannelCount) {
        PollCursor = -1;
        SendCommandToChannel(QStringLiteral("[*]"), -1, false);
        return;
    }
    const auto present = [this](int c) { return m_state.channelPresent(c); };
    int found = -1;
    for (int c = PollCursor; c < ChannelCount && found < 0; ++c)
        if (present(c))
            found = c;
    for (int c = 0; c <= PollCursor && found < 0; ++c)
        if (present(c))
            found = c;
    if (found >= 0) {
        // The cursor moves first: a failed write may reconnect, and the ticks
        // during that carry on from here.
        PollCursor = static_cast<qint16>(found);
        SendCommandToChannel(QStringLiteral("(?)"), static_cast<qint16>(found), true);
    }
}

void ctlZAMOUsbComm::OnDelayTimer()
{
    DelayElapsed = true;
}

void ctlZAMOUsbComm::WaitMilliseconds(qint32 ms, bool suspendPolling)
{
    DelayElapsed = false;
    ++WaitDepth;
    DelayTimer.setEnabled(false);
    DelayTimer.setInterval(ms);
    DelayTimer.setEnabled(true);
    const qint64 start = Clock::tickCount();
    const bool polling = PollingTimer.isEnabled();
    if (suspendPolling)
        PollingTimer.setEnabled(false);

    const auto over = [this] { return DelayElapsed || !DelayTimer.isEnabled(); };
    while (!over()) {
        Clock::waitUntil(over, qMax<qint32>(ms, 0));
        // Ends the wait even when the timer's tick is not delivered.
        if (!over() && (ms <= 0 || Clock::tickCount() - start >= ms))
            DelayElapsed = true;
    }

    const qint64 end = Clock::tickCount();
    if (suspendPolling)
        PollingTimer.setEnabled(polling);
    // A wait that ended too early (not through a nested wait) waits once more.
    if (WaitDepth == 1 && end - start <= ms / 2)
        WaitMilliseconds(ms, true);
    DelayElapsed = false;
    WaitDepth = 0;
    DelayTimer.setEnabled(false);
}

void ctlZAMOUsbComm::ProcessReceivedData(const QString& text)
{
    if (!text.isEmpty()) {
        m_protocol.parseText(text, m_replies);
        return;
    }
    // The bytes waiting, as the last queue-status call reported them. Only
    // what the read brought is taken: a failed read brings nothing, and the
    // reconnection its report may start reads into the same buffer.
    const qint32 waiting = std::max<qint32>(Usb.RxBytesWaiting, 0);
    const qint32 read = waiting > 0 ? Usb.ReadDevice(waiting) : 0;
    const qint32 n = std::min<qint32>(read, Usb.RxBuffer.size());
    const QByteArray received = Usb.RxBuffer.left(n);
    std::fill_n(Usb.RxBuffer.data(), n, '\0');
    m_protocol.parseRead(received, m_replies);
}

void ctlZAMOUsbComm::Pause750ms()
{
    Clock::sleep(750);
}
