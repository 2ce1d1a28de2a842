#include "app/StationDatabaseHost.h"

#include "app/DatabaseStartCheck.h"
#include "config/IniKeys.h"
#include "config/Log.h"
#include "platform/ProgramEnd.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "ui/database/UpkeepProgressWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/MainWindowsPlacement.h"
#include "ui/shell/StationWindows.h"

namespace app {

StationDatabaseHost::StationDatabaseHost(config::StationSettings& settings) : m_settings(settings) {}

StationDatabaseHost::~StationDatabaseHost() = default;

results::LocalDatabasePaths StationDatabaseHost::paths() const
{
    return results::LocalDatabasePaths{m_settings.database.localDatabaseFolder, m_settings.paths.databaseFile,
                                       m_settings.paths.archiveFolder};
}

void StationDatabaseHost::showMainWindows()
{
    ui::showMainWindows();
}

platform::DbConnection* StationDatabaseHost::openDatabase()
{
    return results::openDatabase(false) ? results::sharedConnection() : nullptr;
}

void StationDatabaseHost::closeDatabase()
{
    results::closeDatabase();
}

int StationDatabaseHost::databaseRevision(const QString& path)
{
    return results::getDBRevNumber(path);
}

bool StationDatabaseHost::writeEmptyDatabase(const QString& path, QString* why)
{
    return !results::buildEmptyDatabase(path, why).isEmpty();
}

results::UpkeepOutcome StationDatabaseHost::backUp(const results::LocalDatabasePaths& paths)
{
    return ui::UpkeepProgressWindow::backUp(paths.databaseFile, paths.archiveFolder,
                                            ui::StationWindows::existingFrame());
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
    app::showDatabaseOptions(m_settings);
}

void StationDatabaseHost::endProgram()
{
    ui::StationWindows::unloadApplication();
    // Whatever the windows did, the program ends here: start-up stops.
    platform::ProgramEnd::request(1);
}

void StationDatabaseHost::log(const QString& line)
{
    config::writeLog(line);
}

} // namespace app
