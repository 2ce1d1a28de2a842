#include "support/PtyUnitEmulator.h"

#include <QElapsedTimer>
#include <QThread>

#include <poll.h>
#include <unistd.h>

namespace testsupport {

namespace {
// Only a missing answer waits this long; a loaded machine may take a while
// to hand pseudo-terminal bytes over.
constexpr int kDeliveryTimeoutMs = 10000;
} // namespace

void PtyUnitEmulator::setResponder(int number, char frameEnd, Responder responder)
{
    Device& d = m_devices[number];
    d.frameEnd = frameEnd;
    d.responder = std::move(responder);
}

QByteArray PtyUnitEmulator::received(int number) const
{
    const auto it = m_devices.find(number);
    return it == m_devices.end() ? QByteArray() : it->second.log;
}

void PtyUnitEmulator::send(int number, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const int before = m_tree.slaveWaiting(number);
    if (before < 0 || !m_tree.writeMaster(number, bytes))
        return;
    QElapsedTimer t;
    t.start();
    while (m_tree.slaveWaiting(number) >= 0 && m_tree.slaveWaiting(number) < before + bytes.size()
           && t.elapsed() < kDeliveryTimeoutMs)
        QThread::usleep(50);
}

platform::FtStatus PtyUnitEmulator::write(platform::FtHandle handle, const QByteArray& data, std::int32_t* written)
{
    const platform::FtStatus status = platform::LinuxSerialD2xx::write(handle, data, written);
    if (status != platform::FT_OK || !written || *written <= 0)
        return status;
    // Collect the bytes from whichever master end they went to.
    qsizetype collected = 0;
    QElapsedTimer t;
    t.start();
    while (collected < *written && t.elapsed() < kDeliveryTimeoutMs) {
        for (auto& [number, d] : m_devices) {
            const int fd = m_tree.master(number);
            if (fd < 0)
                continue;
            char buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                d.pending.append(buf, n);
                d.log.append(buf, n);
                collected += n;
            }
        }
        if (collected < *written)
            QThread::usleep(50);
    }
    for (auto& [number, d] : m_devices)
        answer(number, d);
    return status;
}

void PtyUnitEmulator::answer(int number, Device& d)
{
    qsizetype end;
    while ((end = d.pending.indexOf(d.frameEnd)) >= 0) {
        const QByteArray frame = d.pending.left(end + 1);
        d.pending.remove(0, end + 1);
        if (d.responder)
            send(number, d.responder(frame));
    }
}

} // namespace testsupport
