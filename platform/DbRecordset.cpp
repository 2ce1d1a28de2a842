#include "platform/DbRecordset.h"

#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "platform/DbParameter.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace platform {

namespace {

QString valueText(const QVariant& v, const QString& nullText)
{
    if (v.isNull())
        return nullText;
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime: return DbDialect::dateText(v.toDateTime());
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(v.toDouble(), 'g', 15);
    default: return v.toString();
    }
}

} // namespace

DbRecordset DbRecordset::fromQuery(QSqlQuery& query)
{
    DbRecordset rs;
    const QSqlRecord record = query.record();
    const int fields = record.count();
    QVector<bool> isBool(fields);
    for (int i = 0; i < fields; ++i) {
        rs.m_fields << record.fieldName(i);
        isBool[i] = record.field(i).metaType().id() == QMetaType::Bool;
    }
    if (query.size() > 0)
        rs.m_rows.reserve(query.size());
    while (query.next()) {
        QVector<QVariant> row(fields);
        for (int i = 0; i < fields; ++i) {
            QVariant v = query.value(i);
            // A back end without a Boolean storage type gives 0/1.
            if (isBool[i] && !v.isNull() && v.typeId() != QMetaType::Bool)
                v = QVariant(v.toLongLong() != 0);
            row[i] = std::move(v);
        }
        rs.m_rows.append(std::move(row));
    }
    return rs;
}

DbRecordset DbRecordset::fromRows(const QStringList& fields, const QList<QVector<QVariant>>& rows)
{
    DbRecordset rs;
    rs.m_fields = fields;
    rs.m_rows = rows;
    return rs;
}

void DbRecordset::moveNext()
{
    if (!eof())
        ++m_pos;
}

QString DbRecordset::fieldName(int index) const
{
    return m_fields.value(index);
}

int DbRecordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int DbRecordset::requireField(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("Item cannot be found: no field \"%1\"").arg(name));
    return i;
}

void DbRecordset::requireRow() const
{
    if (eof())
        throw DbError(QStringLiteral("No current record (end of the rows)"));
}

QVariant DbRecordset::value(int index) const
{
    requireRow();
    if (index < 0 || index >= m_fields.size())
        throw DbError(QStringLiteral("Item cannot be found: no field %1").arg(index));
    return m_rows[m_pos][index];
}

QVariant DbRecordset::value(const QString& name) const
{
    return value(requireField(name));
}

QDateTime DbRecordset::dateValue(const QString& name) const
{
    return DbDialect::dateTimeValue(value(name));
}

OleDate DbRecordset::dateValue(int index, SteadyLocalDays& days) const
{
    return DbDialect::dateValue(value(index), days);
}

void DbRecordset::setValue(int index, const QVariant& value)
{
    requireRow();
    if (index < 0 || index >= m_fields.size())
        throw DbError(QStringLiteral("Item cannot be found: no field %1").arg(index));
    m_rows[m_pos][index] = value;
    m_changed[m_pos].insert(index);
}

void DbRecordset::setValue(const QString& name, const QVariant& value)
{
    setValue(requireField(name), value);
}

void DbRecordset::setUpdateTarget(const QString& table, const QString& keyColumn)
{
    m_table = table;
    m_keyColumn = keyColumn;
}

void DbRecordset::updateBatch(DbConnection& connection)
{
    if (m_changed.empty())
        return;
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("The rows have no table to be written to"));
    const int key = requireField(m_keyColumn);
    connection.transaction();
    try {
        for (const auto& [row, fields] : m_changed) {
            QStringList sets;
            QList<DbParameter> params;
            for (int f : fields) {
                sets << DbDialect::column(m_fields[f]) + QStringLiteral("=?");
                params << DbParameter::fromValue(m_rows[row][f]);
            }
            params << DbParameter::fromValue(m_rows[row][key]);
            connection.execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                                   .arg(m_table, sets.join(QStringLiteral(", ")), DbDialect::column(m_fields[key])),
                               params);
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
    m_changed.clear();
}

QString DbRecordset::getString(const QString& columnDelimiter, const QString& rowDelimiter, const QString& nullText)
{
    QString out;
    for (; !eof(); ++m_pos) {
        const QVector<QVariant>& row = m_rows[m_pos];
        for (int i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += columnDelimiter;
            out += valueText(row[i], nullText);
        }
        out += rowDelimiter;
    }
    return out;
}

void DbRecordset::close()
{
    m_fields.clear();
    m_rows.clear();
    m_changed.clear();
    m_pos = 0;
}

} // namespace platform
