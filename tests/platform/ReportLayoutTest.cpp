// Laying reports out on pages: wide tables split into column ranges with
// their leading columns repeated, long tables continued on new pages under
// their header, fields taller than a page continued under their label,
// words too wide for their box broken, nothing drawn outside the paper or
// over the foot of a page.

#include "platform/ReportLayout.h"
#include "support/ReportPages.h"

#include <QFontMetricsF>
#include <QRectF>

#include <gtest/gtest.h>

using platform::ReportBlock;
using platform::ReportCell;
using platform::ReportContent;
using platform::ReportLayout;
using platform::ReportPage;
using platform::ReportPageItem;
using testsupport::expectClearOfTheFoot;
using testsupport::unbrokenWord;
using testsupport::words;

namespace {

platform::ReportContent table(int columns, int rows)
{
    platform::ReportBlock b;
    b.kind = platform::ReportBlock::Kind::Table;
    b.header << platform::ReportCell{"Electrode", {}};
    for (int c = 1; c < columns; ++c)
        b.header << platform::ReportCell{QString("t%1").arg(c), {}};
    for (int r = 0; r < rows; ++r) {
        QList<platform::ReportCell> row{platform::ReportCell{QString("E%1").arg(r), {}}};
        for (int c = 1; c < columns; ++c)
            row << platform::ReportCell{QString("%1.125").arg(1000 + c), 1000.125 + c};
        b.rows << row;
    }
    platform::ReportContent content;
    content.title = "Test Report";
    content.blocks << b;
    return content;
}

int count(const QList<platform::ReportPage>& pages, const QString& text)
{
    int n = 0;
    for (const platform::ReportPage& p : pages)
        for (const platform::ReportPageItem& item : p.items)
            n += item.kind == platform::ReportPageItem::Kind::Text && item.text == text ? 1 : 0;
    return n;
}

void expectInsidePaper(const QList<platform::ReportPage>& pages)
{
    for (const platform::ReportPage& p : pages) {
        const QRectF paper = QRectF(QPointF(0, 0), p.size).adjusted(-0.01, -0.01, 0.01, 0.01);
        for (const platform::ReportPageItem& item : p.items)
            EXPECT_TRUE(paper.contains(item.rect.topLeft()) && paper.contains(item.rect.bottomRight()))
                << item.text.toStdString();
    }
}

TEST(ReportLayout, AWideTableIsSplitIntoColumnRangesThatRepeatTheLeadingColumn)
{
    const QList<platform::ReportPage> pages = platform::ReportLayout::layout(table(61, 3));
    const int ranges = count(pages, "Electrode");
    EXPECT_GT(ranges, 1);
    for (int c = 1; c < 61; ++c)
        EXPECT_EQ(count(pages, QString("t%1").arg(c)), 1) << c;
    EXPECT_EQ(count(pages, "E0"), ranges);
    EXPECT_EQ(count(pages, "1060.125"), 3);
    expectInsidePaper(pages);
}

TEST(ReportLayout, ALongTableGoesOnOverPagesUnderItsHeaderWithEveryPageNumbered)
{
    const QList<platform::ReportPage> pages = platform::ReportLayout::layout(table(3, 300));
    ASSERT_GT(pages.size(), 3);
    EXPECT_EQ(count(pages, "Electrode"), pages.size());
    for (int r = 0; r < 300; ++r)
        ASSERT_EQ(count(pages, QString("E%1").arg(r)), 1) << r;
    for (qsizetype i = 0; i < pages.size(); ++i)
        EXPECT_EQ(count({pages[i]}, QString("Page %1 of %2").arg(i + 1).arg(pages.size())), 1);
    expectInsidePaper(pages);
}

// The lines drawn at the left edge x in the font, page after page, each
// fitting the width of its box.
struct Drawn {
    QString text;
    QList<int> pages; // the pages they are on
};

Drawn drawnAt(const QList<platform::ReportPage>& pages, double x, platform::ReportFont font)
{
    const QFontMetricsF metrics(platform::ReportLayout::font(font));
    Drawn drawn;
    for (int i = 0; i < pages.size(); ++i) {
        for (const platform::ReportPageItem& item : pages[i].items) {
            if (item.kind != platform::ReportPageItem::Kind::Text || item.font != font
                || qAbs(item.rect.left() - x) >= 0.01)
                continue;
            EXPECT_LE(metrics.horizontalAdvance(item.text.trimmed()), item.rect.width() + 0.01)
                << item.text.toStdString();
            drawn.text += item.text;
            if (!drawn.pages.contains(i))
                drawn.pages << i;
        }
    }
    return drawn;
}

TEST(ReportLayout, FieldsTallerThanAPageGoOnOverTheNextPagesWholeUnderTheirLabelsAndClearOfTheFoot)
{
    const QString lot = words('L', 4999, 600);
    const QString notes = words('N', 10000, 900);
    platform::ReportBlock title;
    title.kind = platform::ReportBlock::Kind::Title;
    platform::ReportBlock fields;
    fields.kind = platform::ReportBlock::Kind::Fields;
    fields.fields = {{"Lot Number", lot}, {"Started", "2026-03-02 09:00:00"}, {"Notes", notes}, {"Run", "Completed"}};
    platform::ReportContent content;
    content.title = "Test Report";
    content.landscape = true;
    content.blocks << title << fields;

    const QList<platform::ReportPage> pages = platform::ReportLayout::layout(content);
    QList<double> valueEdges; // the left edges of the two columns of values
    for (const platform::ReportPageItem& item : pages.first().items)
        if (item.font == platform::ReportFont::Body && !valueEdges.contains(item.rect.left()))
            valueEdges << item.rect.left();
    ASSERT_EQ(valueEdges.size(), 2);
    const Drawn left = drawnAt(pages, valueEdges[0], platform::ReportFont::Body);
    EXPECT_EQ(left.text, lot + notes) << "every character of the lot and then of the notes";
    EXPECT_EQ(drawnAt(pages, valueEdges[1], platform::ReportFont::Body).text, "2026-03-02 09:00:00Completed");
    ASSERT_GT(left.pages.size(), 4);
    EXPECT_EQ(left.pages.size(), pages.size());
    EXPECT_EQ(count(pages, "Lot Number") + count(pages, "Notes"), pages.size() + 1)
        << "each label on every page its value is on; they share one page";
    EXPECT_EQ(count(pages, "Started"), 1) << "a label is not repeated once its value has ended";
    expectClearOfTheFoot(pages);
    expectInsidePaper(pages);
}

TEST(ReportLayout, AWordTooWideForItsBoxIsBrokenWithinTheBoxAndKeepsEveryCharacter)
{
    const QString unbroken = unbrokenWord(120);
    platform::ReportContent content = table(3, 2);
    content.blocks[0].rows[1][2] = platform::ReportCell{unbroken, {}};
    platform::ReportBlock text;
    text.kind = platform::ReportBlock::Kind::Text;
    text.text = words('T', 2000, 1500);
    content.blocks << text;

    const QList<platform::ReportPage> pages = platform::ReportLayout::layout(content);
    double cellEdge = -1;
    for (const platform::ReportPageItem& item : pages.first().items)
        if (item.text == "1002.125")
            cellEdge = item.rect.left();
    const Drawn cell = drawnAt(pages, cellEdge, platform::ReportFont::Table);
    EXPECT_EQ(cell.text, "1002.125" + unbroken);
    EXPECT_EQ(drawnAt(pages, 36, platform::ReportFont::Body).text, text.text) << "a text at the left margin";
    expectClearOfTheFoot(pages);
    expectInsidePaper(pages);
}

TEST(ReportLayout, LandscapeTurnsThePaper)
{
    platform::ReportContent content = table(3, 1);
    const QSizeF portrait = platform::ReportLayout::layout(content).first().size;
    content.landscape = true;
    const QSizeF landscape = platform::ReportLayout::layout(content).first().size;
    EXPECT_EQ(landscape, portrait.transposed());
    EXPECT_GT(portrait.height(), portrait.width());
}

} // namespace
