#pragma once
// Points the station's [Database] settings at a database on a server and
// makes the station's schema in it, as a new database has it.
//
// Header only: the programs that use it link the station's libraries.

#include "config/DatabaseSettings.h"
#include "platform/DbConnection.h"
#include "results/ResultsSchema.h"

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

} // namespace testsupport
