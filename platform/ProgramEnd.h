#pragma once
// Ending the program. Inside the event loop the loop is left; before it runs
// (during start-up) Qt's quit would do nothing, so start-up asks requested()
// after each step that may end the program and returns at once.
//
// Work that must end whole or not at all (a schema step, a copy of the
// database file) runs under a Hold. An end that comes meanwhile, through
// endWhenFree(), waits until the last hold is let go and runs then; the
// work sees stopAsked() at its next turn of the message loop and stops there,
// so that nothing is ended under its feet and the end follows within a turn.

#include <functional>

namespace platform {

namespace ProgramEnd {

void request(int exitCode = 0);
bool requested();
int exitCode();

// Withdraws a request, and an end that waits, so that start-up may run
// again in the same process (as a test program does).
void withdraw();

// Runs end now, or, while a hold is held, when the last one is let go. An
// end that waits already stays the one that runs.
void endWhenFree(std::function<void()> end);

// True once the end is requested or waits for a hold: work stops at its next
// turn, and start-up and the checks do nothing more.
bool stopAsked();

class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
};

} // namespace ProgramEnd

} // namespace platform
