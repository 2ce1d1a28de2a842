#include "results/WriterSupport.h"

#include "platform/DbError.h"
#include "results/ResultsDatabase.h"

namespace modDatabase {

using platform::DbParameter;
using platform::DbType;

platform::DbConnection* OpenedConnection()
{
    return OpenDatabase(false) ? SharedConnection() : nullptr;
}

qint32 NewKey(platform::DbConnection& connection)
{
    return connection.execute(QStringLiteral("SELECT @@IDENTITY as ID")).value(0).toInt();
}

DbParameter IntegerParam(const QString& name, qint64 value)
{
    return DbParameter{name, DbType::Integer, 0, QVariant(value)};
}

DbParameter DoubleParam(const QString& name, double value)
{
    return DbParameter{name, DbType::Double, 0, value};
}

DbParameter BooleanParam(const QString& name, bool value)
{
    return DbParameter{name, DbType::Boolean, 0, value};
}

DbParameter DateParam(const QString& name, const QDateTime& value)
{
    return DbParameter{name, DbType::Date, 0, value};
}

DbParameter TextParam(const QString& name, int size, const QString& value)
{
    return DbParameter{name, DbType::VarChar, size, value};
}

DbParameter LongTextParam(const QString& name, const QString& value)
{
    return DbParameter{name, DbType::LongVarChar, -1, value};
}

QString ChannelLetter(int channel)
{
    return QString(QChar(65 + channel));
}

QString ElectrodeColumnLetter(const QString& letter)
{
    if (letter.size() != 1 || letter.at(0) < QChar(u'A') || letter.at(0) > QChar(u'P'))
        throw platform::DbError(QStringLiteral("\"%1\" is not an electrode letter A to P").arg(letter));
    return letter;
}

} // namespace modDatabase
