#include "platform/ProgramEnd.h"

#include <QCoreApplication>
#include <QThread>

namespace platform {

namespace ProgramEnd {

namespace {
bool s_requested = false;
int code = 0;
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
}

} // namespace ProgramEnd

} // namespace platform
