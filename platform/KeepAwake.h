#pragma once
// Keeping the computer awake during long runs: telling the system that the
// machine and the display are in use, and moving the mouse pointer (the
// nudge of a resting pointer is platform::MouseNudge).

// Resets the sleep and display-off idle timers once.
namespace platform {

void preventSleep();

// Moves the pointer to (x, y), rounded to whole pixels.
void setMousePosition(float x, float y);

} // namespace platform
