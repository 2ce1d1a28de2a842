#include "ui/common/TextGrid.h"

#include "ui/common/TextGridModel.h"

#include <QHeaderView>

namespace ui {

TextGrid::TextGrid(const char* objectName, const QStringList& headers, QWidget* parent)
    : QTableView(parent), m_model(new TextGridModel(headers, this))
{
    setObjectName(QString::fromLatin1(objectName));
    setModel(m_model);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit cellDoubleClicked(index.row(), index.column()); });
}

void TextGrid::setRows(int count, CellText text)
{
    m_model->setRows(count, std::move(text));
    clearSelection();
    setCurrentIndex(QModelIndex());
}

int TextGrid::rowCount() const
{
    return m_model->rowCount();
}

int TextGrid::columnCount() const
{
    return m_model->columnCount();
}

int TextGrid::currentRow() const
{
    return currentIndex().row();
}

void TextGrid::setCurrentCell(int row, int column)
{
    setCurrentIndex(m_model->index(row, column));
}

QString TextGrid::text(int row, int column) const
{
    return m_model->index(row, column).data().toString();
}

} // namespace ui
