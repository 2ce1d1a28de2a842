#pragma once
// The station's start-up: builds the file paths, starts the log, creates or
// completes settings.ini and reads it, has the database checked, writes the
// report templates, loads the limits, the default selection and the
// standard test lists, and shows the main windows.

namespace modMain {

// Runs the start-up steps in order. Returns false when the program must end
// at once: among others when settings.ini is there but cannot be read, which
// is shown to the operator before anything is written.
bool Main();

// True when the windows can be made (the widget application exists).
bool InitCommonControls();

// Sets the path values of Globals from the data folder and the database
// paths from Globals::LocalDatabaseFolder.
void BuildFilePaths();
void BuildDatabasePaths();

} // namespace modMain
