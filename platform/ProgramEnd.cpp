#include "platform/ProgramEnd.h"

#include <QCoreApplication>
#include <QThread>

namespace platform {

namespace ProgramEnd {

namespace {
bool s_requested = false;
int code = 0;
int s_holds = 0;
std::function<void()> s_waitingEnd;
} // namespace

void request(int exitCode)
{
    s_requested = true;
    code = exitCode;
    // Leaves the event loop when it runs; before it runs, start-up returns.
    // (Told with no loop running, the exit would instead end at once every
    // modal window that opens later in the process.)
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(exitCode);
}

bool requested()
{
    return s_requested;
}
int exitCode()
{
    return code;
}

void withdraw()
{
    s_requested = false;
    code = 0;
    s_waitingEnd = nullptr;
}

void endWhenFree(std::function<void()> end)
{
    if (s_holds == 0) {
        end();
        return;
    }
    if (!s_waitingEnd)
        s_waitingEnd = std::move(end);
}

bool stopAsked()
{
    return s_requested || s_waitingEnd != nullptr;
}

Hold::Hold()
{
    ++s_holds;
}

Hold::~Hold()
{
    if (--s_holds > 0 || !s_waitingEnd)
        return;
    // Kept until the end has run, so that work asks stopAsked() meanwhile.
    const std::function<void()> end = s_waitingEnd;
    end();
    s_waitingEnd = nullptr;
}

} // namespace ProgramEnd

} // namespace platform
