#pragma once
// The database checks of start-up: the local database file is made from the
// empty database the station carries when it is missing, and opened; the
// server database is opened. When the database cannot be used the operator
// is told and the program ends (start-up sees ProgramEnd::Requested()).

namespace modMain {

void OpenLocalDatabase(bool isRetry);
void OpenSqlDatabase();

} // namespace modMain
