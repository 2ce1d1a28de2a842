#include "ui/reportlists/StationReportListHost.h"

#include "results/ResultsDatabase.h"
#include "ui/common/MdiPlacement.h"
#include "ui/reportlists/StationDatabaseArchiving.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationReportActions.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindow.h"

namespace ui {

StationReportListHost::StationReportListHost(config::StationSettings& settings, results::ResultsDatabase& database,
                                             StationWindows& windows)
    : m_settings(settings),
      m_database(database),
      m_windows(windows),
      m_reports(std::make_unique<TestWindowReportActions>(settings, windows, [this] { return unitsMode(); })),
      m_archiving(std::make_unique<StationDatabaseArchiving>(settings, database, windows))
{
}

StationReportListHost::~StationReportListHost() = default;

platform::DbConnection* StationReportListHost::liveDatabase()
{
    return m_database.openedConnection();
}

run::ConnectedUnitsMode StationReportListHost::unitsMode() const
{
    const TestWindowServices* window = m_windows.testWindow();
    return window ? window->checkZAMOMode() : run::ConnectedUnitsMode::None;
}

bool StationReportListHost::singleZamo24() const
{
    const TestWindowServices* window = m_windows.testWindow();
    return window && window->checkZAMO24();
}

bool StationReportListHost::runActive() const
{
    const auto* window = dynamic_cast<const TestWindow*>(m_windows.testWindow());
    return window && window->testRunning();
}

void StationReportListHost::showWindow(QWidget* window)
{
    m_windows.addToFrame(window);
    MdiChild::showAndRaise(window);
}

} // namespace ui
