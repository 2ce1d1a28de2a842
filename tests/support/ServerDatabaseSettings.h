#pragma once
// Points the station's [Database] settings at a database on a server and
// makes the station's schema in it, as a new database has it.
//
// Header only: the programs that use it link the station's libraries.

#include "config/DatabaseSettings.h"
#include "config/IniKeys.h"
#include "platform/DbConnection.h"
#include "results/ResultsSchema.h"

#include <QDir>

#include <map>

namespace testsupport {

inline void useServerDatabase(config::DatabaseSettings& database, const platform::DbServerAddress& a)
{
    database.useLocalDatabase = false;
    database.serverHost = a.host;
    database.serverInstance = a.port > 0 ? QString::number(a.port) : QString();
    database.serverDatabaseName = a.database;
    database.username = a.user;
    database.password = a.password;
    platform::DbConnection connection;
    connection.openServer(a);
    results::ResultsSchema::create(connection, results::ResultsSchema::TemplateRevision);
}

// The settings.ini in the data folder names the server database given,
// which is made with the station's schema at the current revision (an
// older one brings the update offer at start).
inline void pointStationAtServer(const QString& dataFolder, const platform::DbServerAddress& a)
{
    platform::DbConnection connection;
    connection.openServer(a);
    results::ResultsSchema::create(connection, results::ResultsSchema::CurrentRevision);
    const QString ini = dataFolder + "/settings.ini";
    QDir().mkpath(dataFolder);
    for (const auto& [key, value] : std::map<QString, QString>{{"UseLocalDatabase", "0"},
                                                               {"SQLServerHost", a.host},
                                                               {"SQLServerInstance", QString::number(a.port)},
                                                               {"SQLServerDatabaseName", a.database},
                                                               {"SQLUsername", a.user},
                                                               {"SQLPassword", a.password}})
        config::iniWrite("Database", key, value, ini);
}

} // namespace testsupport
