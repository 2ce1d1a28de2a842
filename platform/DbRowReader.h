#pragma once
// The rows of one statement read forward, one row at a time, each field
// taken as the type the caller wants straight from the statement into the
// caller's own rows: nothing of the rows is kept beside them (DbRecordset
// keeps them all as values). For reads of many rows of a few known
// columns, such as one page of a list. The statement stays open on the
// connection until the reader goes (or has read past the last row).
//
// A field read without a current row (before the first next, after the
// last) or by an index that the statement does not give throws DbError.

#include "platform/OleDate.h"
#include "platform/SteadyLocalDays.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace platform {

class DbRowReader {
public:
    // query: a statement that DbConnection has executed, forward only.
    explicit DbRowReader(QSqlQuery query);
    DbRowReader(DbRowReader&&) = default;
    DbRowReader& operator=(DbRowReader&&) = default;

    // Moves to the next row; false (and the statement finished) after the last.
    bool next();
    // The number of rows, or -1 where the back end cannot tell before they
    // are read (SQLite).
    int size() const;

    bool isNull(int field) const;
    qint32 toInt(int field) const; // 0 for Null
    QString text(int field) const; // "" for Null
    // A date field as DbRecordset::dateValue gives it (0 for Null).
    OleDate date(int field, SteadyLocalDays& days) const;

private:
    QVariant field(int index) const;

    QSqlQuery m_query;
    int m_fields = 0;
    bool m_onRow = false;
};

} // namespace platform
