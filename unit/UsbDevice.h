#pragma once
// The thin layer over the USB-serial converter driver that every USB link of
// the station uses (the measuring units and the signal generator): one
// wrapper per driver call, each keeping the call's status, writing its log
// line on failure and handing the failure to its owner.

#include "platform/D2xx.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace unit {

class UsbDevice {
public:
    // Called with the failing call's label and its status.
    using FailureReport = std::function<void(const QString& label, platform::FtStatus status)>;

    // With writeLog False the wrappers log nothing; a report that is empty is
    // not called.
    explicit UsbDevice(bool writeLog = true, FailureReport report = {});

    // Size of the receive and transmit buffers.
    static constexpr int BufferSize = 1024;

    platform::FtHandle handle() const { return m_handle; }
    // The handle the next close takes (a caller that closes a given handle).
    void setHandle(platform::FtHandle handle) { m_handle = handle; }
    // Status of the last list, open, queue, configure or close call.
    platform::FtStatus lastStatus() const { return m_lastStatus; }
    // Status of the last read or write.
    platform::FtStatus transferStatus() const { return m_transferStatus; }
    // Converters present at the last count.
    qint32 deviceCount() const { return m_deviceCount; }
    // Bytes waiting at the last queue-status call.
    qint32 bytesWaiting() const { return m_bytesWaiting; }

    // Closes the handle; 0 (a port never opened) is the driver's to refuse.
    platform::FtStatus closeDevice();
    platform::FtStatus queryQueueStatus();
    // Number of converters present, 0 on failure.
    qint32 countDevices();
    // The converter's description, "" on failure.
    QString deviceDescription(qint32 index);
    void openByIndex(qint32 index);
    platform::FtStatus setLatencyTimer(quint8 ms);
    platform::FtStatus setBaudRate(quint32 baud);
    platform::FtStatus setBitMode(quint8 mask, quint8 mode);
    // Reads n waiting bytes into the receive buffer (grown when n is larger);
    // returns the bytes read.
    qint32 readDevice(qint32 n);
    // Writes the first n bytes of data; returns the bytes written.
    qint32 writeDevice(const QByteArray& data, qint32 n);
    // Reads the bytes that the last queue-status call reported waiting and
    // takes only what the read brought (nothing when none were waiting or
    // the read failed: the reconnection a failure's report may start reads
    // into the same buffer), clearing those bytes in the receive buffer.
    QByteArray takeWaitingBytes();
    // The same bytes as text, one character per byte.
    QString readWaitingText() { return QString::fromLatin1(takeWaitingBytes()); }

    // The lowest index whose description reads exactly `description`, or -1.
    qint32 findDevice(const QString& description);
    // Closes a handle that a failure left open, without reporting; the handle
    // is 0 afterwards, and the next closeDevice succeeds as the close of the
    // port that was open.
    void closeQuietly();

    // The text that follows a failing call's label: " - General IO Error" for
    // 4, "" for a code outside 1..18.
    static QString statusText(platform::FtStatus status);
    // The error text of a failing call: its label and status text, as
    // "FT_Read - General IO Error"; "" altogether for a code outside 1..18.
    static QString errorText(const QString& label, platform::FtStatus status);

private:
    static bool isKnownStatus(platform::FtStatus status);
    void log(const QString& line) const;
    void fail(const QString& logLine, const QString& label, platform::FtStatus status);

    bool m_writeLog;
    FailureReport m_report;
    platform::FtHandle m_handle = 0;
    platform::FtStatus m_lastStatus = platform::FT_OK;
    platform::FtStatus m_transferStatus = platform::FT_OK;
    qint32 m_deviceCount = 0;
    qint32 m_bytesWaiting = 0;
    QByteArray m_receiveBuffer = QByteArray(BufferSize, '\0');
    bool m_releasedAfterFailure = false; // closeQuietly let go of the open port
};

} // namespace unit
