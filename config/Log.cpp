#include "config/Log.h"

#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <limits>
#include <mutex>
#include <stdexcept>

namespace config {

namespace {

constexpr int LogRetentionDays = 30;
constexpr int NameLength = 250;

// The status window's echo and the switches that gate it.
struct StatusEcho {
    LogEcho echo;
    const config::ProgramSwitches* switches = nullptr;
};

StatusEcho& statusEcho()
{
    static StatusEcho echo;
    return echo;
}

bool removeFile(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return QFile::remove(path);
}

FileRemover& logFileRemover()
{
    static FileRemover remover = removeFile;
    return remover;
}

// The day a file came into being: its birth time where the file system keeps
// one, else its last change.
QDate creationDate(const QFileInfo& info)
{
    const QDateTime born = info.birthTime();
    return (born.isValid() ? born : info.lastModified()).toLocalTime().date();
}

// Deletes the files older than the retention; returns those that stayed.
QStringList deleteOldLogFiles(const QString& folder)
{
    QStringList undeletable;
    const QDate today = platform::Clock::now().date();
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : files) {
        if (creationDate(info).daysTo(today) <= LogRetentionDays)
            continue;
        if (!logFileRemover()(info.absoluteFilePath()))
            undeletable << info.absoluteFilePath();
    }
    return undeletable;
}

// The current log file, kept open from one line to the next: each line is
// appended and handed to the system at once, so that a reader of the file
// (or a crash) finds every line written so far; inside a LogBatch the lines
// wait for the batch's end and go in one write. The file is opened again when
// LogFilePath names another file, and when a write fails. It is never
// created here: a file that is gone stays gone and its lines are lost.
class OpenLogFile {
public:
    void write(const QString& path, const QByteArray& bytes)
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

    void startBatch()
    {
        const std::lock_guard lock(m_mutex);
        ++m_batches;
    }

    void endBatch()
    {
        const std::lock_guard lock(m_mutex);
        if (--m_batches == 0)
            writePending();
    }

    void close()
    {
        const std::lock_guard lock(m_mutex);
        writePending();
        m_file.close();
    }

private:
    void writeNow(const QString& path, const QByteArray& bytes)
    {
        if (m_file.isOpen() && m_path == path && writeAll(bytes))
            return;
        // Another file, or a write that failed: once more on a fresh open.
        if (reopen(path) && !writeAll(bytes))
            m_file.close();
    }

    void writePending()
    {
        if (!m_pending.isEmpty())
            writeNow(m_pendingPath, m_pending);
        m_pending.clear();
    }

    bool reopen(const QString& path)
    {
        m_file.close();
        m_path = path;
        m_file.setFileName(path);
        return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered);
    }

    bool writeAll(const QByteArray& bytes) { return m_file.write(bytes) == bytes.size(); }

    std::mutex m_mutex;
    QFile m_file;
    QString m_path;
    int m_batches = 0;
    QByteArray m_pending; // the lines of the batches under way
    QString m_pendingPath;
};

OpenLogFile& openLogFile()
{
    static OpenLogFile file;
    return file;
}

// "yyyy-MM-dd HH:mm:ss" of now. In real time it is made again only when the
// second changes (the local time's offset changes on whole seconds only).
QString lineStamp()
{
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    if (platform::Clock::isVirtual())
        return platform::Clock::now().toString(format);
    static std::mutex mutex;
    static qint64 second = std::numeric_limits<qint64>::min();
    static QString stamp;
    const qint64 now = platform::Clock::msecsSinceEpoch();
    const qint64 thisSecond = now >= 0 ? now / 1000 : (now - 999) / 1000;
    const std::lock_guard lock(mutex);
    if (thisSecond != second) {
        stamp = QDateTime::fromMSecsSinceEpoch(thisSecond * 1000).toString(format);
        second = thisSecond;
    }
    return stamp;
}

} // namespace

QString getAppDataFolder()
{
    // The common data location itself may not exist yet for a new user.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(base);
    const QString folder = base + "/KIVO_ZAMO";
    ensureFolder(folder);
    return folder;
}

QString getLogFolder()
{
    const QString folder = getAppDataFolder() + "/Log";
    ensureFolder(folder);
    return folder;
}

void ensureFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkdir(path))
        throw std::runtime_error(("Unable to create folder " + path).toStdString());
}

void initLogFile()
{
    QString folder;
    QStringList undeletable;
    try {
        folder = getLogFolder();
        undeletable = deleteOldLogFiles(folder);
    } catch (const std::exception&) {
        return; // no log folder: the log keeps its earlier file
    }

    LogFilePath = folder + "/" + platform::Clock::now().toString("yyyyMMdd-HHmmss") + ".log";
    openLogFile().close(); // the next line opens the new file (emptied, when it is the same)
    QFile file(LogFilePath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();

    writeLog("Log File Initialized");
    for (const QString& path : undeletable)
        writeLog("Unable to delete old log file " + path);
}

void writeLog(const QString& message)
{
    const QString line = lineStamp() + " - " + message;

    const StatusEcho& status = statusEcho();
    if (status.echo && status.switches && status.switches->diagnosticLog && status.switches->statusWindowOpen)
        status.echo(line);

    openLogFile().write(LogFilePath, LogFilePath.isEmpty() ? QByteArray() : line.toUtf8() + "\r\n");
}

LogBatch::LogBatch()
{
    openLogFile().startBatch();
}

LogBatch::~LogBatch()
{
    openLogFile().endBatch();
}

void setStatusWindowEcho(LogEcho echo, const config::ProgramSwitches* switches)
{
    statusEcho() = {std::move(echo), switches};
}

QString getComputerNameString()
{
    return QSysInfo::machineHostName().left(NameLength);
}

QString getUserNameString()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name).left(NameLength);
    return qEnvironmentVariable("USER").left(NameLength);
}

void setLogFileRemover(FileRemover remover)
{
    logFileRemover() = remover ? std::move(remover) : FileRemover(removeFile);
}

} // namespace config
