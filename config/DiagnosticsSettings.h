#pragma once
// settings.ini [Diagnostics]: whether the units' diagnostics are polled and
// reported, and the polling delay.

#include <QtGlobal>

namespace config {

struct DiagnosticsSettings {
    bool enabled = false; // Enabled
    qint16 delay = 1000;  // ms, Delay
};

} // namespace config
