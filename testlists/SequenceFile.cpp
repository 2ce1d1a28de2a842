#include "testlists/SequenceFile.h"

#include "config/Log.h"
#include "platform/WholeFile.h"

namespace testlists {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

QString versionFor(bool is80, bool is80With24)
{
    if (is80)
        return QStringLiteral("2.0");
    if (is80With24)
        return QStringLiteral("3.0");
    return QStringLiteral("1.0");
}

bool versionAccepted(const QString& version, bool is80, bool is80With24)
{
    if (is80 || is80With24)
        return version == QLatin1String("2.0") || version == QLatin1String("3.0");
    return version == QLatin1String("1.0");
}

// Lines ended by CR LF, LF or CR; the end of the last line may be missing.
QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines;
    const QString text = QString::fromLatin1(bytes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

// The line as a log or a message can show it: control bytes and bytes above
// the printable range as <hh>, and no more than a screen line of it.
QString shownLine(const QString& line)
{
    constexpr qsizetype Longest = 80;
    QString shown;
    for (const QChar c : line) {
        const ushort code = c.unicode();
        shown += code >= 32 && code < 127 ? QString(c) : QStringLiteral("<%1>").arg(code, 2, 16, QLatin1Char('0'));
    }
    return shown.size() > Longest ? shown.left(Longest) + QStringLiteral("...") : shown;
}

} // namespace

bool writeSequenceFile(const QString& path, const TestList& list, bool is80, bool is80With24, QString* cause)
{
    QByteArray bytes = versionFor(is80, is80With24).toLatin1() + kLineEnd;
    for (const auto& step : list)
        bytes += step->testString().toLatin1() + kLineEnd;
    QString error;
    if (!platform::WholeFile::save(path, bytes, &error)) {
        config::writeLog(QStringLiteral("Cannot write test sequence file %1: %2").arg(path, error));
        if (cause)
            *cause = error;
        return false;
    }
    return true;
}

bool readSequenceFile(const QString& path, TestList& list, bool is80, bool is80With24, QList<SkippedLine>* skipped)
{
    QByteArray bytes;
    QString error;
    if (platform::WholeFile::read(path, &bytes, &error) != platform::WholeFile::ReadResult::Read) {
        config::writeLog(QStringLiteral("Cannot read test sequence file %1: %2").arg(path, error));
        return false;
    }
    // Editors may put a UTF-8 byte-order mark before the version.
    if (bytes.startsWith(kByteOrderMark))
        bytes.remove(0, kByteOrderMark.size());
    const QStringList lines = splitLines(bytes);
    if (lines.isEmpty()) {
        config::writeLog(QStringLiteral("Test sequence file %1 is empty").arg(path));
        return false;
    }
    if (!versionAccepted(lines.first(), is80, is80With24)) {
        config::writeLog(
            QStringLiteral("Test sequence file %1 has version \"%2\", expected %3")
                .arg(path, lines.first(),
                     is80 || is80With24 ? QStringLiteral("\"2.0\" or \"3.0\"") : QStringLiteral("\"1.0\"")));
        return false;
    }
    list.clear();
    if (skipped)
        skipped->clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        auto step = std::make_shared<TestStep>();
        if (step->initByString(line)) {
            list.append(step);
            continue;
        }
        // A step made of a line that is not understood would start a test
        // of no type, or with what the parse had set before it stopped.
        config::writeLog(QStringLiteral("Test sequence file %1, line %2 not understood: %3")
                             .arg(path, QString::number(i + 1), shownLine(line)));
        if (skipped)
            skipped->append({int(i + 1), line});
    }
    return true;
}

QString skippedLinesMessage(const QString& path, const QList<SkippedLine>& skipped)
{
    if (skipped.isEmpty())
        return {};
    constexpr qsizetype Shown = 10;
    QString text = (skipped.size() == 1 ? QStringLiteral("This line of the test sequence file %1 is not understood")
                                        : QStringLiteral("These lines of the test sequence file %1 are not understood"))
                       .arg(path)
                   + QStringLiteral(" and left out of the list:\r\n");
    for (qsizetype i = 0; i < skipped.size() && i < Shown; ++i)
        text +=
            QStringLiteral("\r\nLine %1: %2").arg(QString::number(skipped.at(i).number), shownLine(skipped.at(i).text));
    if (skipped.size() > Shown)
        text += QStringLiteral("\r\n... and %1 more").arg(skipped.size() - Shown);
    return text;
}

} // namespace testlists
