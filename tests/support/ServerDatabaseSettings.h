#pragma once
// Points the station's [Database] settings at a database on a server and
// makes the station's schema in it, as a new database has it.
//
// Header only: the programs that use it link the station's libraries.

#include "config/Settings.h"
#include "platform/DbConnection.h"
#include "results/ResultsSchema.h"

namespace testsupport {

inline void UseServerDatabase(const platform::DbServerAddress& a)
{
    Globals::UseLocalDatabase = false;
    Globals::SQLServerHost = a.host;
    Globals::SQLServerInstance = a.port > 0 ? QString::number(a.port) : QString();
    Globals::SQLServerDatabaseName = a.database;
    Globals::SQLUsername = a.user;
    Globals::SQLPassword = a.password;
    platform::DbConnection connection;
    connection.openServer(a);
    ResultsSchema::Create(connection, ResultsSchema::TemplateRevision);
}

} // namespace testsupport
