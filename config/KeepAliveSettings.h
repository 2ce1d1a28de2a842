#pragma once
// settings.ini [KeepAlive]: how the station keeps the computer awake during
// a run.

namespace config {

struct KeepAliveSettings {
    bool moveMouse = false; // MoveMouse: nudge the pointer every minute
    bool wakeUp = true;     // WakeUp: keep the screen and system from sleeping
};

} // namespace config
