#pragma once
// Hands the report windows to the main frame's Reports menu: "Report
// Viewer" shows the one live report list window (built on first use and
// loaded anew each time it is shown after the operator closed it; a window
// that is open is only raised), and "Configure Report Actions" opens the
// report actions window modally.

namespace config {
struct StationSettings;
}
namespace results {
class ResultsDatabase;
}

namespace ui {

class ReportListWindow;
class StationWindows;

// settings and database: the station's settings and connection; windows:
// the station's windows, which keep the openers, the report list window and
// what it needs. All kept by reference.
void installReportListOpeners(StationWindows& windows, config::StationSettings& settings,
                              results::ResultsDatabase& database);

// The live report list window of the windows; nullptr until the menu first
// showed it.
ReportListWindow* liveReportListWindow(const StationWindows& windows);

} // namespace ui
