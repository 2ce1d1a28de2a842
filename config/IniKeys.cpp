#include "config/IniKeys.h"

#include "config/Log.h"

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
    QString error;
    const QString value = platform::IniFile::read(file, section, key, &error);
    modMain::WriteLog(logLine("INIRead", section, key, value, file));
    if (!error.isEmpty())
        modMain::WriteLog("INIRead failed: unable to read " + file + ": " + error);
    return value;
}

bool INIWrite(const QString& section, const QString& key, const QString& value,
              const QString& file)
{
    return INIWriteKeys({platform::IniFile::Key{section, key, value}}, file);
}

bool INIWriteKeys(const QList<platform::IniFile::Key>& keys, const QString& file, QString* cause)
{
    for (const platform::IniFile::Key& k : keys)
        modMain::WriteLog(logLine("INIWrite", k.section, k.key, k.value, file));
    QString error;
    if (platform::IniFile::write(file, keys, &error))
        return true;
    const QString what = keys.size() == 1 ? keys.first().section + ", " + keys.first().key
                                          : QString::number(keys.size()) + " keys";
    modMain::WriteLog("INIWrite failed: unable to write " + what + " to " + file + ": " + error);
    if (cause)
        *cause = error;
    return false;
}

} // namespace modINIReadWrite
