#pragma once
// What the whole station shares, in one place: the settings read at
// start-up, the connection to the results database, the ends of its test
// groups, and the test lists with the default electrode selection. The
// program's main() builds one, after the application object and before any
// window, and hands its parts down by reference; nothing below app/ keeps a
// copy or a pointer of its own. Its parts go in the reverse of
// their order here, the connection before the application object.

#include "config/StationSettings.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "testlists/StationTestLists.h"

namespace app {

struct Station {
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    results::TestGroupEnd groupEnds{database};
    testlists::StationTestLists testLists;
};

} // namespace app
