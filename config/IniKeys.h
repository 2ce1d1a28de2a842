#pragma once
// Reading and writing one key of an INI file (settings.ini, .lim files).
// Every access leaves one line in the log; the [Database] SQLPassword value
// appears there masked. A file that is there but cannot be read, and a write
// that fails, leave a further line with the cause. A settings.ini that a
// write creates is its owner's alone (mode 0600), since it comes to hold
// [Database] SQLPassword; other files are created with the default mode, and
// a file that is there keeps its mode.

#include "platform/IniFile.h"

#include <QList>
#include <QString>

// The value, trimmed; "" when the key, its section or the file is missing,
// and when the file cannot be read.
namespace config {

QString iniRead(const QString& section, const QString& key, const QString& file);

// Writes the key, creating the file or the section when missing. Returns
// false (and logs why) when the file cannot be written; the file then stays
// as it was.
bool iniWrite(const QString& section, const QString& key, const QString& value, const QString& file);

// Writes every key in one replacement of the file, each logged as iniWrite
// does: all of them reach the file, or none (false, logged).
// *error (when given) gets the cause of a failure.
bool iniWriteKeys(const QList<platform::IniFile::Key>& keys, const QString& file, QString* error = nullptr);

} // namespace config
