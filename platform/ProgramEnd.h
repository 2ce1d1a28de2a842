#pragma once
// Ending the program. Inside the event loop the loop is left; before it runs
// (during start-up) Qt's quit would do nothing, so start-up asks requested()
// after each step that may end the program and returns at once.

namespace platform {

namespace ProgramEnd {

void request(int exitCode = 0);
bool requested();
int exitCode();

// Tests run start-up more than once in one process.
void resetForTesting();

} // namespace ProgramEnd

} // namespace platform
