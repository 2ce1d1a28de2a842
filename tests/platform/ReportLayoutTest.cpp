// Laying reports out on pages: wide tables split into column ranges with
// their leading columns repeated, long tables continued on new pages under
// their header, nothing drawn outside the paper.

#include "platform/ReportLayout.h"

#include <gtest/gtest.h>

#include <QRectF>

using platform::ReportBlock;
using platform::ReportCell;
using platform::ReportContent;
using platform::ReportLayout;
using platform::ReportPage;
using platform::ReportPageItem;

namespace {

ReportContent table(int columns, int rows)
{
    ReportBlock b;
    b.kind = ReportBlock::Kind::Table;
    b.header << ReportCell{"Electrode", {}};
    for (int c = 1; c < columns; ++c)
        b.header << ReportCell{QString("t%1").arg(c), {}};
    for (int r = 0; r < rows; ++r) {
        QList<ReportCell> row{ReportCell{QString("E%1").arg(r), {}}};
        for (int c = 1; c < columns; ++c)
            row << ReportCell{QString("%1.125").arg(1000 + c), 1000.125 + c};
        b.rows << row;
    }
    ReportContent content;
    content.title = "Test Report";
    content.blocks << b;
    return content;
}

int count(const QList<ReportPage>& pages, const QString& text)
{
    int n = 0;
    for (const ReportPage& p : pages)
        for (const ReportPageItem& item : p.items)
            n += item.kind == ReportPageItem::Kind::Text && item.text == text ? 1 : 0;
    return n;
}

void expectInsidePaper(const QList<ReportPage>& pages)
{
    for (const ReportPage& p : pages) {
        const QRectF paper = QRectF(QPointF(0, 0), p.size).adjusted(-0.01, -0.01, 0.01, 0.01);
        for (const ReportPageItem& item : p.items)
            EXPECT_TRUE(paper.contains(item.rect.topLeft()) && paper.contains(item.rect.bottomRight()))
                << item.text.toStdString();
    }
}

TEST(ReportLayout, AWideTableIsSplitIntoColumnRangesThatRepeatTheLeadingColumn)
{
    const QList<ReportPage> pages = ReportLayout::layout(table(61, 3));
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
    const QList<ReportPage> pages = ReportLayout::layout(table(3, 300));
    ASSERT_GT(pages.size(), 3);
    EXPECT_EQ(count(pages, "Electrode"), pages.size());
    for (int r = 0; r < 300; ++r)
        ASSERT_EQ(count(pages, QString("E%1").arg(r)), 1) << r;
    for (qsizetype i = 0; i < pages.size(); ++i)
        EXPECT_EQ(count({pages[i]}, QString("Page %1 of %2").arg(i + 1).arg(pages.size())), 1);
    expectInsidePaper(pages);
}

TEST(ReportLayout, LandscapeTurnsThePaper)
{
    ReportContent content = table(3, 1);
    const QSizeF portrait = ReportLayout::layout(content).first().size;
    content.landscape = true;
    const QSizeF landscape = ReportLayout::layout(content).first().size;
    EXPECT_EQ(landscape, portrait.transposed());
    EXPECT_GT(portrait.height(), portrait.width());
}

} // namespace
