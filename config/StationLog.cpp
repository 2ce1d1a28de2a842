#include "config/StationLog.h"

#include "platform/Clock.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <exception>

namespace config {

namespace {

constexpr int LogRetentionDays = 30;

// The one process-wide log sink: the log that writeLog, LogBatch and
// setStatusWindowEcho go to, installed by its owner (the program's
// app::Station) and cleared when that log goes. Every layer logs, as to a
// message handler, so the lines find the log here rather than being handed
// it; while none is installed they go nowhere.
std::atomic<StationLog*> installedLog{nullptr};

bool removeFile(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return QFile::remove(path);
}

// The day a file came into being: its birth time where the file system keeps
// one, else its last change.
QDate creationDate(const QFileInfo& info)
{
    const QDateTime born = info.birthTime();
    return (born.isValid() ? born : info.lastModified()).toLocalTime().date();
}

} // namespace

StationLog::StationLog() : m_remover(removeFile) {}

StationLog::~StationLog()
{
    StationLog* self = this;
    installedLog.compare_exchange_strong(self, nullptr);
}

void StationLog::install()
{
    installedLog = this;
}

// Deletes the files older than the retention; returns those that stayed.
QStringList StationLog::deleteOldFiles(const QString& folder) const
{
    QStringList undeletable;
    const QDate today = platform::Clock::now().date();
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : files) {
        if (creationDate(info).daysTo(today) <= LogRetentionDays)
            continue;
        if (!m_remover(info.absoluteFilePath()))
            undeletable << info.absoluteFilePath();
    }
    return undeletable;
}

void StationLog::start()
{
    QString folder;
    QStringList undeletable;
    try {
        folder = getLogFolder();
        undeletable = deleteOldFiles(folder);
    } catch (const std::exception&) {
        return; // no log folder: the log keeps its earlier file
    }

    m_path = folder + "/" + platform::Clock::now().toString("yyyyMMdd-HHmmss") + ".log";
    m_file.close(); // the next line opens the new file (emptied, when it is the same)
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();

    write("Log File Initialized");
    for (const QString& path : undeletable)
        write("Unable to delete old log file " + path);
}

// "yyyy-MM-dd HH:mm:ss" of now. In real time it is made again only when the
// second changes (the local time's offset changes on whole seconds only).
QString StationLog::lineStamp()
{
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    if (platform::Clock::isVirtual())
        return platform::Clock::now().toString(format);
    const qint64 now = platform::Clock::msecsSinceEpoch();
    const qint64 thisSecond = now >= 0 ? now / 1000 : (now - 999) / 1000;
    const std::lock_guard lock(m_stampMutex);
    if (thisSecond != m_second) {
        m_stamp = QDateTime::fromMSecsSinceEpoch(thisSecond * 1000).toString(format);
        m_second = thisSecond;
    }
    return m_stamp;
}

void StationLog::write(const QString& message)
{
    const QString line = lineStamp() + " - " + message;

    if (m_echo && m_switches && m_switches->diagnosticLog && m_switches->statusWindowOpen)
        m_echo(line);

    m_file.write(m_path, m_path.isEmpty() ? QByteArray() : line.toUtf8() + "\r\n");
}

void StationLog::setStatusWindowEcho(LogEcho echo, const ProgramSwitches* switches)
{
    m_echo = std::move(echo);
    m_switches = switches;
}

void StationLog::setFileRemover(FileRemover remover)
{
    m_remover = remover ? std::move(remover) : FileRemover(removeFile);
}

void writeLog(const QString& message)
{
    if (StationLog* log = installedLog)
        log->write(message);
}

LogBatch::LogBatch() : m_log(installedLog)
{
    if (m_log)
        m_log->startBatch();
}

LogBatch::~LogBatch()
{
    if (m_log)
        m_log->endBatch();
}

void setStatusWindowEcho(LogEcho echo, const ProgramSwitches* switches)
{
    if (StationLog* log = installedLog)
        log->setStatusWindowEcho(std::move(echo), switches);
}

} // namespace config
