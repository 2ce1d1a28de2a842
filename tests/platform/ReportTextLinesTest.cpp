// Breaking a text into lines: a paragraph far longer than a page of text,
// with or without blanks, is broken as a short one is: every character on a
// line, in order, and no line wider than the box unless it is one character;
// also one whose whole width is beyond what the font's measure can count.

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

// The font's measure counts a width in a 32-bit integer of 1/64 pixels, so
// a text some 33 million pixels wide (about 3.8 million wide characters of
// the report's own font) is more than it can hold. A large font gets there
// with a short text.
TEST(ReportTextLines, AParagraphWiderThanTheFontCanMeasureIsBrokenAndMeasuredWhole)
{
    QFont large = platform::ReportLayout::font(platform::ReportFont::Body);
    large.setPixelSize(4000);
    const platform::ReportTextLines lines(large);
    const QString wide(12000, QLatin1Char('W'));
    const double one = lines.width(QStringLiteral("W"));
    ASSERT_GT(one * wide.size(), double(1u << 31) / 64) << "the text must be wider than the measure holds";

    EXPECT_NEAR(lines.width(wide), one * wide.size(), one * wide.size() * 1e-6);
    const double box = one * 10.5;
    const QStringList wrapped = lines.wrap(wide, box);
    EXPECT_EQ(wrapped.join(QString()), wide);
    EXPECT_EQ(wrapped.size(), 1200);
    for (const QString& line : wrapped)
        ASSERT_LE(lines.width(line), box) << line.size();
}

} // namespace
