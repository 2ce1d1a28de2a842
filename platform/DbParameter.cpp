#include "platform/DbParameter.h"

#include "platform/DbError.h"
#include "platform/OleDate.h"

#include <QDate>

namespace platform {

namespace {

[[noreturn]] void refuse(const DbParameter& p, const QString& why)
{
    throw DbError(QStringLiteral("Parameter %1 (%2): %3")
                      .arg(p.name.isEmpty() ? QStringLiteral("?") : p.name)
                      .arg(static_cast<int>(p.type))
                      .arg(why));
}

QDateTime toDateTime(const DbParameter& p)
{
    const QVariant& v = p.value;
    switch (v.typeId()) {
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        const QDateTime parsed = DbDialect::parseDateText(v.toString());
        if (parsed.isValid())
            return parsed;
        break;
    }
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong: return OleDate(v.toDouble()).toDateTime();
    default: break;
    }
    refuse(p, QStringLiteral("\"%1\" is not a date").arg(v.toString()));
}

} // namespace

DbParameter DbParameter::fromValue(const QVariant& value)
{
    DbType type = DbType::LongVarChar;
    switch (value.typeId()) {
    case QMetaType::Bool: type = DbType::Boolean; break;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort: type = DbType::Integer; break;
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Double:
    case QMetaType::Float: type = DbType::Double; break;
    case QMetaType::QDate:
    case QMetaType::QDateTime: type = DbType::Date; break;
    default: break;
    }
    return DbParameter{QString(), type, -1, value};
}

QVariant DbParameter::boundValue(const DbDialect& dialect) const
{
    if (value.isNull()) {
        return QVariant();
    }
    bool ok = true;
    switch (type) {
    case DbType::Integer: {
        const qlonglong n = value.toLongLong(&ok);
        if (!ok || n < INT32_MIN || n > INT32_MAX)
            refuse(*this, QStringLiteral("\"%1\" is not a 32-bit integer").arg(value.toString()));
        return QVariant(static_cast<int>(n));
    }
    case DbType::Double: {
        const double d = value.toDouble(&ok);
        if (!ok)
            refuse(*this, QStringLiteral("\"%1\" is not a number").arg(value.toString()));
        return QVariant(d);
    }
    case DbType::Date: return QVariant(DbDialect::dateText(toDateTime(*this)));
    case DbType::Boolean: {
        const bool b = value.toBool();
        if (dialect.backend == DbBackend::SQLite)
            return QVariant(b ? 1 : 0);
        return QVariant(b);
    }
    case DbType::Char:
    case DbType::VarChar:
    case DbType::LongVarChar: {
        const QString text = value.toString();
        if (size > 0 && text.size() > size)
            refuse(*this, QStringLiteral("a text of %1 characters is longer than %2").arg(text.size()).arg(size));
        return QVariant(text);
    }
    }
    refuse(*this, QStringLiteral("unknown type"));
}

} // namespace platform
