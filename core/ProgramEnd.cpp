#include "core/ProgramEnd.h"

#include <QCoreApplication>

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
