#pragma once
// The switches of the running program, none of them stored: start-up in
// progress, demonstration mode (no unit on the frame's connect), and the
// status window's state and its check boxes, which decide what the
// communication log shows.

namespace config {

struct ProgramSwitches {
    bool startingUp = false;
    bool demoMode = false;
    bool statusWindowOpen = false;
    bool diagnosticLog = false;
    bool commPaused = false;
    bool showVerbose = false;
    bool showRxBuffer = false;
};

} // namespace config
