#include "results/ConnectionText.h"

#include "platform/DbError.h"

namespace results {

namespace ConnectionDescription {

platform::DbServerAddress serverAddress(const config::DatabaseSettings& database)
{
    return serverAddress(database.serverHost, database.serverInstance, database.serverDatabaseName, database.username,
                         database.password);
}

platform::DbServerAddress serverAddress(const QString& host, const QString& instanceText, const QString& database,
                                        const QString& user, const QString& password)
{
    platform::DbServerAddress address;
    address.host = host.trimmed();
    const QString instance = instanceText.trimmed();
    if (!instance.isEmpty()) {
        bool ok = false;
        address.port = instance.toInt(&ok);
        if (!ok || address.port < 1 || address.port > 65535)
            throw platform::DbError(
                QStringLiteral("SQLServerInstance \"%1\" is not a port number (1 to 65535)").arg(instance));
    }
    address.database = database;
    address.user = user;
    address.password = password;
    address.connectTimeoutSeconds = 10;
    return address;
}

QString localText(const QString& path, bool readOnly)
{
    return QStringLiteral("Data Source=") + path + QStringLiteral(";Mode=")
           + (readOnly ? QStringLiteral("Read") : QStringLiteral("ReadWrite"));
}

QString serverText(const config::DatabaseSettings& database)
{
    const QString instance = database.serverInstance.trimmed();
    return QStringLiteral("server=") + database.serverHost
           + (instance.isEmpty() ? QString() : QStringLiteral(":") + instance) + QStringLiteral(";database=")
           + database.serverDatabaseName + QStringLiteral(";uid=") + database.username + QStringLiteral(";pwd=")
           + (database.password.isEmpty() ? QString() : QStringLiteral("********")) + QStringLiteral(";");
}

} // namespace ConnectionDescription

} // namespace results
