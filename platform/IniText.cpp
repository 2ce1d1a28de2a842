#include "platform/IniText.h"

#include <algorithm>

namespace platform {

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

QString folded(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

// The text of a line; a byte-order mark at its start is no part of it.
QString lineText(QByteArrayView bytes)
{
    QString line = QString::fromUtf8(bytes);
    if (line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);
    return line;
}

bool isAsciiBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The section name when the line is a section header: "[" first after any
// blanks, the name up to "]" (or the end of the line), trimmed.
bool sectionHeader(QByteArrayView bytes, QString* name)
{
    if (bytes.startsWith(ByteOrderMark))
        bytes = bytes.sliced(3);
    qsizetype i = 0;
    while (i < bytes.size() && isAsciiBlank(bytes[i]))
        ++i;
    if (i == bytes.size())
        return false;
    // Blanks beyond ASCII are rare; the decoded text decides then.
    if (bytes[i] != '[' && static_cast<unsigned char>(bytes[i]) < 0x80)
        return false;
    const QString line = lineText(bytes).trimmed();
    if (!line.startsWith(u'['))
        return false;
    const qsizetype close = line.indexOf(u']');
    *name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
    return true;
}

// The key and value when the line is a key line.
bool keyLine(QByteArrayView bytes, QString* key, QString* value)
{
    if (!bytes.contains('='))
        return false;
    const QString line = lineText(bytes);
    const qsizetype eq = line.indexOf(u'=');
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

bool isBlank(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), isAsciiBlank);
}

} // namespace

IniText::IniText(QByteArray data) : m_data(std::move(data))
{
    qsizetype start = 0;
    while (start < m_data.size()) {
        const qsizetype nl = m_data.indexOf('\n', start);
        if (nl < 0) {
            m_lines.append(Line{start, m_data.size() - start, 0});
            break;
        }
        const bool crlf = nl > start && m_data.at(nl - 1) == '\r';
        m_lines.append(Line{start, nl - start - (crlf ? 1 : 0), crlf ? 2 : 1});
        start = nl + 1;
    }
}

QByteArrayView IniText::text(qsizetype line) const
{
    const Line& l = m_lines[line];
    return QByteArrayView(m_data.constData() + l.start, l.length);
}

QByteArray IniText::lineEnding() const
{
    return !m_lines.isEmpty() && m_lines.first().endingLength == 1 ? QByteArray("\n") : QByteArray("\r\n");
}

void IniText::findSections() const
{
    if (m_headers)
        return;
    m_headers.emplace();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        QString name;
        if (!sectionHeader(text(i), &name))
            continue;
        m_headerLines.append(i);
        const QString id = folded(name);
        if (!m_headers->contains(id)) // the first of two equal sections counts
            m_headers->insert(id, i);
    }
}

const IniText::Section& IniText::section(qsizetype header) const
{
    auto found = m_sections.find(header);
    if (found != m_sections.end())
        return *found;
    const auto next = std::upper_bound(m_headerLines.cbegin(), m_headerLines.cend(), header);
    const qsizetype end = next == m_headerLines.cend() ? m_lines.size() : *next;
    Section s;
    s.insertAt = header + 1;
    for (qsizetype i = header + 1; i < end; ++i) {
        const QByteArrayView line = text(i);
        if (!isBlank(line))
            s.insertAt = i + 1;
        QString key, value;
        if (!keyLine(line, &key, &value))
            continue;
        const QString id = folded(key);
        if (!s.keys.contains(id)) // the first of two equal keys counts
            s.keys.insert(id, i);
    }
    return *m_sections.insert(header, std::move(s));
}

IniText::Place IniText::locate(const QString& sectionName, const QString& key) const
{
    findSections();
    Place place;
    const auto header = m_headers->constFind(folded(sectionName));
    if (header == m_headers->cend())
        return place;
    place.header = *header;
    const Section& s = section(place.header);
    const auto line = s.keys.constFind(folded(key));
    if (line == s.keys.cend())
        return place;
    place.keyAt = *line;
    keyLine(text(place.keyAt), &place.key, &place.value);
    return place;
}

QByteArray IniText::withKey(const QString& sectionName, const QString& key, const QString& value) const
{
    const QByteArray eol = lineEnding();
    const Place place = locate(sectionName, key);
    const QString spelling = place.keyAt >= 0 ? place.key : key.trimmed();
    const QByteArray entry = (spelling + u'=' + value.trimmed()).toUtf8();

    if (place.keyAt >= 0) {
        const Line& l = m_lines[place.keyAt];
        return m_data.left(l.start) + entry + m_data.mid(l.start + l.length);
    }
    if (place.header >= 0) {
        const qsizetype insertAt = section(place.header).insertAt;
        const Line& before = m_lines[insertAt - 1];
        const qsizetype offset = before.start + before.length + before.endingLength;
        return m_data.left(offset) + (before.endingLength == 0 ? eol : QByteArray()) + entry + eol + m_data.mid(offset);
    }
    QByteArray out = m_data;
    if (!m_lines.isEmpty() && m_lines.last().endingLength == 0)
        out += eol;
    return out + (u'[' + sectionName.trimmed() + u']').toUtf8() + eol + entry + eol;
}

} // namespace platform
