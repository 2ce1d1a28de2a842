#include "platform/LinuxSerialD2xx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

constexpr int kWriteTimeoutMs = 500;
constexpr int kProductSearchDepth = 4;

QString sysTtyFolder()
{
    return LinuxSerialD2xx::deviceRoot() + "/sys/class/tty";
}

// The USB product text of a tty: the "product" file of the USB device that
// the tty's "device" link leads into (the port folder sits one or two levels
// below the USB device, depending on the kernel).
QByteArray productOf(const QString& ttyName)
{
    const QString device = sysTtyFolder() + "/" + ttyName + "/device";
    QString dir = QFileInfo(device).canonicalFilePath();
    if (dir.isEmpty())
        return {};
    for (int level = 0; level < kProductSearchDepth && !dir.isEmpty(); ++level) {
        QFile product(dir + "/product");
        if (product.open(QIODevice::ReadOnly))
            return product.readAll().trimmed();
        dir = QFileInfo(dir).path();
    }
    return {};
}

bool speedOf(std::uint32_t baud, speed_t* speed)
{
    static const std::pair<std::uint32_t, speed_t> table[] = {
        {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},   {4800, B4800},
        {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
        {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const auto& [rate, code] : table) {
        if (rate == baud) {
            *speed = code;
            return true;
        }
    }
    return false;
}

// errno of a failed call on an open port, as a driver status.
FtStatus statusOfErrno(int error)
{
    switch (error) {
    case EBADF: return FT_INVALID_HANDLE;
    case EIO:
    case ENXIO:
    case ENODEV:
    case EPIPE: return FT_IO_ERROR;
    case EINVAL: return FT_INVALID_PARAMETER;
    default: return FT_OTHER_ERROR;
    }
}

QByteArray deviceNode(const QString& name)
{
    return QFile::encodeName(LinuxSerialD2xx::deviceRoot() + "/dev/" + name);
}

// Two names for one device: the same character device, or the same file.
bool sameDevice(const struct stat& a, const struct stat& b)
{
    if (S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode))
        return a.st_rdev == b.st_rdev;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A lock that any process holds on the file, as the kernel lists them in
// /proc/locks ("1: FLOCK  ADVISORY  WRITE 1234 00:1b:3 0 EOF"; the device
// in hexadecimal major:minor, then the inode). Waiting requests ("->") hold
// nothing.
bool lockedByAnyone(const struct stat& node)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = QByteArray::number(major(node.st_dev), 16).rightJustified(2, '0') + ':'
                              + QByteArray::number(minor(node.st_dev), 16).rightJustified(2, '0') + ':'
                              + QByteArray::number(static_cast<qulonglong>(node.st_ino));
    for (const QByteArray& line : locks.readAll().split('\n')) {
        if (line.contains("->"))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 5 && fields.at(5) == wanted)
            return true;
    }
    return false;
}

bool hungUp(int fd)
{
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return true;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

} // namespace

LinuxSerialD2xx::~LinuxSerialD2xx()
{
    for (auto& [handle, p] : m_ports) {
        ::ioctl(p.fd, TIOCNXCL);
        ::close(p.fd);
    }
}

QString LinuxSerialD2xx::deviceRoot()
{
    const QString root = qEnvironmentVariable("ZAMO_DEVICE_ROOT");
    if (root.isEmpty() || root == "/")
        return QString();
    return QDir::cleanPath(root);
}

std::vector<LinuxSerialD2xx::Found> LinuxSerialD2xx::scan()
{
    static const QRegularExpression ttyUsb("^ttyUSB(\\d+)$");
    std::vector<std::pair<int, QString>> numbered;
    const QStringList entries = QDir(sysTtyFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& entry : entries) {
        const auto m = ttyUsb.match(entry);
        if (m.hasMatch())
            numbered.emplace_back(m.captured(1).toInt(), entry);
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<Found> found;
    for (const auto& [n, name] : numbered)
        found.push_back({name, productOf(name)});
    return found;
}

bool LinuxSerialD2xx::inUse(const QString& name) const
{
    struct stat node {};
    if (::stat(deviceNode(name).constData(), &node) != 0)
        return false;
    for (const auto& [handle, p] : m_ports) {
        struct stat held {};
        if (::fstat(p.fd, &held) == 0 && sameDevice(held, node))
            return true;
    }
    return lockedByAnyone(node);
}

LinuxSerialD2xx::Port* LinuxSerialD2xx::port(FtHandle handle)
{
    const auto it = m_ports.find(handle);
    return it == m_ports.end() ? nullptr : &it->second;
}

FtStatus LinuxSerialD2xx::listDevicesCount(std::int32_t* count)
{
    if (!count)
        return FT_INVALID_ARGS;
    *count = static_cast<std::int32_t>(scan().size());
    return FT_OK;
}

FtStatus LinuxSerialD2xx::listDeviceDescription(std::int32_t index, QByteArray* description)
{
    if (!description)
        return FT_INVALID_ARGS;
    const auto found = scan();
    if (index < 0 || index >= static_cast<std::int32_t>(found.size()))
        return FT_DEVICE_NOT_FOUND;
    const Found& device = found[static_cast<size_t>(index)];
    *description = inUse(device.name) ? QByteArray() : device.description;
    return FT_OK;
}

FtStatus LinuxSerialD2xx::open(std::int32_t index, FtHandle* handle)
{
    if (!handle)
        return FT_INVALID_ARGS;
    *handle = 0;
    const auto found = scan();
    if (index < 0 || index >= static_cast<std::int32_t>(found.size()))
        return FT_DEVICE_NOT_FOUND;
    const QString name = found[static_cast<size_t>(index)].name;
    const QByteArray node = deviceNode(name);

    const int fd = ::open(node.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EBUSY)
            qWarning("%s is in use by another program", node.constData());
        else
            qWarning("Cannot open %s: %s%s", node.constData(), std::strerror(error),
                     error == EACCES ? " (the user must be in the group that owns the device, usually dialout)" : "");
        return error == ENOENT ? FT_DEVICE_NOT_FOUND : FT_DEVICE_NOT_OPENED;
    }
    // One user at a time on a port, as the vendor driver keeps it: the lock
    // tells other stations and lock-taking programs, the exclusive mode
    // keeps out programs that take no lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        qWarning("%s is in use by another program", node.constData());
        ::close(fd);
        return FT_DEVICE_NOT_OPENED;
    }
    ::ioctl(fd, TIOCEXCL);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        qWarning("Cannot use %s as a serial port: %s", node.constData(), std::strerror(errno));
        ::close(fd);
        return FT_DEVICE_NOT_OPENED;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        qWarning("Cannot set up %s: %s", node.constData(), std::strerror(errno));
        ::close(fd);
        return FT_DEVICE_NOT_OPENED;
    }
    ::tcflush(fd, TCIOFLUSH);

    const FtHandle h = m_nextHandle++;
    m_ports[h] = Port{fd, name};
    *handle = h;
    return FT_OK;
}

