#pragma once
// What the whole station shares, in one place: its log, the settings read
// at start-up, the connection to the results database, the ends of its test
// groups, the test lists with the default electrode selection, and its
// windows. The program's main() builds one, after the application object
// and before any window, and hands its parts down by reference; nothing
// below app/ keeps a copy or a pointer of its own, but for the log sink that
// writeLog goes to (config/StationLog.cpp). Its parts go in the reverse of
// their order here: the windows first (the test window lets go of the test
// lists as it goes), the connection before the application object and the
// log last, after every line its parts write.

#include "config/StationLog.h"
#include "config/StationSettings.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "testlists/StationTestLists.h"
#include "ui/shell/StationWindows.h"

namespace app {

struct Station {
    config::StationLog log; // installed as the process's log sink by app::main
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    results::TestGroupEnd groupEnds{database};
    testlists::StationTestLists testLists;
    ui::StationWindows windows{settings, database};
};

} // namespace app
