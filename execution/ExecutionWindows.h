#pragma once
// The test execution's windows in the station: the main test window on
// the two unit links, handed to the main frame as its main test window.

namespace ExecutionWindows {

// Registers the factory that builds the main test window on first use: its
// unit links wired to it, the frame's items attached, the editors and the
// database connection hooked up, and the window loaded.
void InstallMainForm();

} // namespace ExecutionWindows
