#include "support/FakeSerialTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>

namespace testsupport {

FakeSerialTree::FakeSerialTree()
{
    m_hadPrevious = qEnvironmentVariableIsSet("ZAMO_DEVICE_ROOT");
    m_previous = qgetenv("ZAMO_DEVICE_ROOT");
    QDir(root()).mkpath("sys/class/tty");
    QDir(root()).mkpath("dev");
    qputenv("ZAMO_DEVICE_ROOT", QFile::encodeName(root()));
}

FakeSerialTree::~FakeSerialTree()
{
    for (auto& [n, fd] : m_masters)
        if (fd >= 0)
            ::close(fd);
    for (auto& [n, fd] : m_probes)
        if (fd >= 0)
            ::close(fd);
    if (m_hadPrevious)
        qputenv("ZAMO_DEVICE_ROOT", m_previous);
    else
        qunsetenv("ZAMO_DEVICE_ROOT");
}

bool FakeSerialTree::pseudoTerminalsAvailable()
{
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

int FakeSerialTree::openPty(int number)
{
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::grantpt(fd) != 0 || ::unlockpt(fd) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    const QString node = root() + "/dev/ttyUSB" + QString::number(number);
    QFile::remove(node);
    QFile::link(QString::fromLocal8Bit(::ptsname(fd)), node);
    m_masters[number] = fd;
    m_probes[number] = ::open(::ptsname(fd), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return fd;
}

int FakeSerialTree::addDevice(int number, const QByteArray& product)
{
    m_products[number] = product;
    return addEntry(number) ? openPty(number) : -1;
}

bool FakeSerialTree::addEntry(int number)
{
    const QString name = "ttyUSB" + QString::number(number);
    const QString usb = root() + "/sys/devices/usb1/1-" + QString::number(number + 1);
    const QString portDir = usb + "/1-" + QString::number(number + 1) + ":1.0/" + name;
    QDir().mkpath(portDir);
    QFile f(usb + "/product");
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(m_products[number] + "\n");
    f.close();
    QDir().mkpath(root() + "/sys/class/tty/" + name);
    QFile::link(portDir, root() + "/sys/class/tty/" + name + "/device");
    return true;
}

void FakeSerialTree::closeMaster(int number)
{
    auto it = m_masters.find(number);
    if (it != m_masters.end() && it->second >= 0) {
        ::close(it->second);
        it->second = -1;
    }
    auto probe = m_probes.find(number);
    if (probe != m_probes.end() && probe->second >= 0) {
        ::close(probe->second);
        probe->second = -1;
    }
}

void FakeSerialTree::unplug(int number)
{
    closeMaster(number);
    const QString name = "ttyUSB" + QString::number(number);
    QDir(root() + "/sys/class/tty/" + name).removeRecursively();
    QDir(root() + "/sys/devices/usb1/1-" + QString::number(number + 1)).removeRecursively();
    QFile::remove(root() + "/dev/" + name);
}

int FakeSerialTree::replug(int number)
{
    closeMaster(number);
    if (!QFileInfo::exists(root() + "/sys/class/tty/ttyUSB" + QString::number(number)) && !addEntry(number))
        return -1;
    return openPty(number);
}

int FakeSerialTree::master(int number) const
{
    const auto it = m_masters.find(number);
    return it == m_masters.end() ? -1 : it->second;
}

int FakeSerialTree::slaveWaiting(int number) const
{
    const auto it = m_probes.find(number);
    int waiting = 0;
    if (it == m_probes.end() || it->second < 0 || ::ioctl(it->second, FIONREAD, &waiting) != 0)
        return -1;
    return waiting;
}

QByteArray FakeSerialTree::readMaster(int number, int waitMs)
{
    const int fd = master(number);
    QByteArray all;
    if (fd < 0)
        return all;
    pollfd p{fd, POLLIN, 0};
    int timeout = waitMs;
    while (::poll(&p, 1, timeout) > 0 && (p.revents & POLLIN)) {
        char buf[512];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        all.append(buf, n);
        timeout = 5; // drain what follows close behind
    }
    return all;
}

bool FakeSerialTree::writeMaster(int number, const QByteArray& data)
{
    const int fd = master(number);
    return fd >= 0 && ::write(fd, data.constData(), static_cast<size_t>(data.size())) == data.size();
}

} // namespace testsupport
