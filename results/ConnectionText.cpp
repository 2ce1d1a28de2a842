#include "results/ConnectionText.h"

#include "config/Settings.h"
#include "platform/DbError.h"

namespace ConnectionDescription {

platform::DbServerAddress ServerAddress()
{
    platform::DbServerAddress address;
    address.host = Globals::SQLServerHost.trimmed();
    const QString instance = Globals::SQLServerInstance.trimmed();
    if (!instance.isEmpty()) {
        bool ok = false;
        address.port = instance.toInt(&ok);
        if (!ok || address.port < 1 || address.port > 65535)
            throw platform::DbError(
                QStringLiteral("SQLServerInstance \"%1\" is not a port number (1 to 65535)").arg(instance));
    }
    address.database = Globals::SQLServerDatabaseName;
    address.user = Globals::SQLUsername;
    address.password = Globals::SQLPassword;
    address.connectTimeoutSeconds = 10;
    return address;
}

QString LocalText(const QString& path, bool readOnly)
{
    return QStringLiteral("Data Source=") + path + QStringLiteral(";Mode=")
           + (readOnly ? QStringLiteral("Read") : QStringLiteral("ReadWrite"));
}

QString ServerText()
{
    const QString instance = Globals::SQLServerInstance.trimmed();
    return QStringLiteral("server=") + Globals::SQLServerHost
           + (instance.isEmpty() ? QString() : QStringLiteral(":") + instance)
           + QStringLiteral(";database=") + Globals::SQLServerDatabaseName + QStringLiteral(";uid=")
           + Globals::SQLUsername + QStringLiteral(";pwd=")
           + (Globals::SQLPassword.isEmpty() ? QString() : QStringLiteral("********")) + QStringLiteral(";");
}

} // namespace ConnectionDescription
