#include "ui/reportlists/StationReportListHost.h"

#include "results/ResultsDatabase.h"
#include "ui/common/MdiPlacement.h"
#include "ui/reportlists/StationDatabaseArchiving.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationReportActions.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindow.h"

namespace ui {

StationReportListHost::StationReportListHost(config::StationSettings& settings, results::ResultsDatabase& database)
    : m_settings(settings), m_database(database),
      m_reports(std::make_unique<TestWindowReportActions>(settings, [this] { return unitsMode(); })),
      m_archiving(std::make_unique<StationDatabaseArchiving>(settings, database))
{
}

StationReportListHost::~StationReportListHost() = default;

platform::DbConnection* StationReportListHost::liveDatabase()
{
    return m_database.openedConnection();
}

run::ConnectedUnitsMode StationReportListHost::unitsMode() const
{
    const TestWindowServices* window = StationWindows::testWindow();
    return window ? window->checkZAMOMode() : run::ConnectedUnitsMode::None;
}

bool StationReportListHost::singleZamo24() const
{
    const TestWindowServices* window = StationWindows::testWindow();
    return window && window->checkZAMO24();
}

bool StationReportListHost::runActive() const
{
    const auto* window = dynamic_cast<const TestWindow*>(StationWindows::testWindow());
    return window && window->testRunning();
}

void StationReportListHost::showWindow(QWidget* window)
{
    StationWindows::addToFrame(window);
    MdiChild::showAndRaise(window);
}

} // namespace ui
