#pragma once
// settings.ini [Zamo80Delays]: the waits of a ZAMO80 unit's connection and
// the defibrillator charge time.

#include <QtGlobal>

namespace config {

struct Zamo80Delays {
    qint16 reconnectDelay = 7000;    // ms, ReconnectDelay
    qint16 findChannelsDelay = 3000; // ms, FindChannelsDelay
    qint16 defibCharge = 54;         // s, DefibCharge
};

} // namespace config
