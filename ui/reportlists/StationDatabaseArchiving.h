#pragma once
// The archive of the station's live local database file, as the report list
// window starts it: the shared connection is closed (the next database call
// opens the new file), the file moves into the archive folder and an empty
// one takes its place (results::DatabaseArchive, which logs each step). The
// progress goes to the given bar, and the message loop runs between the
// steps. A job that fails leaves the live file as it was and is told to the
// operator with its cause.

#include "ui/reportlists/DatabaseArchiving.h"

#include <functional>

namespace config {
struct StationSettings;
}

namespace ui {

class StationDatabaseArchiving : public DatabaseArchiving {
public:
    // Shows the job's progress, 0..100.
    using ProgressBar = std::function<void(int value)>;

    // settings: the station's (the live file and its archive folder), kept
    // by reference.
    StationDatabaseArchiving(const config::StationSettings& settings, ProgressBar progress);

    void archiveDatabase() override;

private:
    const config::StationSettings& m_settings;
    ProgressBar m_progress;
};

} // namespace ui
