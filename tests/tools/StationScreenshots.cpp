// Takes the station's screenshots: the frame after start, after a run on a
// simulated unit with its report window closed, with the report list
// ("Test Reports") open after that run, and in service mode. Run it on a
// display of the bench's size (scripts/screenshots.sh starts one); it writes
// station-start.png, station-after-run.png, station-report-list.png and
// station-service.png into the folder given as its argument.
#include "support/StationHarness.h"
#include "ui/shell/StatusWindow.h"

#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

// Lets the window system draw what the station shows, then takes the screen.
bool saveScreen(testsupport::StationHarness& station, const QString& path)
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(25);
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap shot = screen->grabWindow(0);
    if (shot.isNull())
        shot = station.frame().grab();
    if (!shot.save(path, "PNG")) {
        std::fprintf(stderr, "Unable to write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), shot.width(), shot.height());
    return true;
}

const QDateTime morning(QDate(2026, 3, 2), QTime(9, 0, 0));

bool startAndRun(const QString& folder)
{
    testsupport::StationHarness station(morning, QStringLiteral("/vadov"));
    if (!station.start())
        return false;
    if (!saveScreen(station, folder + "/station-start.png"))
        return false;

    ui::TestWindow& form = station.testWindow();
    station.connectSimulatedUnit(1, 2);
    if (!station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000))
        return false;
    testsupport::StationHarness::startNextRunWithLot(QStringLiteral("LOT-2026-03-A"));
    form.testListPanel().standardSequenceButton()->click();
    if (!station.runUntil([&] { return !form.testRunning(); }, 30 * 60 * 1000, 250))
        return false;
    // The report window the run opened is closed, as the operator would.
    for (QMdiSubWindow* sub : station.frame().mdiArea()->subWindowList())
        if (sub->widget() && sub->widget()->inherits("ui::TestReportWindow"))
            sub->close();
    if (!saveScreen(station, folder + "/station-after-run.png"))
        return false;
    // Reports, Report Viewer: the list of the stored groups, the run's among them.
    station.frame().reportViewerAction->trigger();
    return saveScreen(station, folder + "/station-report-list.png");
}

bool serviceMode(const QString& folder)
{
    testsupport::StationHarness station(morning, QStringLiteral("/rida"));
    if (!station.start())
        return false;
    // With "Diagnostic Log" pressed, "Connect Unit 1" with no unit on the
    // bench fills the status window with what the station tried; its message
    // box is answered with OK.
    station.windows().statusWindow()->diagnosticLogButton->click();
    station.frame().connectUnitActions[1]->trigger();
    station.runUntil([] { return false; }, 5000);
    return saveScreen(station, folder + "/station-service.png");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);
    if (!startAndRun(folder) || !serviceMode(folder)) {
        std::fprintf(stderr, "The station did not reach the state to show\n");
        return 1;
    }
    return 0;
}
