#pragma once
// The database checks of the station, at start-up and after the database
// options saved new settings (results::DatabaseStartupCheck on the station's
// side, app::StationDatabaseHost): the local database file is made, backed
// up and raised, or replaced with its old file kept; the server database is
// checked and offered its update. When the database cannot be used the
// operator is told and the program ends (start-up sees
// ProgramEnd::requested()).

#include "config/StationSettings.h"

namespace app {

// The check of the kind the [Database] settings name. startingUp: the main
// windows are shown first. The settings change in place when the operator
// falls back to the default data folder.
void checkDatabase(config::StationSettings& settings, bool startingUp);

// The database options window, modal; its "Save" runs checkDatabase again.
void showDatabaseOptions(config::StationSettings& settings);

// The frame's "Database Options..." opens the window on these settings (kept
// by reference for the program's life).
void installDatabaseOptions(config::StationSettings& settings);

} // namespace app
