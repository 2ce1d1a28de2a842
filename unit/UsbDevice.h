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

    platform::FtHandle deviceHandle = 0;
    platform::FtStatus lastStatus = platform::FT_OK;     // list, open, queue, configure, close
    platform::FtStatus transferStatus = platform::FT_OK; // read, write
    qint32 deviceCount = 0;
    QString deviceDescription;
    qint32 rxBytesWaiting = 0;
    // Target of readDevice; the bytes of one read stand at its start.
    QByteArray rxBuffer = QByteArray(BufferSize, '\0');

    // Closes deviceHandle; 0 (a port never opened) is the driver's to refuse.
    platform::FtStatus closeDevice();
    platform::FtStatus getQueueStatus();
    // Number of converters present, 0 on failure.
    qint32 getDeviceCount();
    // The converter's description, "" on failure.
    QString getDeviceDescription(qint32 index);
    void openUSBDeviceByIndex(qint32 index);
    platform::FtStatus setLatencyTimer(quint8 ms);
    platform::FtStatus setBaudRate(quint32 baud);
    platform::FtStatus setBitMode(quint8 mask, quint8 mode);
    // Reads n waiting bytes into rxBuffer (grown when n is larger); returns
    // the bytes read.
    qint32 readDevice(qint32 n);
    // Writes the first n bytes of data; returns the bytes written.
    qint32 writeDevice(const QByteArray& data, qint32 n);

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
    bool m_releasedAfterFailure = false; // closeQuietly let go of the open port
};

} // namespace unit
