#include "platform/D2xx.h"

namespace platform {

namespace {
// Until the Linux serial device is registered, no converter is present.
class NoDevices : public D2xx {
public:
    FtStatus ListDevicesCount(std::int32_t* count) override { *count = 0; return FT_OK; }
    FtStatus ListDeviceDescription(std::int32_t, QByteArray*) override { return FT_DEVICE_NOT_FOUND; }
    FtStatus Open(std::int32_t, FtHandle*) override { return FT_DEVICE_NOT_FOUND; }
    FtStatus Close(FtHandle) override { return FT_INVALID_HANDLE; }
    FtStatus GetQueueStatus(FtHandle, std::int32_t*) override { return FT_INVALID_HANDLE; }
    FtStatus SetLatencyTimer(FtHandle, std::uint8_t) override { return FT_INVALID_HANDLE; }
    FtStatus SetBaudRate(FtHandle, std::uint32_t) override { return FT_INVALID_HANDLE; }
    FtStatus SetBitMode(FtHandle, std::uint8_t, std::uint8_t) override { return FT_INVALID_HANDLE; }
    FtStatus Read(FtHandle, QByteArray*, std::int32_t, std::int32_t*) override { return FT_INVALID_HANDLE; }
    FtStatus Write(FtHandle, const QByteArray&, std::int32_t*) override { return FT_INVALID_HANDLE; }
};

std::unique_ptr<D2xx>& current()
{
    static std::unique_ptr<D2xx> d = std::make_unique<NoDevices>();
    return d;
}
} // namespace

D2xx& D2xx::instance()
{
    return *current();
}

std::unique_ptr<D2xx> D2xx::install(std::unique_ptr<D2xx> driver)
{
    std::unique_ptr<D2xx> old = std::move(current());
    current() = std::move(driver);
    return old;
}

} // namespace platform
