#pragma once
// Keeping the computer awake during long runs: telling the system that the
// machine and the display are in use, and nudging a resting mouse pointer by
// a few pixels and back. The nudge state lives for the whole program.

// Resets the sleep and display-off idle timers once.
namespace platform {

void preventSleep();

// Moves a pointer that nobody moved since the last call 5 pixels right and
// down, and back at the next call; a pointer the user moved is left alone
// and becomes the new reference.
void nudgeMousePointer();

// Moves the pointer to (x, y), rounded to whole pixels.
void setMousePosition(float x, float y);

// Forgets the stored position and direction (tests only).
void resetForTesting();

} // namespace platform
