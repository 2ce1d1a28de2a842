#include "config/IniKeys.h"

#include "config/Log.h"
#include "config/StationPaths.h"

#include <QFileInfo>
#include <QStringList>

namespace config {

namespace {

// The value as the log shows it: a password never appears in clear.
QString loggedValue(const QString& section, const QString& key, const QString& value)
{
    const bool secret =
        section.compare("Database", Qt::CaseInsensitive) == 0 && key.compare("SQLPassword", Qt::CaseInsensitive) == 0;
    return secret && !value.isEmpty() ? QStringLiteral("********") : value;
}

QString logLine(const QString& what, const QString& section, const QString& key, const QString& value,
                const QString& file)
{
    return what + ": " + QStringList{section, key, loggedValue(section, key, value), file}.join(", ");
}

// Who may read a file that a write creates: a settings.ini (whatever the
// section written first) comes to hold the server password.
platform::WholeFile::NewFileAccess newFileAccess(const QString& file)
{
    return QFileInfo(file).fileName() == QLatin1String(SettingsFileName) ? platform::WholeFile::NewFileAccess::OwnerOnly
                                                                         : platform::WholeFile::NewFileAccess::Default;
}

} // namespace

QString iniRead(const QString& section, const QString& key, const QString& file)
{
    QString error;
    const QString value = platform::IniFile::read(file, section, key, &error);
    config::writeLog(logLine("INIRead", section, key, value, file));
    if (!error.isEmpty())
        config::writeLog("INIRead failed: unable to read " + file + ": " + error);
    return value;
}

bool iniWrite(const QString& section, const QString& key, const QString& value, const QString& file)
{
    return iniWriteKeys({platform::IniFile::Key{section, key, value}}, file);
}

bool iniWriteKeys(const QList<platform::IniFile::Key>& keys, const QString& file, QString* cause)
{
    for (const platform::IniFile::Key& k : keys)
        config::writeLog(logLine("INIWrite", k.section, k.key, k.value, file));
    QString error;
    if (platform::IniFile::write(file, keys, &error, newFileAccess(file)))
        return true;
    const QString what =
        keys.size() == 1 ? keys.first().section + ", " + keys.first().key : QString::number(keys.size()) + " keys";
    config::writeLog("INIWrite failed: unable to write " + what + " to " + file + ": " + error);
    if (cause)
        *cause = error;
    return false;
}

} // namespace config
