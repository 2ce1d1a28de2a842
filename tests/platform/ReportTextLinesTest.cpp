// Breaking a text into lines: a paragraph far longer than a page of text,
// with or without blanks, is broken as a short one is: every character on a
// line, in order, and no line wider than the box unless it is one character.

#include "platform/ReportLayout.h"
#include "platform/ReportTextLines.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportTextLines, ALongParagraphKeepsEveryCharacterOnLinesThatFit)
{
    const platform::ReportTextLines lines(platform::ReportLayout::font(platform::ReportFont::Body));
    QString words;
    for (int i = 0; words.size() < 30000; ++i)
        words += QStringLiteral("word%1 ").arg(i * 7919 % 1000);
    const QString cases[] = {QString(30000, QLatin1Char('W')), words, QString(5000, QLatin1Char('x')) + words};
    for (const double width : {40.0, 300.0, 5000.0}) {
        for (const QString& text : cases) {
            const QStringList wrapped = lines.wrap(text, width);
            EXPECT_EQ(wrapped.join(QString()), text) << width;
            for (const QString& line : wrapped)
                EXPECT_TRUE(line.size() == 1 || lines.width(line.trimmed()) <= width + 0.01)
                    << width << " " << line.size();
            // Broken at word boundaries where it can: only the last line of a text of words ends mid-word.
            if (text == words) {
                for (qsizetype i = 0; i + 1 < wrapped.size(); ++i)
                    EXPECT_TRUE(wrapped[i].endsWith(QLatin1Char(' '))) << width << " " << i;
            }
        }
    }
}

} // namespace
