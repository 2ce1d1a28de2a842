#include "SyncCounter.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>

namespace {

std::atomic<std::uint64_t> g_syncCalls{0};

using SyncFunction = int (*)(int);

SyncFunction next(const char* name)
{
    return reinterpret_cast<SyncFunction>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd)
{
    static const SyncFunction real = next("fsync");
    ++g_syncCalls;
    return real(fd);
}

extern "C" int fdatasync(int fd)
{
    static const SyncFunction real = next("fdatasync");
    ++g_syncCalls;
    return real(fd);
}

namespace bench {

std::uint64_t syncCalls()
{
    return g_syncCalls.load();
}

} // namespace bench
