#include "core/modINIReadWrite.h"

#include "core/modMain.h"
#include "platform/IniFile.h"

#include <QStringList>

namespace modINIReadWrite {

namespace {

// The value as the log shows it: a password never appears in clear.
QString loggedValue(const QString& section, const QString& key, const QString& value)
{
    const bool secret = section.compare("Database", Qt::CaseInsensitive) == 0
                        && key.compare("SQLPassword", Qt::CaseInsensitive) == 0;
    return secret && !value.isEmpty() ? QStringLiteral("********") : value;
}

QString logLine(const QString& what, const QString& section, const QString& key,
                const QString& value, const QString& file)
{
    return what + ": " + QStringList{section, key, loggedValue(section, key, value), file}.join(", ");
}

} // namespace

QString INIRead(const QString& section, const QString& key, const QString& file)
{
    const QString value = platform::IniFile::read(file, section, key);
    modMain::WriteLog(logLine("INIRead", section, key, value, file));
    return value;
}

bool INIWrite(const QString& section, const QString& key, const QString& value,
              const QString& file)
{
    modMain::WriteLog(logLine("INIWrite", section, key, value, file));
    if (platform::IniFile::write(file, section, key, value))
        return true;
    modMain::WriteLog("INIWrite failed: unable to write " + section + ", " + key + " to " + file);
    return false;
}

} // namespace modINIReadWrite
