#include "app/StationDatabaseHost.h"

#include "app/DatabaseStartCheck.h"
#include "app/Station.h"
#include "config/IniKeys.h"
#include "config/Log.h"
#include "platform/ProgramEnd.h"
#include "results/EmptyDatabase.h"
#include "ui/database/UpkeepProgressWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/MainWindowsPlacement.h"
#include "ui/shell/StationWindows.h"

namespace app {

StationDatabaseHost::StationDatabaseHost(Station& station) : m_station(station), m_settings(station.settings) {}

StationDatabaseHost::~StationDatabaseHost() = default;

results::LocalDatabasePaths StationDatabaseHost::paths() const
{
    return results::LocalDatabasePaths{m_settings.database.localDatabaseFolder, m_settings.paths.databaseFile,
                                       m_settings.paths.archiveFolder};
}

void StationDatabaseHost::showMainWindows()
{
    ui::showMainWindows(m_station.windows);
}

platform::DbConnection* StationDatabaseHost::openDatabase()
{
    return m_station.database.openedConnection();
}

void StationDatabaseHost::closeDatabase()
{
    m_station.database.closeDatabase();
}

int StationDatabaseHost::databaseRevision(const QString& path)
{
    return m_station.database.getDBRevNumber(path);
}

bool StationDatabaseHost::writeEmptyDatabase(const QString& path, QString* why)
{
    return !results::buildEmptyDatabase(path, why).isEmpty();
}

results::UpkeepOutcome StationDatabaseHost::backUp(const results::LocalDatabasePaths& paths)
{
    return ui::UpkeepProgressWindow::backUp(m_station.database, paths.databaseFile, paths.archiveFolder,
                                            m_station.windows.existingFrame());
}

results::SchemaUpgradeObserver& StationDatabaseHost::upgradeWindow()
{
    if (!m_upgradeWindow)
        m_upgradeWindow = std::make_unique<ui::UpkeepProgressWindow>(ui::UpkeepProgressWindow::Job::Upgrade);
    return *m_upgradeWindow;
}

void StationDatabaseHost::useDatabaseFolder(const results::LocalDatabasePaths& paths)
{
    m_settings.database.localDatabaseFolder = paths.folder;
    config::iniWrite(QStringLiteral("Database"), QStringLiteral("LocalDatabaseFolder"), paths.folder,
                     m_settings.paths.settingsFile);
    m_settings.paths.placeDatabase(paths.folder);
}

void StationDatabaseHost::showDatabaseOptions()
{
    app::showDatabaseOptions(m_station);
}

void StationDatabaseHost::endProgram()
{
    m_station.windows.unloadApplication();
    // Whatever the windows did, the program ends here: start-up stops.
    platform::ProgramEnd::request(1);
}

void StationDatabaseHost::log(const QString& line)
{
    config::writeLog(line);
}

} // namespace app
