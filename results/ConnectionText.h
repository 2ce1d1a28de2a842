#pragma once
// The database settings ([Database] keys) turned into what the connection
// needs, and into the text that the log shows (the password masked).

#include "config/DatabaseSettings.h"
#include "platform/DbConnection.h"

#include <QString>

namespace results {

namespace ConnectionDescription {

// The server address of the [Database] settings: SQLServerHost, a non-empty
// SQLServerInstance as the port, SQLServerDatabaseName, SQLUsername,
// SQLPassword; 10 s to connect. Throws platform::DbError when the instance
// is not a port number.
platform::DbServerAddress serverAddress(const config::DatabaseSettings& database);
// The same from values given in their place.
platform::DbServerAddress serverAddress(const QString& host, const QString& instance, const QString& database,
                                        const QString& user, const QString& password);

// "Data Source=<path>;Mode=Read" or ";Mode=ReadWrite".
QString localText(const QString& path, bool readOnly);
// "server=<host>[:<port>];database=<name>;uid=<user>;pwd=********;"
QString serverText(const config::DatabaseSettings& database);

} // namespace ConnectionDescription

} // namespace results
