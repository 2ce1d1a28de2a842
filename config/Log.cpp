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
    QFile file(LogFilePath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();

    writeLog("Log File Initialized");
    for (const QString& path : undeletable)
        writeLog("Unable to delete old log file " + path);
}

void writeLog(const QString& message)
{
    const QString line = platform::Clock::now().toString("yyyy-MM-dd HH:mm:ss") + " - " + message;

    const StatusEcho& status = statusEcho();
    if (status.echo && status.switches && status.switches->diagnosticLog && status.switches->statusWindowOpen)
        status.echo(line);

    if (LogFilePath.isEmpty())
        return;
    QFile file(LogFilePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return;
    file.write(line.toUtf8() + "\r\n");
    file.close();
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
