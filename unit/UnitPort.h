#pragma once
// The transport of one measuring unit: its USB-serial converter (through the
// D2XX interface) or its simulated unit, the transmit buffer, the send queue,
// the poll cycle and the timed waits. It knows frames only as text: what a
// frame means is the protocol's business, and every byte that arrives is
// handed on through bytesReceived (a read of the converter) or textReceived
// (a reply given whole: the simulated unit's, as it would arrive on the wire).
//
// Failure behaviour: a failing driver call is logged by the device layer and
// reported to the failure report given at construction; nothing throws. A
// write that fails drops its bytes; a read that fails brings nothing. Waits
// run the event loop (other timers and events run during them) and always
// end, even when the delay timer's tick is lost.

#include "platform/Timer.h"
#include "unit/UsbDevice.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <utility>

// The tests' access to the private transmit path.
struct UnitLinkTestAccess;

namespace unit {

class SimUnitPort;

class UnitPort : public QObject {
    Q_OBJECT
public:
    static constexpr int channelCount = 16;

    // How opening the converter failed.
    enum class OpenFailure { None, Open, QueueStatus, Latency, BaudRate, BitMode };

    // report: the device layer's failure report (the failing call's label and status).
    explicit UnitPort(UsbDevice::FailureReport report, QObject* parent = nullptr);
    ~UnitPort() override;

    // ---- the device ----
    // The converter's driver state (handle, statuses, waiting bytes).
    UsbDevice& device() { return m_device; }
    bool simulated() const { return m_simulated; }
    void setSimulated(bool simulated) { m_simulated = simulated; }
    // The simulated unit, made on first use.
    SimUnitPort* simulatedUnit();
    // The link counts as connected: the poll cycle runs, simulated replies are read.
    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }
    // The lowest converter whose description reads `description`, or -1.
    qint32 findDevice(const QString& description);
    // Opens converter `index` and sets it up (latency 16 ms, 19200 baud,
    // reset bit mode); the port counts as open once it is set up. A
    // converter that fails a step is closed again, and the port stays closed.
    OpenFailure openDevice(qint32 index);
    // Closes the converter (nothing to close on the simulated unit).
    platform::FtStatus closeDevice();
    // Lets go of the converter after a failure without reporting it.
    void releaseDevice() { m_device.closeQuietly(); }

    // ---- sending ----
    // Writes (or hands the simulated unit) one frame now; a channel 0..15
    // is announced through channelAddressed first.
    void sendNow(const QString& frame, qint16 channel);
    // Queues a frame; the poll cycle sends one queued frame per tick.
    void enqueue(const QString& frame, qint16 channel);
    void clearTransmitBuffer() { m_txBuffer.clear(); }
    // Sends a unit frame with polling held, waits `delay` ms and returns what
    // came back ("" when nothing did).
    QString exchange(const QString& frame, qint32 delay);

    // ---- receiving ----
    // Reads the bytes that the last queue-status call reported waiting and
    // hands them on through bytesReceived.
    void readWaiting();

    // ---- poll cycle ----
    bool pollingEnabled() const { return m_pollTimer.isEnabled(); }
    void setPollingEnabled(bool enabled) { m_pollTimer.setEnabled(enabled); }
    int pollInterval() const { return m_pollTimer.interval(); }
    void setPollInterval(int ms) { m_pollTimer.setInterval(ms); }
    // While a test runs, an idle tick asks the next present channel for data.
    bool testRunning() const { return m_testRunning; }
    void setTestRunning(bool running) { m_testRunning = running; }
    // Inhibited polling sends no "(?)" and queues no "[*]"; queued frames still go out.
    bool pollingInhibited() const { return m_pollingInhibited; }
    void setPollingInhibited(bool inhibited) { m_pollingInhibited = inhibited; }
    // Which channels are present, for the poll cycle.
    void setChannelPresence(std::function<bool(int)> present) { m_channelPresent = std::move(present); }

    // ---- waits ----
    // Waits ms milliseconds in the event loop; suspendPolling holds the poll
    // cycle meanwhile. A wait that ends too early (a stale tick) waits once more.
    void waitMilliseconds(qint32 ms, bool suspendPolling);
    // The pause that a charge command needs, without running the event loop.
    void pause750ms();

signals:
    // Replies that follow belong to this channel (sent before its frame).
    void channelAddressed(qint16 channel);
    // A frame went out (written, or handed to the simulated unit).
    void frameSent(const QString& frame);
    // The bytes of one read of the converter.
    void bytesReceived(const QByteArray& bytes);
    // A reply given whole by the simulated unit.
    void textReceived(const QString& text);

private:
    void writeTransmitBuffer(qint32 count);
    QString simulatorExchange(const QString& frame, bool wantReply);
    void onPollTimer();
    void pollChannels();
    void onDelayTimer();
    void onSimulatedReply(const QString& data, qint16 channel);
    bool queryWaitingBytes();
    void announce(qint16 channel);
    friend struct ::UnitLinkTestAccess; // tests deliver a stale delay tick

    UsbDevice m_device;
    bool m_simulated = false;
    bool m_open = false;
    bool m_testRunning = false;
    bool m_pollingInhibited = false;
    std::function<bool(int)> m_channelPresent;
    QByteArray m_txBuffer;                              // characters not yet written
    std::deque<std::pair<qint16, QString>> m_sendQueue; // channel (-1: unit frame), frame
    qint16 m_pollCursor = -1;
    bool m_delayElapsed = false;
    qint32 m_waitDepth = 0;
    quint64 m_pollTicks = 0; // poll ticks begun; a tick that waits sees later ones
    platform::Timer m_pollTimer;
    platform::Timer m_delayTimer;
    SimUnitPort* m_simUnit = nullptr;
};

} // namespace unit
