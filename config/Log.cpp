#include "config/Log.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <stdexcept>

namespace config {

namespace {

constexpr int NameLength = 250;

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

} // namespace config
