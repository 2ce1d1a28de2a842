#pragma once
// The station's start-up: builds the file paths, starts the log, creates or
// completes settings.ini and reads it, and loads the limits and warnings.

namespace modMain {

// Runs the start-up steps in order. Returns false when the program must end
// at once.
bool Main();

// Sets the path values of Globals from the data folder and the database
// paths from Globals::LocalDatabaseFolder.
void BuildFilePaths();
void BuildDatabasePaths();

} // namespace modMain
