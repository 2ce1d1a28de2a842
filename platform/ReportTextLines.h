#pragma once
// Breaks a report text into the lines that fit a width in a font: at word
// boundaries where it can, and inside a word that is wider than the width
// on its own, so that every character of the text is on a line. Line breaks
// in the text start new lines; tabs count as blanks. Joined together, the
// lines of a paragraph give the paragraph back, whatever its length.

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

namespace platform {

class ReportTextLines {
public:
    explicit ReportTextLines(const QFont& font);

    // At least one line, an empty one for an empty text.
    QStringList wrap(const QString& text, double width) const;
    double lineHeight() const { return m_metrics.lineSpacing(); }
    // The width of the text on one line, however long it is.
    double width(const QString& text) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
};

} // namespace platform
