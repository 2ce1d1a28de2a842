#include "platform/DbRowReader.h"

#include "platform/DbDialect.h"
#include "platform/DbError.h"

#include <QSqlRecord>

namespace platform {

DbRowReader::DbRowReader(QSqlQuery query) : m_query(std::move(query)), m_fields(m_query.record().count()) {}

bool DbRowReader::next()
{
    m_onRow = m_query.next();
    if (!m_onRow)
        m_query.finish();
    return m_onRow;
}

int DbRowReader::size() const
{
    return m_query.size();
}

QVariant DbRowReader::field(int index) const
{
    if (!m_onRow)
        throw DbError(QStringLiteral("No current record (end of the rows)"));
    if (index < 0 || index >= m_fields)
        throw DbError(QStringLiteral("Item cannot be found: no field %1").arg(index));
    return m_query.value(index);
}

bool DbRowReader::isNull(int index) const
{
    return field(index).isNull();
}

qint32 DbRowReader::toInt(int index) const
{
    const QVariant v = field(index);
    if (v.typeId() == QMetaType::LongLong) // as SQLite gives every integer
        return qint32(*static_cast<const qlonglong*>(v.constData()));
    return v.toInt();
}

QString DbRowReader::text(int index) const
{
    const QVariant v = field(index);
    if (v.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(v.constData());
    return v.isNull() ? QString() : v.toString();
}

OleDate DbRowReader::date(int index, SteadyLocalDays& days) const
{
    return DbDialect::dateValue(field(index), days);
}

} // namespace platform
