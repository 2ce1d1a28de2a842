#include "ui/reportlists/ReportListOpeners.h"

#include "ui/common/MdiPlacement.h"
#include "ui/reportlists/ReportActionsDialog.h"
#include "ui/reportlists/ReportListWindow.h"
#include "ui/reportlists/StationReportListHost.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

#include <memory>

namespace ui {

namespace {

// The report list comes up restored, near the frame's top-left corner (400
// twips in) and, where the frame is small, no larger than its area.
void showReportList(StationWindows& windows)
{
    QWidget* existing = windows.existingReportListWindow();
    const bool open = existing && MdiChild::outerWidget(existing)->isVisible();
    auto* window = qobject_cast<ReportListWindow*>(windows.reportListWindow());
    MdiChild::showAndRaise(window);
    MdiChild::restore(window);
    MdiChild::moveTwips(window, 400, 400);
    MdiChild::shrinkInto(window, windows.frame()->mdiAreaSize());
    if (!open)
        window->load();
}

} // namespace

void installReportListOpeners(StationWindows& windows, config::StationSettings& settings,
                              results::ResultsDatabase& database)
{
    // A window still there goes before the host it was built on.
    delete windows.existingReportListWindow();
    auto host = std::make_shared<StationReportListHost>(settings, database, windows);
    windows.setReportListFactory([host, &windows]() -> QWidget* {
        auto* window = new ReportListWindow(*host);
        windows.addToFrame(window);
        return window;
    });
    StationWindows::Openers& openers = windows.windowOpeners();
    openers.ReportViewer = [&windows] { showReportList(windows); };
    openers.ReportActions = [&settings, &windows] {
        ReportActionsDialog dialog(settings, windows.existingFrame());
        dialog.exec();
    };
}

ReportListWindow* liveReportListWindow(const StationWindows& windows)
{
    return qobject_cast<ReportListWindow*>(windows.existingReportListWindow());
}

} // namespace ui
