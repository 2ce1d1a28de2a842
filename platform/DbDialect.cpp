#include "platform/DbDialect.h"

#include "platform/SteadyLocalDays.h"

#include <QVariant>

#include <cmath>
#include <limits>
#include <optional>

namespace platform {

namespace {

const char* const kDateFormat = "yyyy-MM-dd hh:mm:ss";

// The number that the ASCII digits at text[from, from + count) spell, or -1
// when one of them is not an ASCII digit.
int digitsAt(const QString& text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The fixed date text read by hand as a local time, many times faster than
// the general parser; nullopt for anything that is not exactly the fixed
// form of a valid local date and time (a time in a daylight-saving gap
// included), which the general parser then decides.
std::optional<QDateTime> readFixedDateText(const QString& text)
{
    QDate date;
    QTime time;
    if (!DbDialect::readDateText(text, &date, &time))
        return std::nullopt;
    QDateTime value(date, time);
    if (!value.isValid() || value.date() != date || value.time() != time)
        return std::nullopt;
    return value;
}

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

bool DbDialect::readDateText(const QString& text, QDate* date, QTime* time)
{
    if (text.size() < 19 || text.at(4) != u'-' || text.at(7) != u'-' || text.at(10) != u' ' || text.at(13) != u':'
        || text.at(16) != u':')
        return false;
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const int second = digitsAt(text, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return false;
    *date = QDate(year, month, day);
    *time = QTime(hour, minute, second);
    return date->isValid() && time->isValid();
}

QDateTime DbDialect::parseDateText(const QString& text)
{
    if (std::optional<QDateTime> fixed = readFixedDateText(text))
        return *fixed;
    return QDateTime::fromString(text.left(19), QString::fromLatin1(kDateFormat));
}

namespace {

// The text of a value: a text value's own, without a copy of it; any other
// value's text, made in spare.
const QString& textOf(const QVariant& v, QString& spare)
{
    if (v.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(v.constData());
    spare = v.toString();
    return spare;
}

} // namespace

QDateTime DbDialect::dateTimeValue(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return QDateTime(dt.date(), dt.time());
    }
    QString spare;
    return parseDateText(textOf(v, spare));
}

OleDate DbDialect::dateValue(const QVariant& v, SteadyLocalDays& days)
{
    if (v.isNull())
        return {};
    QDate date;
    QTime time;
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        date = dt.date();
        time = dt.time();
    } else if (QString spare; !readDateText(textOf(v, spare), &date, &time)) {
        return OleDate::fromDateTime(dateTimeValue(v));
    }
    return days.contains(date) ? OleDate::fromDateAndTime(date, time) : OleDate::fromDateTime(dateTimeValue(v));
}

std::optional<qint64> DbDialect::wholeNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar: return v.toLongLong();
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        const qulonglong n = v.toULongLong();
        return n <= qulonglong(std::numeric_limits<qint64>::max()) ? std::optional<qint64>(qint64(n)) : std::nullopt;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        // 2^63 is the first double beyond 64 bits.
        const double d = v.toDouble();
        if (d != std::trunc(d) || !(d >= -9223372036854775808.0 && d < 9223372036854775808.0))
            return std::nullopt;
        return qint64(d);
    }
    case QMetaType::QString: {
        bool whole = false;
        const qint64 n = v.toString().trimmed().toLongLong(&whole);
        return whole ? std::optional<qint64>(n) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

} // namespace platform
