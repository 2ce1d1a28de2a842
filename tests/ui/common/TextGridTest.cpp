// The grid of text rows that the report lists show: headers and texts as a
// table widget's, only the cells drawn or read asked for, whole rows selected
// one at a time, a reload leaving no selection, a double-click telling its
// cell, and the copy key putting the current cell's text on the clipboard.

#include "ui/common/TextGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TextGridTest, ShowsRowsAsATableOfTextsAndAsksOnlyForTheCellsNeeded)
{
    ui::TextGrid grid("reportGrid", {QString(), "ID", "Lot Number"});
    grid.resize(400, 120);
    int asked = 0;
    grid.setRows(1000, [&asked](int row, int column) {
        ++asked;
        return column == 0 ? QString() : QStringLiteral("%1.%2").arg(row).arg(column);
    });
    grid.show();
    QApplication::processEvents();
    grid.repaint();

    EXPECT_EQ(grid.objectName(), "reportGrid");
    EXPECT_EQ(grid.rowCount(), 1000);
    EXPECT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), "ID");
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), "Lot Number");
    EXPECT_TRUE(grid.verticalHeader()->isHidden());
    EXPECT_GT(asked, 0);
    EXPECT_LT(asked, 1000) << "only the rows in sight are drawn";
    EXPECT_EQ(grid.text(999, 2), "999.2");
    EXPECT_EQ(grid.text(0, 0), "");
    EXPECT_EQ(grid.text(1000, 1), "") << "outside the grid";
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid.wordWrap());

    // A cell makes its whole row selected, one row at a time.
    grid.setCurrentCell(3, 1);
    EXPECT_EQ(grid.currentRow(), 3);
    grid.setCurrentCell(5, 2);
    ASSERT_EQ(grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(grid.selectionModel()->selectedRows()[0].row(), 5);

    // The copy key copies the current cell's text.
    QTest::keySequence(&grid, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "5.2");

    // A double-click on a cell tells its row and column.
    QSignalSpy clicked(&grid, &ui::TextGrid::cellDoubleClicked);
    emit grid.doubleClicked(grid.model()->index(1, 2));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0], (QVariantList{1, 2}));

    // A reload leaves nothing selected and no current cell.
    grid.setRows(2, [](int, int) { return QStringLiteral("x"); });
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.currentRow(), -1);
    EXPECT_TRUE(grid.selectionModel()->selectedRows().isEmpty());
}

} // namespace
