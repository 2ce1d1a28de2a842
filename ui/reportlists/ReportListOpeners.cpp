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

void showReportList()
{
    QPointer<ReportListWindow>& window = liveWindow();
    if (window && MdiChild::outerWidget(window)->isVisible()) {
        MdiChild::showAndRaise(window);
        return;
    }
    if (!window) {
        window = new ReportListWindow(*host());
        StationWindows::addToFrame(window);
    }
    MdiChild::showAndRaise(window);
    window->load();
}

} // namespace

void installReportListOpeners(config::StationSettings& settings)
{
    delete liveWindow();
    host() = std::make_unique<StationReportListHost>(settings);
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
