#pragma once
// The station's side of the database checks (results::DatabaseStartupHost):
// the station's connection on its settings, the main windows, the
// backup and upgrade progress windows, the database options window, the
// station's log and settings.ini, and the end of the program (start-up sees
// ProgramEnd::requested()). It changes the settings it is given in place
// when the checks move the database to the default folder.

#include "config/StationSettings.h"
#include "results/DatabaseStartupCheck.h"

#include <memory>

namespace ui {
class UpkeepProgressWindow;
}

namespace app {

struct Station;

class StationDatabaseHost : public results::DatabaseStartupHost {
public:
    explicit StationDatabaseHost(Station& station);
    ~StationDatabaseHost() override;

    // The database file of the settings with its folders.
    results::LocalDatabasePaths paths() const;

    void showMainWindows() override;
    platform::DbConnection* openDatabase() override;
    void closeDatabase() override;
    int databaseRevision(const QString& path) override;
    bool writeEmptyDatabase(const QString& path, QString* why) override;
    results::UpkeepOutcome backUp(const results::LocalDatabasePaths& paths) override;
    results::SchemaUpgradeObserver& upgradeWindow() override;
    void useDatabaseFolder(const results::LocalDatabasePaths& paths) override;
    void showDatabaseOptions() override;
    void endProgram() override;
    void log(const QString& line) override;

private:
    Station& m_station;
    config::StationSettings& m_settings;
    std::unique_ptr<ui::UpkeepProgressWindow> m_upgradeWindow;
};

} // namespace app
