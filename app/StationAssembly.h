#pragma once
// The test execution's windows in the station: the main test window on
// the two unit links with its pre-test details window, the calibration and
// service panel on its unit 1, and the active-lot window, handed to the
// main frame.

namespace app {

struct Station;

namespace ExecutionWindows {

// Registers the factory that builds the main test window on first use, on
// the station (kept by reference: the caller keeps it for the program's
// life): its unit links wired to it, the frame's items attached,
// the editors, the calibration and service panel ("System Calibration") and
// the database connection hooked up, and the window loaded.
// Registers the active-lot window's factory as well.
void installMainForm(Station& station);

} // namespace ExecutionWindows

} // namespace app
