#pragma once
// The text of one INI file, split into lines once, with the places of its
// sections and keys found on first use and kept. It answers where a key sits
// and makes the text with one key set, leaving every other byte as it was;
// IniFile reads and writes files through it.
//
// A section runs from its header line to the next header line; of two
// sections (or two keys in a section) with the same name, without regard to
// case, the first counts. A byte-order mark at the start of a line is no part
// of it. It works on text alone and never fails: a section or key that is not
// there is reported as missing (-1), not as an error.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace platform {

class IniText {
public:
    explicit IniText(QByteArray data = QByteArray());

    const QByteArray& data() const { return m_data; }

    // Where a key sits: the line of its section's header (-1 when the section
    // is missing), the line of the key (-1 when missing), the key as the file
    // spells it and its value, trimmed.
    struct Place {
        qsizetype header = -1;
        qsizetype keyAt = -1;
        QString key;
        QString value;
    };
    Place locate(const QString& section, const QString& key) const;

    // The text with the key set to the value: the key's line rewritten in its
    // file's spelling, or a new key line at the end of its section, or a new
    // section with the key at the end of the text. New lines take the first
    // line's ending (CR LF for an empty text).
    QByteArray withKey(const QString& section, const QString& key, const QString& value) const;

private:
    // Where one line sits in the text.
    struct Line {
        qsizetype start;
        qsizetype length;       // without the line ending
        qsizetype endingLength; // 0, 1 ("\n") or 2 ("\r\n")
    };
    // A section's keys and where a new key goes.
    struct Section {
        qsizetype insertAt = -1;        // the line after its last line that is not blank
        QHash<QString, qsizetype> keys; // case-folded key -> line of its first occurrence
    };

    QByteArrayView text(qsizetype line) const;
    QByteArray lineEnding() const;
    void findSections() const;
    const Section& section(qsizetype header) const;

    QByteArray m_data;
    QList<Line> m_lines;
    // Found on first use.
    mutable std::optional<QHash<QString, qsizetype>> m_headers; // case-folded name -> its first header line
    mutable QList<qsizetype> m_headerLines;                     // every header line, in order
    mutable QHash<qsizetype, Section> m_sections;               // by header line
};

} // namespace platform
