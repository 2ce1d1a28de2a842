#pragma once
// settings.ini [ZAMO-SG]: whether the station uses the signal generator
// (roller) and its roll delay.

#include <QtGlobal>

namespace config {

struct SignalGeneratorSettings {
    bool enabled = false; // Enabled
    qint16 delay = 10;    // s, Delay
};

} // namespace config
