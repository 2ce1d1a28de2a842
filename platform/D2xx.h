#pragma once
// The USB-serial converter driver as the links use it: the calls and status
// codes of the converter's vendor library, shaped as an interface so that the
// Linux serial device, a scripted fake or a pseudo-terminal can stand behind it.
// Every call returns a status; FT_OK (0) is success.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

namespace platform {

using FtHandle = std::int32_t; // 0 = no handle
using FtStatus = std::int32_t;

enum : FtStatus {
    FT_OK = 0,
    FT_INVALID_HANDLE = 1,
    FT_DEVICE_NOT_FOUND = 2,
    FT_DEVICE_NOT_OPENED = 3,
    FT_IO_ERROR = 4,
    FT_INSUFFICIENT_RESOURCES = 5,
    FT_INVALID_PARAMETER = 6,
    FT_INVALID_BAUD_RATE = 7,
    FT_DEVICE_NOT_OPENED_FOR_ERASE = 8,
    FT_DEVICE_NOT_OPENED_FOR_WRITE = 9,
    FT_FAILED_TO_WRITE_DEVICE = 10,
    FT_EEPROM_READ_FAILED = 11,
    FT_EEPROM_WRITE_FAILED = 12,
    FT_EEPROM_ERASE_FAILED = 13,
    FT_EEPROM_NOT_PRESENT = 14,
    FT_EEPROM_NOT_PROGRAMMED = 15,
    FT_INVALID_ARGS = 16,
    FT_NOT_SUPPORTED = 17,
    FT_OTHER_ERROR = 18,
};

class D2xx {
public:
    virtual ~D2xx() = default;

    // FT_ListDevices, number only.
    virtual FtStatus listDevicesCount(std::int32_t* count) = 0;
    // FT_ListDevices by index, description: the converter's USB product text.
    virtual FtStatus listDeviceDescription(std::int32_t index, QByteArray* description) = 0;
    // FT_Open by index.
    virtual FtStatus open(std::int32_t index, FtHandle* handle) = 0;
    virtual FtStatus close(FtHandle handle) = 0;
    virtual FtStatus getQueueStatus(FtHandle handle, std::int32_t* bytesWaiting) = 0;
    virtual FtStatus setLatencyTimer(FtHandle handle, std::uint8_t ms) = 0;
    virtual FtStatus setBaudRate(FtHandle handle, std::uint32_t baud) = 0;
    virtual FtStatus setBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode) = 0;
    // Reads up to `count` bytes that are waiting; *read tells how many came.
    virtual FtStatus read(FtHandle handle, QByteArray* buffer, std::int32_t count, std::int32_t* read) = 0;
    virtual FtStatus write(FtHandle handle, const QByteArray& data, std::int32_t* written) = 0;

    // The driver the programs use (the Linux serial device unless a test
    // installed another). Not owned by the caller.
    static D2xx& instance();
    // Installs a driver (tests, harness); returns the one it replaced.
    static std::unique_ptr<D2xx> install(std::unique_ptr<D2xx> driver);
};

} // namespace platform
