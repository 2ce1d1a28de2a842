#pragma once
// The converter driver on Linux: each USB-serial converter that the kernel
// presents as /dev/ttyUSB<n> is one device. Its description is the USB
// product text from sysfs; the port runs raw, 8 data bits, no parity, one
// stop bit, non-blocking. A port whose device went away (unplugged, or the
// far end of a pseudo-terminal closed) answers with FT_IO_ERROR.
//
// A port that is in use is listed with an empty description, as the vendor
// driver lists an opened device, so that a link looking for its converter
// passes over it: a port this driver holds open, and a port that another
// program holds (it keeps a lock on the device, as this driver does on every
// port it opens). The driver also opens its ports exclusively (TIOCEXCL),
// so that a program that takes no lock cannot open them behind its back.
//
// The devices are looked up under one root folder: "/" unless the
// environment variable ZAMO_DEVICE_ROOT names another, which holds
// sys/class/tty/ttyUSB<n>/device and dev/ttyUSB<n> laid out as on a real
// system (the device node may be a link to any terminal, a pseudo-terminal
// included).

#include "platform/D2xx.h"

#include <QString>

#include <map>
#include <vector>

namespace platform {

class LinuxSerialD2xx : public D2xx {
public:
    LinuxSerialD2xx() = default;
    ~LinuxSerialD2xx() override;

    FtStatus listDevicesCount(std::int32_t* count) override;
    FtStatus listDeviceDescription(std::int32_t index, QByteArray* description) override;
    FtStatus open(std::int32_t index, FtHandle* handle) override;
    FtStatus close(FtHandle handle) override;
    FtStatus getQueueStatus(FtHandle handle, std::int32_t* bytesWaiting) override;
    FtStatus setLatencyTimer(FtHandle handle, std::uint8_t ms) override;
    FtStatus setBaudRate(FtHandle handle, std::uint32_t baud) override;
    FtStatus setBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) override;
    FtStatus read(FtHandle handle, QByteArray* buffer, std::int32_t count, std::int32_t* read) override;
    FtStatus write(FtHandle handle, const QByteArray& data, std::int32_t* written) override;

    // The folder under which sys/ and dev/ are looked up.
    static QString deviceRoot();

private:
    // One port this driver holds open.
    struct Port {
        int fd = -1;
        QString name; // "ttyUSB0"
    };
    // One converter present, with its USB product text.
    struct Found {
        QString name;
        QByteArray description;
    };

    // The ttyUSB devices present now, in the order of their numbers.
    static std::vector<Found> scan();
    Port* port(FtHandle handle);
    // The port is open here or locked by another program.
    bool inUse(const QString& name) const;

    std::map<FtHandle, Port> m_ports;
    FtHandle m_nextHandle = 1;
};

} // namespace platform
