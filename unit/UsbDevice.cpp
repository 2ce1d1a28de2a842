#include "unit/UsbDevice.h"

#include "config/Log.h"

#include <algorithm>
#include <array>

namespace unit {

using platform::D2xx;
using platform::FtStatus;

namespace {
// The longest description the driver hands back.
constexpr int DescriptionBufferSize = 50;
} // namespace

UsbDevice::UsbDevice(bool writeLog, FailureReport report) : m_writeLog(writeLog), m_report(std::move(report)) {}

QString UsbDevice::statusText(platform::FtStatus status)
{
    static const std::array<const char*, 18> texts = {
        " - Invalid Handle",
        " - Device Not Found",
        " - Device Not Opened",
        " - General IO Error",
        " - Insufficient Resources",
        " - Invalid Parameter",
        " - Invalid Baud Rate",
        " - Device not opened for Erase",
        " - Device not opened for Write",
        " - Failed to write Device",
        " - EEPROM read failed",
        " - EEPROM write failed",
        " - EEPROM erase failed",
        " - EEPROM not present",
        " - EEPROM not programmed",
        " - Invalid Arguments",
        " - not supported",
        " - other error",
    };
    if (!isKnownStatus(status))
        return QString();
    return QString::fromLatin1(texts[static_cast<size_t>(status - 1)]);
}

bool UsbDevice::isKnownStatus(platform::FtStatus status)
{
    return status >= platform::FT_INVALID_HANDLE && status <= platform::FT_OTHER_ERROR;
}

QString UsbDevice::errorText(const QString& label, platform::FtStatus status)
{
    return isKnownStatus(status) ? label + statusText(status) : QString();
}

void UsbDevice::log(const QString& line) const
{
    if (m_writeLog)
        config::writeLog(line);
}

void UsbDevice::fail(const QString& logLine, const QString& label, platform::FtStatus status)
{
    log(logLine);
    if (m_report)
        m_report(label, status);
}

platform::FtStatus UsbDevice::closeDevice()
{
    log(QStringLiteral("Closing USB Port"));
    // A handle that a failure released is closed already; any other handle,
    // 0 of a port never opened included, goes to the driver.
    const bool released = m_handle == 0 && m_releasedAfterFailure;
    const platform::FtStatus status = released ? platform::FT_OK : platform::D2xx::instance().close(m_handle);
    m_lastStatus = status;
    log("USB Port Closure Result = " + QString::number(status));
    if (status == platform::FT_OK) {
        m_handle = 0;
        m_releasedAfterFailure = false;
    } else {
        fail(QStringLiteral("Close_USB_Device failed"), QStringLiteral("FT_Close"), status);
    }
    return status;
}

void UsbDevice::closeQuietly()
{
    if (m_handle == 0)
        return;
    const platform::FtStatus status = platform::D2xx::instance().close(m_handle);
    log("USB Port Closure Result = " + QString::number(status));
    m_handle = 0;
    m_releasedAfterFailure = true;
}

platform::FtStatus UsbDevice::queryQueueStatus()
{
    qint32 waiting = 0;
    const platform::FtStatus status = platform::D2xx::instance().getQueueStatus(m_handle, &waiting);
    m_lastStatus = status;
    m_bytesWaiting = status == platform::FT_OK ? waiting : 0;
    if (status != platform::FT_OK)
        fail(QStringLiteral("Get_USB_Device_QueueStatus"), QStringLiteral("FT_GetQueueStatus"), status);
    // The call's own status: a reconnection that the report started has
    // made calls of its own since.
    return status;
}

qint32 UsbDevice::countDevices()
{
    qint32 count = 0;
    m_lastStatus = platform::D2xx::instance().listDevicesCount(&count);
    if (m_lastStatus != platform::FT_OK) {
        m_deviceCount = 0;
        fail(QStringLiteral("Error retrieving USB Device Count (GetFTDeviceCount)"), QStringLiteral("GetFTDeviceCount"),
             m_lastStatus);
        return 0;
    }
    m_deviceCount = count;
    log("USB Device Count = " + QString::number(count));
    return count;
}

QString UsbDevice::deviceDescription(qint32 index)
{
    QByteArray buffer;
    m_lastStatus = platform::D2xx::instance().listDeviceDescription(index, &buffer);
    if (m_lastStatus != platform::FT_OK) {
        fail(QStringLiteral("Error retrieving USB Device Description (GetFTDeviceDescription)"),
             QStringLiteral("GetFTDeviceDescription"), m_lastStatus);
        return QString();
    }
    const qsizetype nul = buffer.indexOf('\0');
    if (nul >= 0)
        buffer.truncate(nul);
    buffer.truncate(DescriptionBufferSize);
    const QString description = QString::fromLatin1(buffer);
    log("USB Device Description = " + description);
    return description;
}

void UsbDevice::openByIndex(qint32 index)
{
    log("Opening USB Device by Index: " + QString::number(index));
    platform::FtHandle handle = 0;
    m_lastStatus = platform::D2xx::instance().open(index, &handle);
    if (m_lastStatus == platform::FT_OK) {
        m_handle = handle;
        m_releasedAfterFailure = false;
    } else {
        fail(QStringLiteral("Open_USB_Device_By_Index"), QStringLiteral("Open_USB_Device_By_Index"), m_lastStatus);
    }
}

platform::FtStatus UsbDevice::setLatencyTimer(quint8 ms)
{
    m_lastStatus = platform::D2xx::instance().setLatencyTimer(m_handle, ms);
    return m_lastStatus;
}

platform::FtStatus UsbDevice::setBaudRate(quint32 baud)
{
    m_lastStatus = platform::D2xx::instance().setBaudRate(m_handle, baud);
    return m_lastStatus;
}

platform::FtStatus UsbDevice::setBitMode(quint8 mask, quint8 mode)
{
    m_lastStatus = platform::D2xx::instance().setBitMode(m_handle, mask, mode);
    return m_lastStatus;
}

qint32 UsbDevice::readDevice(qint32 n)
{
    if (n > m_receiveBuffer.size())
        m_receiveBuffer.resize(n, '\0');
    QByteArray data;
    qint32 read = 0;
    m_transferStatus = platform::D2xx::instance().read(m_handle, &data, n, &read);
    read = qBound<qint32>(0, qMin<qint32>(read, static_cast<qint32>(data.size())), n);
    if (m_transferStatus != platform::FT_OK)
        read = 0;
    for (qint32 i = 0; i < read; ++i)
        m_receiveBuffer[i] = data[i];
    if (m_transferStatus != platform::FT_OK)
        fail("Read_USB_Device_Buffer " + QString::number(n) + ", " + QString::number(read), QStringLiteral("FT_Read"),
             m_transferStatus);
    return read;
}

qint32 UsbDevice::writeDevice(const QByteArray& data, qint32 n)
{
    qint32 written = 0;
    m_transferStatus = platform::D2xx::instance().write(m_handle, data.left(n), &written);
    if (m_transferStatus != platform::FT_OK)
        fail("Write_USB_Device_Buffer " + QString::number(n) + ", " + QString::number(written),
             QStringLiteral("FT-Write"), m_transferStatus);
    return written;
}

QByteArray UsbDevice::takeWaitingBytes()
{
    const qint32 read = m_bytesWaiting > 0 ? readDevice(m_bytesWaiting) : 0;
    const qint32 n = std::min<qint32>(read, static_cast<qint32>(m_receiveBuffer.size()));
    const QByteArray taken = m_receiveBuffer.left(n);
    std::fill_n(m_receiveBuffer.data(), n, '\0');
    return taken;
}

qint32 UsbDevice::findDevice(const QString& description)
{
    const qint32 n = countDevices();
    for (qint32 i = 0; i < n; ++i) {
        const QString found = deviceDescription(i);
        if (m_lastStatus == platform::FT_OK && found == description)
            return i;
    }
    return -1;
}

} // namespace unit
