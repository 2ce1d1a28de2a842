#pragma once
// Reading and writing one key of an INI file (settings.ini, .lim files).
// Every access leaves one line in the log; the [Database] SQLPassword value
// appears there masked.

#include <QString>

namespace modINIReadWrite {

// The value, trimmed; "" when the key, its section or the file is missing.
QString INIRead(const QString& section, const QString& key, const QString& file);

// Writes the key, creating the file or the section when missing. Returns
// false (and logs why) when the file cannot be written.
bool INIWrite(const QString& section, const QString& key, const QString& value,
              const QString& file);

} // namespace modINIReadWrite
