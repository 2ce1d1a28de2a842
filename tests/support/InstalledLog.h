#pragma once
// A log of the test's own, installed as the process's log sink for the life
// of the object, as the station installs its log. Its file is started only
// when the test says so (start, setPath).

#include "config/StationLog.h"

namespace testsupport {

class InstalledLog : public config::StationLog {
public:
    InstalledLog() { install(); }
};

} // namespace testsupport
