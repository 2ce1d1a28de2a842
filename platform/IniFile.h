#pragma once
// INI files as the station has always read and written them (settings.ini,
// .lim files), with the semantics of the classic profile functions:
// - section and key names match without regard to case;
// - values are returned trimmed; the first of two equal keys (and the first
//   of two equal sections) wins;
// - a missing file, section or key reads as "";
// - a write changes the key's line in place, in the spelling the file gives
//   the key, and keeps every other line of the file byte for byte; a new key
//   goes to the end of its section, a new section to the end of the file;
//   the file is created when missing.
// Text is UTF-8; new lines take the file's line ending (CR LF for a new file).
//
// A file is read and split once and kept while it stays as it was on disk
// (same file, size and change times), so that many reads of a large file cost
// one parse; a change by another program is seen at the next read. What is
// kept is not locked: the user-interface thread alone reads and writes. Writes
// go through WholeFile::save: a write that fails leaves the file as it was.

#include "platform/WholeFile.h"

#include <QList>
#include <QString>

namespace platform {

class IniFile {
public:
    // Values longer than this are cut to it on reading.
    static constexpr int MaxValueLength = 255;

    static QString read(const QString& path, const QString& section, const QString& key);
    // The same; when the file is there but cannot be read (no permission, a
    // folder in its place, a read error) the value is "" and *error gets the
    // cause, otherwise *error is emptied.
    static QString read(const QString& path, const QString& section, const QString& key, QString* error);

    // Why a read would not give the value back as a write stores it: it
    // begins or ends with a blank (values are trimmed), it is longer than
    // MaxValueLength characters (reads cut it), or it holds a line break (no
    // write takes it). "" when it reads back as it is.
    static QString whyNotKept(const QString& value);

    // True when the file can be read, or when nothing is at the path (a write
    // would create it); false, with the cause in *error, when something is
    // there that cannot be read as a file.
    static bool readable(const QString& path, QString* error);

    // False when the file cannot be read or written, or when section, key or
    // value would break the file's line structure (line breaks, "]" in a
    // section name, "=" in a key, an empty key); the file is then left as it
    // was and *error (when given) says why.
    static bool write(const QString& path, const QString& section, const QString& key, const QString& value,
                      QString* error = nullptr);

    // One key of a write of many: where it goes and its value.
    struct Key {
        QString section;
        QString key;
        QString value;
    };
    // Writes every key in one replacement of the file: either all of them
    // reach the file or, on any failure, none. A file that the write creates
    // gets the access given; one that is there keeps its mode.
    static bool write(const QString& path, const QList<Key>& keys, QString* error = nullptr,
                      WholeFile::NewFileAccess newFile = WholeFile::NewFileAccess::Default);

    // Drops every text kept, so that the next read of each file reads and
    // splits it anew, as at a new start of the program (benchmarks).
    static void forgetAll();
};

} // namespace platform