FtStatus LinuxSerialD2xx::close(FtHandle handle)
{
    Port* p = port(handle);
    if (!p)
        return FT_INVALID_HANDLE;
    // The exclusive mode outlives the descriptor while anyone else still
    // holds the terminal open.
    ::ioctl(p->fd, TIOCNXCL);
    ::close(p->fd);
    m_ports.erase(handle);
    return FT_OK;
}

FtStatus LinuxSerialD2xx::getQueueStatus(FtHandle handle, std::int32_t* bytesWaiting)
{
    Port* p = port(handle);
    if (!p)
        return FT_INVALID_HANDLE;
    if (!bytesWaiting)
        return FT_INVALID_ARGS;
    int waiting = 0;
    if (::ioctl(p->fd, FIONREAD, &waiting) != 0)
        return statusOfErrno(errno);
    if (waiting == 0 && hungUp(p->fd))
        return FT_IO_ERROR;
    *bytesWaiting = waiting;
    return FT_OK;
}

FtStatus LinuxSerialD2xx::setLatencyTimer(FtHandle handle, std::uint8_t ms)
{
    Port* p = port(handle);
    if (!p)
        return FT_INVALID_HANDLE;
    if (ms < 2)
        return FT_INVALID_PARAMETER;
    // The converter's own latency timer, where the kernel lets us set it;
    // without write access the converter keeps its default of 16 ms.
    QFile latency(sysTtyFolder() + "/" + p->name + "/device/latency_timer");
    if (latency.open(QIODevice::WriteOnly))
        latency.write(QByteArray::number(ms));
    return FT_OK;
}

FtStatus LinuxSerialD2xx::setBaudRate(FtHandle handle, std::uint32_t baud)
{
    Port* p = port(handle);
    if (!p)
        return FT_INVALID_HANDLE;
    speed_t speed;
    if (!speedOf(baud, &speed))
        return FT_INVALID_BAUD_RATE;
    termios tio{};
    if (::tcgetattr(p->fd, &tio) != 0)
        return statusOfErrno(errno);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(p->fd, TCSANOW, &tio) != 0)
        return statusOfErrno(errno);
    return FT_OK;
}

FtStatus LinuxSerialD2xx::setBitMode(FtHandle handle, std::uint8_t mask, std::uint8_t mode)
{
    Q_UNUSED(mask);
    if (!port(handle))
        return FT_INVALID_HANDLE;
    // Mode 0 is the normal serial mode, the only one a serial port has.
    return mode == 0 ? FT_OK : FT_NOT_SUPPORTED;
}

FtStatus LinuxSerialD2xx::read(FtHandle handle, QByteArray* buffer, std::int32_t count, std::int32_t* read)
{
    Port* p = port(handle);
    if (!p)
        return FT_INVALID_HANDLE;
    if (!buffer || !read || count < 0)
        return FT_INVALID_ARGS;
    *read = 0;
    buffer->clear();
    if (count == 0)
        return FT_OK;
    QByteArray data(count, '\0');
    std::int32_t total = 0;
    while (total < count) {
        const ssize_t n = ::read(p->fd, data.data() + total, static_cast<size_t>(count - total));
        if (n > 0) {
            total += static_cast<std::int32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // Nothing more waiting, unless the device went away.
        if (n == 0 && (total > 0 || !hungUp(p->fd)))
            break;
        if (total > 0)
            break;
        return n == 0 ? FT_IO_ERROR : statusOfErrno(errno);
    }
    data.truncate(total);
    *buffer = data;
    *read = total;
    return FT_OK;
}

FtStatus LinuxSerialD2xx::write(FtHandle handle, const QByteArray& data, std::int32_t* written)
{
    Port* p = port(handle);
    if (!p)
        return FT_INVALID_HANDLE;
    if (!written)
        return FT_INVALID_ARGS;
    *written = 0;
    qsizetype total = 0;
    while (total < data.size()) {
        const ssize_t n = ::write(p->fd, data.constData() + total, static_cast<size_t>(data.size() - total));
        if (n > 0) {
            total += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The output queue is full: give it a moment, then report what went.
            pollfd out{p->fd, POLLOUT, 0};
            if (::poll(&out, 1, kWriteTimeoutMs) > 0 && (out.revents & POLLOUT))
                continue;
            break;
        }
        *written = static_cast<std::int32_t>(total);
        return statusOfErrno(errno);
    }
    *written = static_cast<std::int32_t>(total);
    return FT_OK;
}

} // namespace platform
