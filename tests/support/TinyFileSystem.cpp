#include "support/TinyFileSystem.h"

#include <QFile>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>

namespace testsupport {

namespace {

QString fillerOf(const QString& folder)
{
    return folder + "/.filler";
}

} // namespace

TinyFileSystem::TinyFileSystem(const QString& folder, qint64 size) : m_folder(folder)
{
    const QByteArray options = "size=" + QByteArray::number(size) + ",mode=0755";
    m_mounted =
        ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData())
        == 0;
    if (!m_mounted)
        m_whyNot = "cannot mount a tmpfs here (" + qt_error_string(errno) + ")";
}

TinyFileSystem::~TinyFileSystem()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void TinyFileSystem::fill()
{
    const int fd = ::open(QFile::encodeName(fillerOf(m_folder)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    // The last partial block too.
    while (::write(fd, block.constData(), 1) > 0) {
    }
    ::close(fd);
}

void TinyFileSystem::unfill()
{
    QFile::remove(fillerOf(m_folder));
}

} // namespace testsupport
