#include "ui/reportlists/StationDatabaseArchiving.h"

#include "config/StationSettings.h"
#include "ui/database/UpkeepProgressWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

namespace ui {

StationDatabaseArchiving::StationDatabaseArchiving(const config::StationSettings& settings,
                                                   results::ResultsDatabase& database, StationWindows& windows)
    : m_settings(settings), m_database(database), m_windows(windows)
{
}

void StationDatabaseArchiving::archiveDatabase()
{
    UpkeepProgressWindow::archive(m_database, m_settings.paths.databaseFile, m_settings.paths.archiveFolder,
                                  m_windows.existingFrame());
}

} // namespace ui
