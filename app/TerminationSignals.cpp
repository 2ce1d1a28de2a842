#include "app/TerminationSignals.h"

#include "config/Log.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindow.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace app {

namespace {

// A signal handler reaches only what lies at namespace scope: the pipe. Its
// notifier is made once per program too, and ends the windows of the latest
// endOnTerminationSignals.
int g_pipe[2] = {-1, -1};
QPointer<QSocketNotifier> g_notifier;

void onSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1); // a full pipe: one is waiting already
    errno = saved;
}

QString signalName(int number)
{
    switch (number) {
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGHUP: return QStringLiteral("SIGHUP");
    default: return QStringLiteral("signal ") + QString::number(number);
    }
}

void endStation(ui::StationWindows& windows, int number)
{
    static bool ending = false;
    if (ending)
        return;
    ending = true;
    auto* form = dynamic_cast<ui::TestWindow*>(windows.testWindow());
    const QString why = QStringLiteral("Received ") + signalName(number) + QStringLiteral(": the station is ended");
    if (form && form->testRunning())
        form->writeToCommTextBox(QStringLiteral("* ") + why + QStringLiteral("; the run is cancelled"), true, false);
    else
        config::writeLog(why);
    windows.unloadApplication();
}

} // namespace

void endOnTerminationSignals(ui::StationWindows& windows)
{
    if (g_pipe[0] < 0) {
        if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
            config::writeLog(QStringLiteral("Unable to watch for the end of the session: ")
                             + QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int number : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(number, &action, nullptr);
    }
    // A signal that came before is still in the pipe when the notifier reads it.
    if (g_notifier)
        QObject::disconnect(g_notifier, nullptr, nullptr, nullptr);
    else
        g_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(g_notifier, &QSocketNotifier::activated, [&windows] {
        unsigned char byte = 0;
        int number = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            number = byte;
        if (number)
            endStation(windows, number);
    });
}

} // namespace app
