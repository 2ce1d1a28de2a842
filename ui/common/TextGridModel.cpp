#include "ui/common/TextGridModel.h"

namespace ui {

TextGridModel::TextGridModel(const QStringList& headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(headers)
{
}

void TextGridModel::setRows(int count, CellText text)
{
    beginResetModel();
    m_rows = count;
    m_text = std::move(text);
    endResetModel();
}

int TextGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TextGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() || index.row() >= m_rows || !m_text)
        return {};
    const QString text = m_text(index.row(), index.column());
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled
           | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
}

} // namespace ui
