#pragma once
// Every page of a report list window as the operator pages through it: each
// entry of its page list chosen in turn, and the rows of the report grid
// read after each (columns 1 to 4: group, lot, start, completion); and what
// both programs' lists must show of 100,000 groups in lots, sorted by lot,
// descending.

#include "support/ListedGroups.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QList>
#include <QStringList>
#include <QTableView>

#include <gtest/gtest.h>

namespace testsupport {

using ListPage = QList<QStringList>;

inline QList<ListPage> everyListPage(QComboBox* pages, QTableView* grid)
{
    QList<ListPage> read;
    for (int entry = 0; entry < pages->count(); ++entry) {
        pages->setCurrentIndex(entry);
        emit pages->activated(entry);
        ListPage page;
        const QAbstractItemModel* cells = grid->model();
        for (int row = 0; row < cells->rowCount(); ++row) {
            QStringList texts;
            for (int column = 1; column <= 4; ++column)
                texts << cells->index(row, column).data().toString();
            page << texts;
        }
        read << page;
    }
    return read;
}

// The group numbers of pages, in order.
inline QList<qint32> groupNumbers(const QList<ListPage>& pages)
{
    QList<qint32> ids;
    for (const ListPage& page : pages)
        for (const QStringList& row : page)
            ids << row.value(0).toInt();
    return ids;
}

// 100,000 finished groups in lots of seven or eight.
inline QList<ListedGroup> hundredThousandInLots()
{
    return groupsInLots(100000, 13999);
}

// The pages of hundredThousandInLots sorted by lot, descending: the lots from
// the highest down, the groups of each lot ascending, every group on exactly
// one of the hundred pages (the page past them repeats the last), and the
// dates as the station writes them.
inline void expectHundredThousandByLotDescending(const QList<ListPage>& pages)
{
    ASSERT_EQ(pages.size(), 101);
    EXPECT_EQ(groupNumbers(pages.mid(0, 100)), byLotDescending(hundredThousandInLots()));
    EXPECT_EQ(pages[100], pages[99]);
    // Lot LOT-13998 first; group 300, of lot LOT-00300, started at 2 PM.
    EXPECT_EQ(pages[0].value(0).mid(0, 2), (QStringList{"13998", "LOT-13998"}));
    QStringList group300;
    for (const ListPage& page : pages)
        for (const QStringList& row : page)
            if (row.value(0) == "300")
                group300 = row;
    EXPECT_EQ(group300, (QStringList{"300", "LOT-00300", "3/2/2026 2:00:00 PM", "3/2/2026 2:30:00 PM"}));
}

} // namespace testsupport
