#pragma once
// Everything the station reads from settings.ini at start-up, one struct
// per section, with the station's paths and program switches. One instance
// is owned by the program's start-up assembly and handed by reference to
// the components that need it; there is no other copy and no accessor.

#include "config/AclgSettings.h"
#include "config/DatabaseSettings.h"
#include "config/DiagnosticsSettings.h"
#include "config/KeepAliveSettings.h"
#include "config/Limits.h"
#include "config/PaceSettings.h"
#include "config/ProgramSwitches.h"
#include "config/ReportSettings.h"
#include "config/SignalGeneratorSettings.h"
#include "config/StationPaths.h"
#include "config/Zamo80Delays.h"

namespace config {

struct StationSettings {
    StationPaths paths;
    ProgramSwitches switches;
    Zamo80Delays zamo80Delays;
    ReportSettings reports;
    DatabaseSettings database;
    KeepAliveSettings keepAlive;
    AclgSettings aclg;
    PaceSettings pace;
    SignalGeneratorSettings signalGenerator;
    DiagnosticsSettings diagnostics;
    Limits limits;
};

} // namespace config
