#pragma once
// settings.ini [Database]: the local database file's folder or the server
// database and its login, and the record limit.

#include <QString>

namespace config {

struct DatabaseSettings {
    bool useLocalDatabase = true;                                // UseLocalDatabase
    QString localDatabaseFolder;                                 // LocalDatabaseFolder; empty until read
    QString serverHost;                                          // SQLServerHost
    QString serverInstance;                                      // SQLServerInstance
    QString serverDatabaseName = QStringLiteral("ZAMO_Results"); // SQLServerDatabaseName
    QString username;                                            // SQLUsername
    QString password;                                            // SQLPassword
    qint32 maxRecords = 100000;                                  // MaxRecords
};

} // namespace config
