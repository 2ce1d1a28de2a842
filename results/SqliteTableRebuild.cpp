#include "results/SqliteTableRebuild.h"

#include "platform/DbError.h"
#include "results/SqliteRowChunks.h"

#include <QRegularExpression>
#include <QStringList>

namespace results {

using platform::DbDialect;
using platform::DbError;
using platform::DbParameter;
using platform::DbRecordset;
using platform::DbType;

namespace {

platform::DbParameter nameParameter(const QString& name)
{
    return platform::DbParameter{QStringLiteral("name"), platform::DbType::VarChar, -1, name};
}

QString definition(const SqliteColumn& column, bool autoNumber)
{
    QString text = platform::DbDialect::column(column.name) + QLatin1Char(' ');
    if (column.key)
        return text
               + (autoNumber ? QString::fromLatin1(platform::DbDialect::of(platform::DbBackend::SQLite).autoNumberKey)
                             : QStringLiteral("INTEGER PRIMARY KEY"));
    text += column.type;
    if (column.notNull)
        text += QStringLiteral(" NOT NULL");
    if (!column.defaultValue.isEmpty())
        text += QStringLiteral(" DEFAULT ") + column.defaultValue;
    return text;
}

// "ON <table> (" of an index's statement, the table's name bare or quoted;
// \1 and \2 keep what stands around the name.
QRegularExpression indexedTable(const QString& table)
{
    return QRegularExpression(
        QStringLiteral(R"((\bON\s+)(?:"%1"|\[%1\]|`%1`|%1)(\s*\())").arg(QRegularExpression::escape(table)),
        QRegularExpression::CaseInsensitiveOption);
}

} // namespace

QList<SqliteColumn> sqliteColumns(platform::DbConnection& connection, const QString& table)
{
    platform::DbRecordset rs = connection.execute(
        QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid"),
        {nameParameter(table)});
    if (rs.eof())
        throw platform::DbError(QStringLiteral("Cannot change the table %1").arg(table),
                                QStringLiteral("it does not exist"));
    QList<SqliteColumn> columns;
    for (; !rs.eof(); rs.moveNext())
        columns << SqliteColumn{rs.value(0).toString(), rs.value(1).toString(), rs.value(2).toInt() != 0,
                                rs.value(3).toString(), rs.value(4).toInt() != 0};
    return columns;
}

void rebuildSqliteTable(platform::DbConnection& connection, const QString& table, const QList<SqliteColumn>& columns,
                        const std::function<void()>& betweenChunks)
{
    platform::DbRecordset master = connection.execute(
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {nameParameter(table)});
    if (master.eof())
        throw platform::DbError(QStringLiteral("Cannot change the table %1").arg(table),
                                QStringLiteral("it does not exist"));
    const bool autoNumber = master.value(0).toString().contains(QStringLiteral("AUTOINCREMENT"), Qt::CaseInsensitive);

    QStringList definitions;
    QStringList names;
    for (const SqliteColumn& column : columns) {
        definitions << definition(column, autoNumber);
        names << platform::DbDialect::column(column.name);
    }
    platform::DbRecordset indexes = connection.execute(
        QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL"),
        {nameParameter(table)});
    platform::DbRecordset counter =
        autoNumber ? connection.execute(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"),
                                        {nameParameter(table)})
                   : platform::DbRecordset();

    const QString rebuilt = table + QStringLiteral("_rebuilt");
    const QString list = names.join(QStringLiteral(", "));
    connection.execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(rebuilt, definitions.join(QStringLiteral(", "))));
    // The indexes move to the new table before the rows, under their own
    // names, so that they grow with the copy rather than in one long
    // statement at its end; the rename below makes them the table's again.
    QStringList madeAfterCopy;
    for (; !indexes.eof(); indexes.moveNext()) {
        const QString sql = indexes.value(1).toString();
        QString onRebuilt = sql;
        onRebuilt.replace(indexedTable(table), QStringLiteral("\\1") + rebuilt + QStringLiteral("\\2"));
        if (onRebuilt == sql) {
            madeAfterCopy << sql; // not written as expected: made the plain way, after the copy
            continue;
        }
        connection.execute(
            QStringLiteral("DROP INDEX %1").arg(platform::DbDialect::column(indexes.value(0).toString())));
        connection.execute(onRebuilt);
    }
    runInRowidRanges(connection, table,
                     QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 WHERE %4 ORDER BY rowid")
                         .arg(rebuilt, list, table, QStringLiteral("%1")),
                     {}, betweenChunks);
    connection.execute(QStringLiteral("DROP TABLE %1").arg(table));
    connection.execute(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(rebuilt, table));
    for (const QString& sql : madeAfterCopy)
        connection.execute(sql);
    if (!counter.eof()) {
        // The copy leaves the counter at the highest key; keys handed out
        // once and deleted since are not handed out again.
        connection.execute(QStringLiteral("UPDATE sqlite_sequence SET seq = MAX(seq, ?) WHERE name = ?"),
                           {platform::DbParameter::fromValue(counter.value(0)), nameParameter(table)});
        connection.execute(
            QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT ?, ? WHERE NOT EXISTS "
                           "(SELECT 1 FROM sqlite_sequence WHERE name = ?)"),
            {nameParameter(table), platform::DbParameter::fromValue(counter.value(0)), nameParameter(table)});
    }
}

} // namespace results
