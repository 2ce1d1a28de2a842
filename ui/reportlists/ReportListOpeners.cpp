#include "ui/reportlists/ReportListOpeners.h"

#include "ui/common/MdiPlacement.h"
#include "ui/reportlists/ReportActionsDialog.h"
#include "ui/reportlists/ReportListWindow.h"
#include "ui/reportlists/StationReportListHost.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

#include <QPointer>

#include <memory>

namespace ui {

namespace {

std::unique_ptr<StationReportListHost>& host()
{
    static std::unique_ptr<StationReportListHost> station;
    return station;
}

QPointer<ReportListWindow>& liveWindow()
{
    static QPointer<ReportListWindow> window;
    return window;
}

// The report list comes up restored, near the frame's top-left corner (400
// twips in) and, where the frame is small, no larger than its area.
void showReportList()
{
    QPointer<ReportListWindow>& window = liveWindow();
    const bool open = window && MdiChild::outerWidget(window)->isVisible();
    if (!window) {
        window = new ReportListWindow(*host());
        StationWindows::addToFrame(window);
    }
    MdiChild::showAndRaise(window);
    MdiChild::restore(window);
    MdiChild::moveTwips(window, 400, 400);
    MdiChild::shrinkInto(window, StationWindows::frame()->mdiAreaSize());
    if (!open)
        window->load();
}

} // namespace

void installReportListOpeners(config::StationSettings& settings, results::ResultsDatabase& database)
{
    delete liveWindow();
    host() = std::make_unique<StationReportListHost>(settings, database);
    StationWindows::Openers& openers = StationWindows::windowOpeners();
    openers.ReportViewer = showReportList;
    openers.ReportActions = [&settings] {
        ReportActionsDialog dialog(settings, StationWindows::existingFrame());
        dialog.exec();
    };
}

ReportListWindow* liveReportListWindow()
{
    return liveWindow();
}

} // namespace ui
