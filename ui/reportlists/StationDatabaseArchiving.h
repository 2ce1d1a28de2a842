#pragma once
// The archive of the station's live local database file, as the report list
// window starts it: the archive in its progress window
// (UpkeepProgressWindow::archive), which closes the shared connection first
// (the next database call opens the new file), moves the file into the
// archive folder and puts an empty one in its place, logging each step. A
// job that fails leaves the live file as it was and is told to the operator
// with its cause.

#include "ui/reportlists/DatabaseArchiving.h"

namespace config {
struct StationSettings;
}
namespace results {
class ResultsDatabase;
}

namespace ui {

class StationWindows;

class StationDatabaseArchiving : public DatabaseArchiving {
public:
    // settings: the station's (the live file and its archive folder), its
    // connection, and its windows (the progress window shows over their
    // frame); all kept by reference.
    StationDatabaseArchiving(const config::StationSettings& settings, results::ResultsDatabase& database,
                             StationWindows& windows);

    void archiveDatabase() override;

private:
    const config::StationSettings& m_settings;
    results::ResultsDatabase& m_database;
    StationWindows& m_windows;
};

} // namespace ui
