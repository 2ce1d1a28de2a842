#pragma once
// Changes to columns of an SQLite table that SQLite cannot make in place (a
// new declared type, a default dropped): the table is made again under its
// own name with the changed columns, its rows copied over, its indexes made
// again and its autonumber counter kept, so that the next new key is the one
// it would have been. Runs inside the caller's transaction, so that a failure
// part-way leaves the table as it was once the caller rolls back.

#include "platform/DbConnection.h"

#include <QList>
#include <QString>

#include <functional>

// One column as the table's catalogue gives it.
namespace results {

struct SqliteColumn {
    QString name;
    QString type; // the declared type, e.g. "VARCHAR(250)"
    bool notNull = false;
    QString defaultValue; // the DEFAULT expression as written; empty for none
    bool key = false;     // the table's integer primary key
};

// The table's columns in their order. Throws platform::DbError, also for a
// table that does not exist.
QList<SqliteColumn> sqliteColumns(platform::DbConnection& connection, const QString& table);

// Makes the table again with the columns given: the same columns, in the
// same order, as sqliteColumns gave them, with their types, NOT NULL and
// defaults changed as the caller wants. The rows are copied a range of rows
// at a time, and betweenChunks (when given) runs between two ranges.
// Throws platform::DbError.
void rebuildSqliteTable(platform::DbConnection& connection, const QString& table, const QList<SqliteColumn>& columns,
                        const std::function<void()>& betweenChunks = {});

} // namespace results
