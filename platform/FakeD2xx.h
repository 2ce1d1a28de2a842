#pragma once
// A scripted converter driver for tests: a list of converters by description,
// statuses injected per call, a transcript of every write, replies keyed to
// what was written, and bytes that arrive after a delay on the clock
// (virtual time in tests). A call on a handle that is not open answers
// FT_INVALID_HANDLE, as the vendor library does.

#include "platform/D2xx.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <deque>
#include <map>
#include <set>

namespace platform {

class FakeD2xx : public D2xx {
public:
    enum class Call {
        ListDevicesCount,
        ListDeviceDescription,
        Open,
        Close,
        GetQueueStatus,
        SetLatencyTimer,
        SetBaudRate,
        SetBitMode,
        Read,
        Write
    };

    // The converters present, by index.
    void setDevices(const QList<QByteArray>& descriptions) { m_devices = descriptions; }

    // The next `times` calls of `call` fail with `status` (times < 0: every call).
    void failNext(Call call, FtStatus status, int times = 1);
    void clearFailures() { m_failures.clear(); }

    // Every write that equals `written` is answered with `reply`, which
    // arrives `delayMs` after the write; `times` < 0 answers every such write.
    void replyTo(const QByteArray& written, const QByteArray& reply, qint64 delayMs = 0, int times = -1);
    // Bytes that arrive without being asked for, `delayMs` from now.
    void arrive(const QByteArray& bytes, qint64 delayMs = 0);
    // Writes accept at most this many bytes each (< 0: no limit).
    void setWriteLimit(int bytes) { m_writeLimit = bytes; }

    // What was written, one entry per successful write call.
    const QList<QByteArray>& writes() const { return m_writes; }
    QByteArray writtenText() const;
    void clearWrites() { m_writes.clear(); }
    // Every call made, e.g. "Open(0)", "Close(1)", "Write([*])".
    const QStringList& calls() const { return m_calls; }
    bool isOpen(FtHandle handle) const { return m_open.count(handle) > 0; }
    int openCount() const { return static_cast<int>(m_open.size()); }

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

private:
    // The answer to one kind of write: its bytes, their delay, how often.
    struct Reply {
        QByteArray bytes;
        qint64 delayMs;
        int times;
    };
    // Bytes that become readable at their tick.
    struct Arrival {
        qint64 dueTick;
        QByteArray bytes;
    };

    // The injected status of this call, or FT_OK.
    FtStatus injected(Call call);
    FtStatus checkHandle(FtHandle handle) const;
    void takeArrivals();
    void schedule(qint64 dueTick, const QByteArray& bytes);

    QList<QByteArray> m_devices;
    std::map<Call, std::deque<std::pair<FtStatus, int>>> m_failures;
    std::map<QByteArray, std::deque<Reply>> m_replies;
    std::deque<Arrival> m_pending;
    QByteArray m_received;
    QList<QByteArray> m_writes;
    QStringList m_calls;
    std::set<FtHandle> m_open;
    int m_writeLimit = -1;
};

// Installs a FakeD2xx as the programs' driver for the life of the object.
class ScopedFakeD2xx {
public:
    ScopedFakeD2xx();
    ~ScopedFakeD2xx();
    FakeD2xx& operator*() { return *m_fake; }
    FakeD2xx* operator->() { return m_fake; }

private:
    FakeD2xx* m_fake;
    std::unique_ptr<D2xx> m_previous;
};

} // namespace platform
