#include "platform/ProgramEnd.h"

#include <QCoreApplication>
#include <QThread>

namespace ProgramEnd {

namespace {
bool requested = false;
int code = 0;
} // namespace

void Request(int exitCode)
{
    requested = true;
    code = exitCode;
    // Leaves the event loop when it runs; before it runs, start-up returns.
    // (Told with no loop running, the exit would instead end at once every
    // modal window that opens later in the process.)
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(exitCode);
}

bool Requested() { return requested; }
int ExitCode() { return code; }

void ResetForTesting()
{
    requested = false;
    code = 0;
}

} // namespace ProgramEnd
