#pragma once
// Ending the program. Inside the event loop the loop is left; before it runs
// (during start-up) Qt's quit would do nothing, so start-up asks requested()
// after each step that may end the program and returns at once.

namespace platform {

namespace ProgramEnd {

void request(int exitCode = 0);
bool requested();
int exitCode();

// Withdraws a request, so that start-up may run again in the same process
// (as a test program does).
void withdraw();

} // namespace ProgramEnd

} // namespace platform
