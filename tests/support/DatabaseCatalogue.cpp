#include "support/DatabaseCatalogue.h"

#include "platform/DbError.h"

#include <QStringList>

namespace testsupport {

using platform::DbParameter;

namespace {

QString rows(platform::DbConnection& db, const QString& sql, const QList<platform::DbParameter>& params = {})
{
    return db.execute(sql, params).getString(QStringLiteral("|"), QStringLiteral("\n"), QStringLiteral("<null>"));
}

// The rows, or a note that the table is not there (an old revision).
QString fixedRows(platform::DbConnection& db, const QString& sql)
{
    try {
        return rows(db, sql);
    } catch (const platform::DbError&) {
        return QStringLiteral("(none: ") + sql + QStringLiteral(")\n");
    }
}

QString sqliteShape(platform::DbConnection& db)
{
    QString text;
    platform::DbRecordset tables = db.execute(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    for (; !tables.eof(); tables.moveNext()) {
        const QString table = tables.value(0).toString();
        const platform::DbParameter name = platform::DbParameter::fromValue(table);
        text += QStringLiteral("table %1%2\n")
                    .arg(table, tables.value(1).toString().contains(QStringLiteral("AUTOINCREMENT"))
                                    ? QStringLiteral(" (autonumber key)")
                                    : QString());
        text += rows(db,
                     QStringLiteral("SELECT cid, name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) "
                                    "ORDER BY cid"),
                     {name});
        text += rows(db,
                     QStringLiteral("SELECT l.name, l.\"unique\", i.name FROM pragma_index_list(?) l, "
                                    "pragma_index_info(l.name) i WHERE l.origin = 'c' ORDER BY l.name, i.seqno"),
                     {name});
    }
    return text;
}

QString serverShape(platform::DbConnection& db)
{
    return rows(db, QStringLiteral("SELECT table_name, ordinal_position, column_name, data_type, "
                                   "character_maximum_length, datetime_precision, is_nullable, column_default "
                                   "FROM information_schema.columns WHERE table_schema = current_schema() "
                                   "ORDER BY table_name, ordinal_position"))
           + rows(db, QStringLiteral("SELECT tablename, indexname, indexdef FROM pg_indexes "
                                     "WHERE schemaname = current_schema() ORDER BY tablename, indexname"));
}

} // namespace

QString databaseCatalogue(platform::DbConnection& db)
{
    return (db.backend() == platform::DbBackend::SQLite ? sqliteShape(db) : serverShape(db))
           + QStringLiteral("fixed rows\n") + fixedRows(db, QStringLiteral("SELECT * FROM TestTypes ORDER BY TypeID"))
           + fixedRows(db, QStringLiteral("SELECT ID FROM Globals ORDER BY ID"))
           + fixedRows(db, QStringLiteral("SELECT * FROM Version ORDER BY ID"));
}

} // namespace testsupport
