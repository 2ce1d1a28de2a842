#pragma once
// The results database at its current revision: every table with its
// columns, indexes and defaults, and the fixed rows that every database
// holds. One definition, rendered as the creation script of each back end.
// Relationships between the tables are not enforced by the database.

#include "platform/DbConnection.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace results {

namespace ResultsSchema {

// The schema revision that the tables below stand for.
constexpr int CurrentRevision = 15;
// The revision number that a new, empty database file carries; the start-up
// check raises it to CurrentRevision.
constexpr int TemplateRevision = 14;

enum class ColumnType { AutoNumber, Long, Double, Boolean, DateTime, Text, Memo };

// One column of a table.
struct Column {
    QString name;
    ColumnType type;
    int width = 0;           // Text only
    bool defaultYes = false; // Boolean only: the default is Yes (else No)
};

// One index of a table, on one column.
struct Index {
    QString name; // the name within its table
    QString column;
    bool unique = false;
};

// One table: its columns and indexes.
struct Table {
    QString name;
    QList<Column> columns; // the autonumber key first
    QList<Index> indexes;  // besides the primary key
};

const QList<Table>& tables();

// The column's type and constraints as the back end's SQL names them
// ("VARCHAR(250)", "BOOLEAN NOT NULL DEFAULT 0", ...).
QString columnSqlType(platform::DbBackend backend, const Column& column);
// The CREATE TABLE statement of one table and the CREATE INDEX statements of
// its indexes.
QStringList tableScript(platform::DbBackend backend, const Table& table);
// CREATE TABLE and CREATE INDEX statements for the back end.
QStringList creationScript(platform::DbBackend backend);

// Creates every table and index and writes the fixed rows (test types, the
// Globals row, the Version row with the given revision), all in one
// transaction. Throws platform::DbError.
void create(platform::DbConnection& connection, int revision);

// The schema revision of the database on the connection: DBRevNumber of the
// Version row. Throws platform::DbError when it cannot be read: no such row,
// or a value that is not a 32-bit whole number, as no station wrote, which
// is never cut to a revision it is not.
qint32 readRevision(platform::DbConnection& connection);

} // namespace ResultsSchema

} // namespace results
