#pragma once
// The rows of one statement read forward, one row at a time, each field
// taken as the type the caller wants straight from the statement into the
// caller's own rows: nothing of the rows is kept beside them (DbRecordset
// keeps them all as values). For reads of many rows of a few known
// columns, such as one page of a list. The statement stays open on the
// connection until the reader goes (or has read past the last row).
//
// A field read without a current row (before the first next, after the
// last) or by an index that the statement does not give throws DbError, and
// so does a whole number that is not one or does not fit the type asked for
// (never cut to one it does not hold), and a row that cannot be read (the
// statement failed, or ran past the connection's time limit).

#include "platform/DbTimeLimit.h"
#include "platform/OleDate.h"
#include "platform/SteadyLocalDays.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>

namespace platform {

class DbRowReader {
public:
    // query: a statement that DbConnection has executed, forward only, just
    // now under the time limit given (nullptr: none).
    explicit DbRowReader(QSqlQuery query, std::shared_ptr<DbTimeLimit> limit = nullptr);
    DbRowReader(DbRowReader&&) = default;
    DbRowReader& operator=(DbRowReader&&) = default;

    // Moves to the next row; false (and the statement finished) after the
    // last. Throws DbError when the row cannot be read.
    bool next();
    // The number of rows, or -1 where the back end cannot tell before they
    // are read (SQLite).
    int size() const;

    bool isNull(int field) const;
    qint32 toInt(int field) const;   // 0 for Null
    qint64 toInt64(int field) const; // 0 for Null
    QString text(int field) const;   // "" for Null
    // A date field as DbRecordset::dateValue gives it (0 for Null).
    OleDate date(int field, SteadyLocalDays& days) const;

private:
    QVariant field(int index) const;

    // The whole number of a field, 0 for Null; throws DbError for anything
    // else and for a number outside [low, high].
    qint64 wholeNumber(int index, qint64 low, qint64 high) const;

    QSqlQuery m_query;
    std::shared_ptr<DbTimeLimit> m_limit;
    qint64 m_deadline = 0;
    int m_fields = 0;
    bool m_onRow = false;
};

} // namespace platform
