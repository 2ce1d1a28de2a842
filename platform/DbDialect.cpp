#include "platform/DbDialect.h"

namespace platform {

namespace {

const char* const kDateFormat = "yyyy-MM-dd hh:mm:ss";

const DbDialect kSQLite{
    DbBackend::SQLite,
    "QSQLITE",
    "INTEGER PRIMARY KEY AUTOINCREMENT",
    "INTEGER",
    "DOUBLE",
    "BOOLEAN",
    "DATETIME",
    "TEXT",
    "1",
    "0",
    "",
};

const DbDialect kPostgreSQL{
    DbBackend::PostgreSQL,
    "QPSQL",
    "SERIAL PRIMARY KEY",
    "INTEGER",
    "DOUBLE PRECISION",
    "BOOLEAN",
    "TIMESTAMP(0)",
    "TEXT",
    "TRUE",
    "FALSE",
    "TIMESTAMP ",
};

} // namespace

const DbDialect& DbDialect::of(DbBackend backend)
{
    return backend == DbBackend::SQLite ? kSQLite : kPostgreSQL;
}

QString DbDialect::textType(int width) const
{
    return QStringLiteral("VARCHAR(%1)").arg(width);
}

QString DbDialect::booleanLiteral(bool value) const
{
    return QString::fromLatin1(value ? trueLiteral : falseLiteral);
}

QString DbDialect::dateLiteral(const QDateTime& value) const
{
    return QString::fromLatin1(dateLiteralPrefix) + '\'' + dateText(value) + '\'';
}

QString DbDialect::limit(int rows) const
{
    return QStringLiteral(" LIMIT %1").arg(rows);
}

QString DbDialect::column(const QString& name)
{
    if (!name.isEmpty() && name.at(0).isDigit())
        return '"' + name + '"';
    return name;
}

QString DbDialect::indexName(const QString& table, const QString& index)
{
    return table + '_' + index;
}

QString DbDialect::dateText(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    return QDateTime(value.date(), value.time()).toString(QString::fromLatin1(kDateFormat));
}

QDateTime DbDialect::parseDateText(const QString& text)
{
    return QDateTime::fromString(text.left(19), QString::fromLatin1(kDateFormat));
}

} // namespace platform
