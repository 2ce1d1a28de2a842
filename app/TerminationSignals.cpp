#include "app/TerminationSignals.h"

#include "config/Log.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindow.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace app {

namespace {

int g_pipe[2] = {-1, -1};

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

void endStation(int number)
{
    static bool ending = false;
    if (ending)
        return;
    ending = true;
    auto* form = dynamic_cast<ui::TestWindow*>(ui::StationWindows::testWindow());
    const QString why = QStringLiteral("Received ") + signalName(number) + QStringLiteral(": the station is ended");
    if (form && form->testRunning())
        form->writeToCommTextBox(QStringLiteral("* ") + why + QStringLiteral("; the run is cancelled"), true, false);
    else
        config::writeLog(why);
    ui::StationWindows::unloadApplication();
}

} // namespace

void endOnTerminationSignals()
{
    if (g_pipe[0] >= 0)
        return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        config::writeLog(QStringLiteral("Unable to watch for the end of the session: ")
                         + QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        unsigned char byte = 0;
        int number = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            number = byte;
        if (number)
            endStation(number);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

} // namespace app
