// The station program with scripted prompts, for the real-path tests that
// end it from outside (a signal, kill -9) and start it again. It runs the
// program's own start-up in the data folder and on the device tree of its
// environment (XDG_DATA_HOME, ZAMO_DEVICE_ROOT), then, by its argument:
//
//   run    connects unit 1 from the menu, starts the standard list with a
//          lot, prints "RUNNING <GroupID>" once the run's group exists, and
//          goes on until it is ended;
//   complete  does the same, then prints "COMPLETED" once the run has ended
//          and chooses File, Exit;
//   idle   prints "IDLE" and goes on until it is ended;
//   exit   chooses File, Exit at once.
//
// Every message the station showed is printed as "PROMPT <text>" when the
// program ends; the exit code is the program's.

#include "app/Station.h"
#include "app/StationAssembly.h"
#include "app/StationStartUp.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "support/ModalWindows.h"
#include "ui/editors/EditorWindows.h"
#include "ui/reportlists/ReportListOpeners.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestDetailsDialog.h"
#include "ui/testwindow/TestWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

QAction* menuItem(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions) {
        if (a->text().remove(QLatin1Char('&')) == text)
            return a;
        if (a->menu())
            if (QAction* inner = menuItem(a->menu()->actions(), text))
                return inner;
    }
    return nullptr;
}

QAbstractButton* button(ui::TestWindow& form, const QString& text)
{
    for (QAbstractButton* b : form.findChildren<QAbstractButton*>())
        if (b->text().remove(QLatin1Char('&')) == text)
            return b;
    return nullptr;
}

void say(const QString& line)
{
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

// Connects unit 1 and starts the standard list; false when that fails.
bool startRun(app::Station& station)
{
    auto& form = *static_cast<ui::TestWindow*>(station.windows.testWindow());
    QAction* connect = menuItem(station.windows.frame()->menuBar()->actions(), QStringLiteral("Connect Unit 1"));
    if (!connect)
        return false;
    connect->trigger();
    QAbstractButton* run = button(form, QStringLiteral("Run Standard Sequence"));
    if (!run || !platform::Clock::waitUntil([&] { return run->isEnabled(); }, 20000))
        return false;
    testsupport::whenModal([](QWidget* modal) {
        if (auto* details = qobject_cast<ui::TestDetailsDialog*>(modal)) {
            details->lotNumberEdit->setText(QStringLiteral("Lot 7"));
            details->startTestButton->click();
        }
    });
    run->click();
    if (!platform::Clock::waitUntil([&] { return form.services().recorder->groupId() != 0; }, 20000))
        return false;
    say(QStringLiteral("RUNNING %1").arg(form.services().recorder->groupId()));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app::Station station;
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QApplication::setQuitOnLastWindowClosed(false);
    platform::ScriptedPrompts* prompts = platform::ScriptedPrompts::installNew();
    ui::DefinitionWindows::installOpeners(station.windows);
    ui::installReportListOpeners(station.windows, station.settings, station.database);
    app::ExecutionWindows::installMainForm(station);
    int code = 1;
    if (app::main(station)) {
        if (mode == QLatin1String("run") || mode == QLatin1String("complete")) {
            if (!startRun(station))
                return 3;
            if (mode == QLatin1String("complete")) {
                auto& form = *static_cast<ui::TestWindow*>(station.windows.testWindow());
                auto* watch = new QTimer(&form);
                QObject::connect(watch, &QTimer::timeout, &form, [&station, &form, watch] {
                    if (form.testRunning())
                        return;
                    watch->stop();
                    say(QStringLiteral("COMPLETED"));
                    station.windows.frame()->close();
                });
                watch->start(200);
            }
        } else if (mode == QLatin1String("idle")) {
            say(QStringLiteral("IDLE"));
        } else {
            QTimer::singleShot(0, [&station] { station.windows.frame()->close(); });
        }
        code = app.exec();
    } else if (platform::ProgramEnd::requested()) {
        code = platform::ProgramEnd::exitCode();
    }
    station.database.closeDatabase();
    for (const QString& text : prompts->messages())
        say(QStringLiteral("PROMPT ") + text);
    return code;
}
