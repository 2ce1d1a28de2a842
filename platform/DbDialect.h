#pragma once
// What differs between the two database back ends, in one small table: the
// column types (autonumber key, Boolean, date), Boolean and date literals,
// row limits, and the spelling of names that the SQL of both needs alike
// (column names that start with a digit, index names unique per database).
//
// Dates are stored and bound as one fixed text, "yyyy-MM-dd hh:mm:ss", so
// that a date compares exactly on both back ends (the zero date
// 1899-12-30 00:00:00 included).

#include "platform/OleDate.h"

#include <QDateTime>
#include <QString>

#include <optional>

class QVariant;

namespace platform {

class SteadyLocalDays;

enum class DbBackend { SQLite, PostgreSQL };

struct DbDialect {
    DbBackend backend;
    const char* qtDriver;      // Qt SQL driver name
    const char* autoNumberKey; // type and constraint of an autonumber key column
    const char* longType;      // 32-bit integer
    const char* doubleType;
    const char* booleanType; // stored NOT NULL, with a default
    const char* dateType;
    const char* memoType; // text without a fixed width
    const char* trueLiteral;
    const char* falseLiteral;
    const char* dateLiteralPrefix;

    static const DbDialect& of(DbBackend backend);

    QString textType(int width) const;
    QString booleanLiteral(bool value) const;
    QString dateLiteral(const QDateTime& value) const;
    // " LIMIT n", to append to a SELECT in place of a leading TOP n.
    QString limit(int rows) const;

    // A column name as SQL text: quoted when it starts with a digit.
    static QString column(const QString& name);
    // An index name made unique within the database: "<table>_<index>".
    static QString indexName(const QString& table, const QString& index);

    // The fixed date text and back; an invalid date gives "" / an invalid value.
    static QString dateText(const QDateTime& value);
    static QDateTime parseDateText(const QString& text);
    // The date and time that the fixed date text spells, as they read,
    // without the time zone (parseDateText makes them a local time); false
    // for anything that is not exactly the fixed form of a valid date and
    // time.
    static bool readDateText(const QString& text, QDate* date, QTime* time);
    // A date field's value, whether the back end gives a date or the fixed
    // date text, as a local date and time (invalid when Null), and as a
    // date value (0 when Null): a date of a steady local day is taken as it
    // reads, without a QDateTime, which asks the time zone for every date.
    static QDateTime dateTimeValue(const QVariant& value);
    static OleDate dateValue(const QVariant& value, SteadyLocalDays& days);
    // A whole-number field's value exactly as stored: an integer, a real
    // without a fraction, or the text of a whole number. Empty for Null and
    // for anything else (a fraction, a number beyond 64 bits, other text),
    // which is never cut or rounded to a number it does not hold.
    static std::optional<qint64> wholeNumber(const QVariant& value);
};

} // namespace platform
