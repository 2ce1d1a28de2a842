#pragma once
// The database checks of start-up: the local database file is made from the
// empty database the station carries when it is missing, and opened; the
// server database is opened. When the database cannot be used the operator
// is told and the program ends (start-up sees ProgramEnd::requested()).

#include "config/StationSettings.h"

// Both follow the [Database] settings and the database path of settings.
namespace app {

void openLocalDatabase(const config::StationSettings& settings);
void openSqlDatabase(const config::StationSettings& settings);

} // namespace app
