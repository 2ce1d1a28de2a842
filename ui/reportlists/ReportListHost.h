#pragma once
// What the report list windows need of the station: its settings, the live
// database, the connected units, the report actions (view, export), the
// archive job, whether a run is active, and a place for the new windows
// they open. The station's own host is StationReportListHost; tests put a
// recording double in its place.

#include "run/UnitMode.h"

class QWidget;

namespace config {
struct StationSettings;
}
namespace platform {
class DbConnection;
}
namespace run {
class ReportActions;
}

namespace ui {

class DatabaseArchiving;

class ReportListHost {
public:
    virtual ~ReportListHost() = default;

    // [Database] (local file or server, MaxRecords) and the archive folder,
    // read afresh at every use.
    virtual const config::StationSettings& settings() const = 0;
    // Opens the live database and gives its connection, or nullptr when it
    // cannot be opened (the opener tells the operator).
    virtual platform::DbConnection* liveDatabase() = 0;
    // The mode of the units connected now.
    virtual run::ConnectedUnitsMode unitsMode() const = 0;
    // True when unit 1 alone is connected and is a ZAMO2-4.
    virtual bool singleZamo24() const = 0;
    virtual run::ReportActions& reports() = 0;
    virtual DatabaseArchiving& archiving() = 0;
    // True while a run is going: the live database must not be archived.
    virtual bool runActive() const = 0;
    // Takes a new window (an archived database's list), shows it beside
    // the station's other windows and owns it from then on.
    virtual void showWindow(QWidget* window) = 0;
};

} // namespace ui
