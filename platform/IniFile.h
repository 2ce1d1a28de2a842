#pragma once
// INI files as the station has always read and written them (settings.ini,
// .lim files), with the semantics of the classic profile functions:
// - section and key names match without regard to case;
// - values are returned trimmed; the first of two equal keys (and the first
//   of two equal sections) wins;
// - a missing file, section or key reads as "";
// - a write changes the key's line in place and keeps every other line of the
//   file byte for byte; a new key goes to the end of its section, a new
//   section to the end of the file; the file is created when missing.
// Text is UTF-8; new lines take the file's line ending (CR LF for a new file).

#include <QString>

namespace platform {

class IniFile {
public:
    // Values longer than this are cut to it on reading.
    static constexpr int MaxValueLength = 255;

    static QString read(const QString& path, const QString& section, const QString& key);

    // False when the file cannot be written, or when section, key or value
    // would break the file's line structure (line breaks, "]" in a section
    // name, "=" in a key, an empty key); the file is then left as it was.
    static bool write(const QString& path, const QString& section, const QString& key,
                      const QString& value);
};

} // namespace platform
