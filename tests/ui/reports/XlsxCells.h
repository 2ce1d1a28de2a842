#pragma once
// Reads the cells of the first sheet of a workbook file back (through
// unzip): each row as its cells' texts, numbers marked as such.

#include <QList>
#include <QString>

namespace xlsxcells {

struct Cell {
    QString text;
    bool number = false;
};

// Rows by row number from 0; missing cells and rows are empty.
QList<QList<Cell>> read(const QString& path);

} // namespace xlsxcells
