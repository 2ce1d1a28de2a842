#include "platform/D2xx.h"

#include "platform/LinuxSerialD2xx.h"

namespace platform {

namespace {

std::unique_ptr<D2xx>& current()
{
    static std::unique_ptr<D2xx> d = std::make_unique<LinuxSerialD2xx>();
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
