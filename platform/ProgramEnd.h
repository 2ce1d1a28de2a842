#pragma once
// Ending the program. Inside the event loop the loop is left; before it runs
// (during start-up) Qt's quit would do nothing, so start-up asks Requested()
// after each step that may end the program and returns at once.

namespace ProgramEnd {

void Request(int exitCode = 0);
bool Requested();
int ExitCode();

// Tests run start-up more than once in one process.
void ResetForTesting();

} // namespace ProgramEnd
