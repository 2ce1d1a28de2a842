#include "config/OpenLogFile.h"

namespace config {

void OpenLogFile::write(const QString& path, const QByteArray& bytes)
{
    const std::lock_guard lock(m_mutex);
    if (path.isEmpty()) {
        m_file.close();
        return;
    }
    if (m_batches == 0) {
        writeNow(path, bytes);
        return;
    }
    if (m_pendingPath != path)
        writePending();
    m_pendingPath = path;
    m_pending += bytes;
}

void OpenLogFile::startBatch()
{
    const std::lock_guard lock(m_mutex);
    ++m_batches;
}

void OpenLogFile::endBatch()
{
    const std::lock_guard lock(m_mutex);
    if (--m_batches == 0)
        writePending();
}

void OpenLogFile::close()
{
    const std::lock_guard lock(m_mutex);
    writePending();
    m_file.close();
}

void OpenLogFile::writeNow(const QString& path, const QByteArray& bytes)
{
    if (m_file.isOpen() && m_path == path && writeAll(bytes))
        return;
    // Another file, or a write that failed: once more on a fresh open.
    if (reopen(path) && !writeAll(bytes))
        m_file.close();
}

void OpenLogFile::writePending()
{
    if (!m_pending.isEmpty())
        writeNow(m_pendingPath, m_pending);
    m_pending.clear();
}

bool OpenLogFile::reopen(const QString& path)
{
    m_file.close();
    m_path = path;
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered);
}

} // namespace config
