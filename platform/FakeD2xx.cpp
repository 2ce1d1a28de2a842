#include "platform/FakeD2xx.h"

#include "platform/Clock.h"

#include <algorithm>

namespace platform {

void FakeD2xx::failNext(Call call, FtStatus status, int times)
{
    m_failures[call].emplace_back(status, times);
}

void FakeD2xx::replyTo(const QByteArray& written, const QByteArray& reply, qint64 delayMs, int times)
{
    m_replies[written].push_back({reply, delayMs, times});
}

void FakeD2xx::arrive(const QByteArray& bytes, qint64 delayMs)
{
    schedule(Clock::tickCount() + delayMs, bytes);
}

void FakeD2xx::schedule(qint64 dueTick, const QByteArray& bytes)
{
    // In order of arrival; bytes due at the same tick keep their order.
    auto at = std::upper_bound(m_pending.begin(), m_pending.end(), dueTick,
                               [](qint64 t, const Arrival& a) { return t < a.dueTick; });
    m_pending.insert(at, {dueTick, bytes});
}

QByteArray FakeD2xx::writtenText() const
{
    QByteArray all;
    for (const QByteArray& w : m_writes)
        all += w;
    return all;
}

FtStatus FakeD2xx::injected(Call call)
{
    auto it = m_failures.find(call);
    if (it == m_failures.end() || it->second.empty())
        return FT_OK;
    auto& [status, times] = it->second.front();
    const FtStatus result = status;
    if (times > 0 && --times == 0)
        it->second.pop_front();
    return result;
}

FtStatus FakeD2xx::checkHandle(FtHandle handle) const
{
    return m_open.count(handle) ? FT_OK : FT_INVALID_HANDLE;
}

void FakeD2xx::takeArrivals()
{
    const qint64 now = Clock::tickCount();
    while (!m_pending.empty() && m_pending.front().dueTick <= now) {
        m_received += m_pending.front().bytes;
        m_pending.pop_front();
    }
}

FtStatus FakeD2xx::listDevicesCount(std::int32_t* count)
{
    m_calls << "ListDevicesCount";
    if (FtStatus s = injected(Call::ListDevicesCount))
        return s;
    *count = static_cast<std::int32_t>(m_devices.size());
    return FT_OK;
}

FtStatus FakeD2xx::listDeviceDescription(std::int32_t index, QByteArray* description)
{
    m_calls << QString("ListDeviceDescription(%1)").arg(index);
    if (FtStatus s = injected(Call::ListDeviceDescription))
        return s;
    if (index < 0 || index >= m_devices.size())
        return FT_DEVICE_NOT_FOUND;
    *description = m_devices[index];
    return FT_OK;
}

FtStatus FakeD2xx::open(std::int32_t index, FtHandle* handle)
{
    m_calls << QString("Open(%1)").arg(index);
    if (FtStatus s = injected(Call::Open))
        return s;
    if (index < 0 || index >= m_devices.size())
        return FT_DEVICE_NOT_FOUND;
    const FtHandle h = index + 1;
    if (m_open.count(h))
        return FT_DEVICE_NOT_OPENED; // already open elsewhere
    m_open.insert(h);
    *handle = h;
    return FT_OK;
}

FtStatus FakeD2xx::close(FtHandle handle)
{
    m_calls << QString("Close(%1)").arg(handle);
    if (FtStatus s = injected(Call::Close))
        return s;
    if (FtStatus s = checkHandle(handle))
        return s;
    m_open.erase(handle);
    // Closing discards what the converter still held.
    m_received.clear();
    m_pending.clear();
    return FT_OK;
}

FtStatus FakeD2xx::getQueueStatus(FtHandle handle, std::int32_t* bytesWaiting)
{
    if (FtStatus s = injected(Call::GetQueueStatus))
        return s;
    if (FtStatus s = checkHandle(handle))
        return s;
    takeArrivals();
    *bytesWaiting = static_cast<std::int32_t>(m_received.size());
    return FT_OK;
}

FtStatus FakeD2xx::setLatencyTimer(FtHandle handle, std::uint8_t ms)
{
    m_calls << QString("SetLatencyTimer(%1)").arg(ms);
    if (FtStatus s = injected(Call::SetLatencyTimer))
        return s;
    return checkHandle(handle);
}

FtStatus FakeD2xx::setBaudRate(FtHandle handle, std::uint32_t baud)
{
    m_calls << QString("SetBaudRate(%1)").arg(baud);
    if (FtStatus s = injected(Call::SetBaudRate))
        return s;
    return checkHandle(handle);
}

FtStatus FakeD2xx::setBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode)
{
    m_calls << QString("SetBitMode(%1,%2)").arg(mask).arg(mode);
    if (FtStatus s = injected(Call::SetBitMode))
        return s;
    return checkHandle(handle);
}

FtStatus FakeD2xx::read(FtHandle handle, QByteArray* buffer, std::int32_t count, std::int32_t* read)
{
    *read = 0;
    if (FtStatus s = injected(Call::Read))
        return s;
    if (FtStatus s = checkHandle(handle))
        return s;
    takeArrivals();
    const QByteArray taken = m_received.left(qMax(count, 0));
    m_received.remove(0, taken.size());
    *buffer = taken;
    *read = static_cast<std::int32_t>(taken.size());
    return FT_OK;
}

FtStatus FakeD2xx::write(FtHandle handle, const QByteArray& data, std::int32_t* written)
{
    *written = 0;
    m_calls << "Write(" + QString::fromLatin1(data) + ")";
    if (FtStatus s = injected(Call::Write))
        return s;
    if (FtStatus s = checkHandle(handle))
        return s;
    const QByteArray accepted = m_writeLimit < 0 ? data : data.left(m_writeLimit);
    m_writes << accepted;
    *written = static_cast<std::int32_t>(accepted.size());
    auto it = m_replies.find(accepted);
    if (it != m_replies.end() && !it->second.empty()) {
        Reply& r = it->second.front();
        schedule(Clock::tickCount() + r.delayMs, r.bytes);
        if (r.times > 0 && --r.times == 0)
            it->second.pop_front();
    }
    return FT_OK;
}

ScopedFakeD2xx::ScopedFakeD2xx()
{
    auto fake = std::make_unique<FakeD2xx>();
    m_fake = fake.get();
    m_previous = D2xx::install(std::move(fake));
}

ScopedFakeD2xx::~ScopedFakeD2xx()
{
    D2xx::install(std::move(m_previous));
}

} // namespace platform
