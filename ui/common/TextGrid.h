#pragma once
// A read-only grid of rows of text (TextGridModel): column headers, no row
// headers, whole rows selected one at a time, no word wrap. A page of many
// rows is shown without a widget item for each cell: only the cells drawn
// are asked for their text. Rows and columns are numbered from 0.

#include <QTableView>

#include <functional>

namespace ui {

class TextGridModel;

class TextGrid : public QTableView {
    Q_OBJECT
public:
    using CellText = std::function<QString(int row, int column)>;

    TextGrid(const char* objectName, const QStringList& headers, QWidget* parent = nullptr);

    // Shows count rows whose cells text gives; nothing stays selected and
    // there is no current cell.
    void setRows(int count, CellText text);

    int rowCount() const;
    int columnCount() const;
    // The current cell's row, -1 when there is none.
    int currentRow() const;
    // Makes the cell current and selects its row; (-1, -1) leaves none.
    void setCurrentCell(int row, int column);
    // The text of a cell ("" outside the grid).
    QString text(int row, int column) const;

signals:
    // A double-click on a cell.
    void cellDoubleClicked(int row, int column);

private:
    TextGridModel* m_model;
};

} // namespace ui
