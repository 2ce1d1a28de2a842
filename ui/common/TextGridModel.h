#pragma once
// The cells of a TextGrid: rows of text under column headers, each cell's
// text asked of the owner's function only when the cell is drawn or read,
// so that the rows kept out of sight cost nothing. Cells take the flags that
// a table widget's cells have; a cell with an empty text shows nothing.

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

namespace ui {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using CellText = std::function<QString(int row, int column)>;

    explicit TextGridModel(const QStringList& headers, QObject* parent = nullptr);

    // The rows shown from now on (a reset of the model: no selection or
    // current cell stays).
    void setRows(int count, CellText text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList m_headers;
    int m_rows = 0;
    CellText m_text;
};

} // namespace ui
