// Takes the report viewer's screenshot: its main window listing a database
// file of 40 test groups (in a window manager's absence, without frames), with the full report of one of them open
// beside it. Run it on a display of the bench's size (scripts/screenshots.sh starts one); it writes viewer-report.png
// into the folder given as its argument. The database and the viewer's data folder are temporary.
#include "app/viewer/ViewerStartUp.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "platform/ScriptedPrompts.h"
#include "support/OldRevisionDatabase.h"
#include "support/TempDataHome.h"
#include "ui/viewer/ViewerReportWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

// Lets the window system draw what the viewer shows, then takes the screen.
bool saveScreen(const QString& path, QWidget* fallback)
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(25);
    }
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (shot.isNull())
        shot = fallback->grab();
    if (!shot.save(path, "PNG")) {
        std::fprintf(stderr, "Unable to write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), shot.width(), shot.height());
    return true;
}

bool listAndReport(const QString& folder)
{
    testsupport::TempDataHome home;
    QTemporaryDir dir;
    const QString path = dir.filePath("ZAMO_Results.mdb");
    try {
        platform::DbConnection db;
        db.createFile(path);
        testsupport::buildOldRevisionDatabase(db, 15, {40, 3, 2});
        db.execute(QStringLiteral("UPDATE TestGroups SET LotNumberSortField = 'LOT-' || GroupID"));
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return false;
    }
    platform::ScriptedPrompts* prompts = platform::ScriptedPrompts::installNew();
    prompts->fileAnswers.push_back(path);
    app::ViewerStartUp viewer;
    if (!viewer.start())
        return false;
    ui::ViewerMainWindow* window = viewer.mainWindow();
    window->setGeometry(10, 30, 1000, 760);
    window->chooseFile();
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("ReportsFlexGrid"));
    grid->selectRow(4);
    window->viewSelectedReport();
    if (window->reportWindows().size() != 1 || !prompts->messages().isEmpty())
        return false;
    window->reportWindows()[0]->setGeometry(590, 140, 680, 870);
    return saveScreen(folder + QStringLiteral("/viewer-report.png"), window);
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
    if (!listAndReport(folder)) {
        std::fprintf(stderr, "The viewer did not reach the state to show\n");
        return 1;
    }
    return 0;
}
