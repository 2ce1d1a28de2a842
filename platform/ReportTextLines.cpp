#include "platform/ReportTextLines.h"

#include <QRegularExpression>
#include <QTextLayout>

namespace platform {

ReportTextLines::ReportTextLines(const QFont& font) : m_font(font), m_metrics(font) {}

QStringList ReportTextLines::wrap(const QString& text, double width) const
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const bool plain =
        !text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
    if (plain && m_metrics.horizontalAdvance(text) <= width)
        return {text};

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (QString paragraph : text.split(breaks)) {
        paragraph.replace(QLatin1Char('\t'), QLatin1Char(' '));
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, m_font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace platform
