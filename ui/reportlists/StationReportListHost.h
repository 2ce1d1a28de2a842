#pragma once
// The station as the report list windows see it: the shared connection to
// the live database, the units of the main test window (none while there is
// no test window), its run, the main window's report actions, the archive
// job with the main frame's progress bar, and the main frame for the
// windows they open. Nothing here fails on its own.

#include "ui/reportlists/ReportListHost.h"

#include <memory>

namespace config {
struct StationSettings;
}
namespace results {
class ResultsDatabase;
}

namespace ui {

class StationWindows;

class StationReportListHost : public ReportListHost {
public:
    // settings, database and windows: the station's settings, its
    // connection and its windows, kept by reference.
    StationReportListHost(config::StationSettings& settings, results::ResultsDatabase& database,
                          StationWindows& windows);
    ~StationReportListHost() override;

    const config::StationSettings& settings() const override { return m_settings; }
    platform::DbConnection* liveDatabase() override;
    run::ConnectedUnitsMode unitsMode() const override;
    bool singleZamo24() const override;
    run::ReportActions& reports() override { return *m_reports; }
    DatabaseArchiving& archiving() override { return *m_archiving; }
    bool runActive() const override;
    void showWindow(QWidget* window) override;

private:
    config::StationSettings& m_settings;
    results::ResultsDatabase& m_database;
    StationWindows& m_windows;
    std::unique_ptr<run::ReportActions> m_reports;
    std::unique_ptr<DatabaseArchiving> m_archiving;
};

} // namespace ui
