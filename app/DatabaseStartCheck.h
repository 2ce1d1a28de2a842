#pragma once
// The database checks of the station, at start-up and after the database
// options saved new settings (results::DatabaseStartupCheck on the station's
// side, app::StationDatabaseHost): the local database file is made, backed
// up and raised, or replaced with its old file kept; the server database is
// checked and offered its update. When the database cannot be used the
// operator is told and the program ends (start-up sees
// ProgramEnd::requested()).

namespace app {

struct Station;

// The check of the kind the station's [Database] settings name. startingUp:
// the main windows are shown first. The settings change in place when the
// operator falls back to the default data folder.
void checkDatabase(Station& station, bool startingUp);

// The database options window, modal; its "Save" runs checkDatabase again.
void showDatabaseOptions(Station& station);

// The frame's "Database Options..." opens the window on the station (kept
// by reference for the program's life).
void installDatabaseOptions(Station& station);

} // namespace app
