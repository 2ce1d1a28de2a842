#pragma once
// The station's start-up: builds the file paths, starts the log, creates or
// completes settings.ini and reads it, has the database checked, writes the
// report templates, loads the limits, the default selection and the
// standard test lists, and shows the main windows.

namespace app {
struct Station;
}

// Runs the start-up steps in order, reading settings.ini into the station's
// settings and opening its database. Returns false when
// the program must end at once: among others when settings.ini is there but
// cannot be read, which is shown to the operator before anything is written.
namespace app {

bool main(Station& station);

} // namespace app
