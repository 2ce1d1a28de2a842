#pragma once
// Every page of a report list window as the operator pages through it: each
// entry of its page list chosen in turn, and the rows of the report grid
// read after each (columns 1 to 4: group, lot, start, completion).

#include <QComboBox>
#include <QList>
#include <QStringList>
#include <QTableWidget>

namespace testsupport {

using ListPage = QList<QStringList>;

inline QList<ListPage> everyListPage(QComboBox* pages, QTableWidget* grid)
{
    QList<ListPage> read;
    for (int entry = 0; entry < pages->count(); ++entry) {
        pages->setCurrentIndex(entry);
        emit pages->activated(entry);
        ListPage page;
        for (int row = 0; row < grid->rowCount(); ++row) {
            QStringList cells;
            for (int column = 1; column <= 4; ++column)
                cells << (grid->item(row, column) ? grid->item(row, column)->text() : QString());
            page << cells;
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

} // namespace testsupport
