#include "ui/reportlists/StationDatabaseArchiving.h"

#include "config/StationSettings.h"
#include "ui/database/UpkeepProgressWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

namespace ui {

StationDatabaseArchiving::StationDatabaseArchiving(const config::StationSettings& settings,
                                                   results::ResultsDatabase& database)
    : m_settings(settings), m_database(database)
{
}

void StationDatabaseArchiving::archiveDatabase()
{
    UpkeepProgressWindow::archive(m_database, m_settings.paths.databaseFile, m_settings.paths.archiveFolder,
                                  StationWindows::existingFrame());
}

} // namespace ui
