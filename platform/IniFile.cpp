#include "platform/IniFile.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace platform {

namespace {

// One physical line of the file: its bytes without and with the line ending.
struct Line {
    QByteArray text;
    QByteArray ending;
};

QList<Line> splitLines(const QByteArray& data)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype nl = data.indexOf('\n', start);
        Line line;
        if (nl < 0) {
            line.text = data.mid(start);
            start = data.size();
        } else {
            qsizetype end = nl;
            if (end > start && data.at(end - 1) == '\r')
                --end;
            line.text = data.mid(start, end - start);
            line.ending = data.mid(end, nl + 1 - end);
            start = nl + 1;
        }
        lines.append(line);
    }
    return lines;
}

bool readAll(const QString& path, QByteArray* data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *data = file.readAll();
    return true;
}

// The text of a line; a byte-order mark at the start of the file is no part
// of it.
QString lineText(const QByteArray& text)
{
    QString line = QString::fromUtf8(text);
    if (line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);
    return line;
}

// The section name when the line is a section header.
bool sectionHeader(const QByteArray& text, QString* name)
{
    const QString line = lineText(text).trimmed();
    if (!line.startsWith(u'['))
        return false;
    qsizetype close = line.indexOf(u']');
    *name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
    return true;
}

// The key and value when the line is a key line.
bool keyLine(const QByteArray& text, QString* key, QString* value)
{
    const QString line = lineText(text);
    qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section sits in the file: its header line, the line after its last
// key line (where a new key goes), and the line of the key when present.
struct Place {
    qsizetype header = -1;
    qsizetype insertAt = -1;
    qsizetype keyAt = -1;
    QString value;
};

Place locate(const QList<Line>& lines, const QString& section, const QString& key)
{
    Place place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (sectionHeader(lines[i].text, &name)) {
            if (place.header >= 0)
                break;  // the end of the first matching section
            if (sameName(name, section)) {
                place.header = i;
                place.insertAt = i + 1;
            }
            continue;
        }
        if (place.header < 0)
            continue;
        if (!lines[i].text.trimmed().isEmpty())
            place.insertAt = i + 1;
        QString k, v;
        if (place.keyAt < 0 && keyLine(lines[i].text, &k, &v) && sameName(k, key)) {
            place.keyAt = i;
            place.value = v;
        }
    }
    return place;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\n') || s.contains(u'\r');
}

} // namespace

QString IniFile::read(const QString& path, const QString& section, const QString& key)
{
    QByteArray data;
    if (!readAll(path, &data))
        return QString();
    const Place place = locate(splitLines(data), section, key);
    if (place.keyAt < 0)
        return QString();
    return place.value.left(MaxValueLength);
}

bool IniFile::write(const QString& path, const QString& section, const QString& key,
                    const QString& value)
{
    const QString k = key.trimmed();
    if (k.isEmpty() || k.contains(u'=') || hasLineBreak(key) || hasLineBreak(section)
        || section.contains(u']') || hasLineBreak(value))
        return false;

    QByteArray data;
    const bool existed = QFile::exists(path);
    if (existed && !readAll(path, &data))
        return false;
    QList<Line> lines = splitLines(data);

    QByteArray eol = "\r\n";
    if (!lines.isEmpty() && lines.first().ending == "\n")
        eol = "\n";

    const Line entry{(k + u'=' + value.trimmed()).toUtf8(), eol};
    const Place place = locate(lines, section, k);
    if (place.keyAt >= 0) {
        lines[place.keyAt].text = entry.text;
    } else if (place.header >= 0) {
        if (lines[place.insertAt - 1].ending.isEmpty())
            lines[place.insertAt - 1].ending = eol;
        lines.insert(place.insertAt, entry);
    } else {
        if (!lines.isEmpty() && lines.last().ending.isEmpty())
            lines.last().ending = eol;
        lines.append(Line{(u'[' + section.trimmed() + u']').toUtf8(), eol});
        lines.append(entry);
    }

    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.ending;

    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(out);
    return file.commit();
}

} // namespace platform
