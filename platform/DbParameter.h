#pragma once
// One positional parameter of a statement: each "?" of the statement text
// takes the next parameter, in order. The name is a label only. A text is
// refused when it is longer than the parameter's size (a size of -1 or 0
// means no limit), as the columns it goes to are that wide.

#include "platform/DbDialect.h"

#include <QString>
#include <QVariant>

// The type codes the station uses for its parameters.
namespace platform {

enum class DbType {
    Integer = 3, // 32-bit signed integer
    Double = 5,
    Date = 7, // QDateTime, QDate, fixed date text, or days since 1899-12-30
    Boolean = 11,
    Char = 129,        // text of a fixed width
    VarChar = 200,     // text up to the column's width
    LongVarChar = 201, // text without a width (size -1)
};

struct DbParameter {
    QString name;
    DbType type = DbType::VarChar;
    int size = -1;
    QVariant value; // a null QVariant stores Null

    // A parameter whose type follows the value's own type (texts unlimited).
    static DbParameter fromValue(const QVariant& value);

    // The value as the back end takes it. Throws DbError when the value does
    // not fit the type or a text is longer than the size.
    QVariant boundValue(const DbDialect& dialect) const;
};

} // namespace platform
