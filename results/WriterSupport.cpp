#include "results/WriterSupport.h"

#include "config/Log.h"
#include "platform/DbError.h"

namespace results {

using platform::DbParameter;
using platform::DbType;

qint32 newKey(platform::DbConnection& connection)
{
    return connection.execute(QStringLiteral("SELECT @@IDENTITY as ID")).value(0).toInt();
}

platform::DbParameter integerParam(const QString& name, qint64 value)
{
    return platform::DbParameter{name, platform::DbType::Integer, 0, QVariant(value)};
}

platform::DbParameter doubleParam(const QString& name, double value)
{
    return platform::DbParameter{name, platform::DbType::Double, 0, value};
}

platform::DbParameter booleanParam(const QString& name, bool value)
{
    return platform::DbParameter{name, platform::DbType::Boolean, 0, value};
}

platform::DbParameter dateParam(const QString& name, const QDateTime& value)
{
    return platform::DbParameter{name, platform::DbType::Date, 0, value};
}

platform::DbParameter textParam(const QString& name, int size, const QString& value)
{
    return platform::DbParameter{name, platform::DbType::VarChar, size, value};
}

platform::DbParameter longTextParam(const QString& name, const QString& value)
{
    return platform::DbParameter{name, platform::DbType::LongVarChar, -1, value};
}

QString channelLetter(int channel)
{
    return QString(QChar(65 + channel));
}

QString electrodeColumnLetter(const QString& letter)
{
    if (letter.size() != 1 || letter.at(0) < QChar(u'A') || letter.at(0) > QChar(u'P'))
        throw platform::DbError(QStringLiteral("\"%1\" is not an electrode letter A to P").arg(letter));
    return letter;
}

bool hasOwner(qint32 ownerKey, const QString& row, const QString& owner)
{
    if (ownerKey > 0)
        return true;
    config::writeLog(row + QStringLiteral(" not recorded: it belongs to no ") + owner);
    return false;
}

} // namespace results
