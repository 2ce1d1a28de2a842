#include "support/WriteProtection.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace testsupport {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

WriteProtection::WriteProtection(const QString& path) : m_path(path)
{
    struct stat st {};
    if (::stat(native(path).constData(), &st) != 0) {
        m_why = QStringLiteral("no such file");
        return;
    }
    m_mode = st.st_mode & 07777;
    m_modeChanged = ::chmod(native(path).constData(), m_mode & ~0222u) == 0;
    if (::access(native(path).constData(), W_OK) == 0)
        m_immutable = setImmutable(true);
}

WriteProtection::~WriteProtection()
{
    if (m_immutable)
        setImmutable(false);
    if (m_modeChanged)
        ::chmod(native(m_path).constData(), m_mode);
}

bool WriteProtection::active() const
{
    return ::access(native(m_path).constData(), W_OK) != 0;
}

bool WriteProtection::setImmutable(bool on)
{
    const int fd = ::open(native(m_path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        m_why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (!done)
        m_why =
            QStringLiteral("the immutable attribute cannot be set: ") + QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return done;
}

} // namespace testsupport
