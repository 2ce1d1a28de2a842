#include "platform/DbRowReader.h"

#include "platform/DbDialect.h"
#include "platform/DbError.h"

#include <QSqlError>
#include <QSqlRecord>

#include <limits>

namespace platform {

DbRowReader::DbRowReader(QSqlQuery query, std::shared_ptr<DbTimeLimit> limit)
    : m_query(std::move(query)),
      m_limit(std::move(limit)),
      m_deadline(m_limit ? m_limit->deadline() : 0),
      m_fields(m_query.record().count())
{
}

bool DbRowReader::next()
{
    if (m_limit)
        m_limit->resume(m_deadline);
    m_onRow = m_query.next();
    if (m_onRow)
        return true;
    const QSqlError error = m_query.lastError();
    m_query.finish();
    if (m_limit && m_limit->stopped())
        throw DbError(QStringLiteral("Cannot read the next row"), m_limit->cause(), DbFailure::OverTime);
    if (error.isValid())
        throw DbError(QStringLiteral("Cannot read the next row"), error.text());
    return false;
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

qint64 DbRowReader::wholeNumber(int index, qint64 low, qint64 high) const
{
    const QVariant v = field(index);
    if (v.typeId() == QMetaType::LongLong) { // as SQLite gives every integer
        const qint64 n = *static_cast<const qlonglong*>(v.constData());
        if (n >= low && n <= high)
            return n;
    }
    if (v.isNull())
        return 0;
    const std::optional<qint64> n = DbDialect::wholeNumber(v);
    if (!n || *n < low || *n > high)
        throw DbError(QStringLiteral("The value \"%1\" of field %2 is not a whole number from %3 to %4")
                          .arg(v.toString())
                          .arg(index)
                          .arg(low)
                          .arg(high));
    return *n;
}

qint32 DbRowReader::toInt(int index) const
{
    return qint32(wholeNumber(index, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint64 DbRowReader::toInt64(int index) const
{
    return wholeNumber(index, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
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
