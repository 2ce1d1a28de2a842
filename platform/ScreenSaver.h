#pragma once
// The desktop's screensaver interface (org.freedesktop.ScreenSaver on the
// session bus): telling it that the machine and the display are in use.

namespace platform {

class ScreenSaver {
public:
    // Resets the idle timers of sleep and display-off once. Returns false
    // when no session bus or no screensaver service answers the call; that
    // is not an error, the machine simply has nothing to keep awake.
    static bool simulateUserActivity();
};

} // namespace platform
