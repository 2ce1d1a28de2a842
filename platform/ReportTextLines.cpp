#include "platform/ReportTextLines.h"

#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>

namespace platform {

namespace {

// A paragraph up to this length is laid out whole. A longer one is laid out
// a window at a time, so that a text of any length costs time in proportion
// to its length: each window gives the lines that end before the window's
// own end, and the next window starts where those lines end.
constexpr qsizetype WholeParagraph = 4096;

// The lines of the text as one layout breaks them.
QList<QStringView> layoutLines(QStringView text, const QFont& font, double width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QString copy = text.toString();
    QTextLayout layout(copy, font);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<QStringView> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

void wrapParagraph(const QString& paragraph, const QFont& font, double width, QStringList& lines)
{
    qsizetype start = 0;
    qsizetype window = WholeParagraph;
    while (start < paragraph.size()) {
        const QStringView rest = QStringView(paragraph).mid(start);
        const bool last = rest.size() <= window;
        const QList<QStringView> found = layoutLines(rest.left(window), font, width);
        if (last) {
            for (QStringView line : found)
                lines << line.toString();
            return;
        }
        // The last line of a window may go on beyond it: it is laid out again
        // at the start of the next one. A window of a single line is widened.
        if (found.size() < 2) {
            window *= 2;
            continue;
        }
        for (qsizetype i = 0; i + 1 < found.size(); ++i) {
            lines << found[i].toString();
            start += found[i].size();
        }
        window = WholeParagraph;
    }
}

// The font's measure counts in a 32-bit integer of 1/64 pixels, which a
// text of some million characters overflows: a longer text is measured a
// window at a time.
double measure(const QFontMetricsF& metrics, const QString& text)
{
    if (text.size() <= WholeParagraph)
        return metrics.horizontalAdvance(text);
    double width = 0;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype length = std::min(WholeParagraph, text.size() - start);
        if (start + length < text.size() && text.at(start + length).isLowSurrogate())
            --length; // a surrogate pair stays whole
        width += metrics.horizontalAdvance(text.mid(start, length));
        start += length;
    }
    return width;
}

} // namespace

ReportTextLines::ReportTextLines(const QFont& font) : m_font(font), m_metrics(font) {}

QStringList ReportTextLines::wrap(const QString& text, double width) const
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const bool plain =
        !text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
    if (plain && measure(m_metrics, text) <= width)
        return {text};

    QStringList lines;
    for (QString paragraph : text.split(breaks)) {
        paragraph.replace(QLatin1Char('\t'), QLatin1Char(' '));
        if (paragraph.isEmpty())
            lines << QString();
        else
            wrapParagraph(paragraph, m_font, width, lines);
    }
    return lines;
}

double ReportTextLines::width(const QString& text) const
{
    return measure(m_metrics, text);
}

} // namespace platform
