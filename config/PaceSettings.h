#pragma once
// settings.ini [PACE]: the pace test's duration and the ZAMO2-4 roll rules.

#include <QtGlobal>

namespace config {

struct PaceSettings {
    qint16 paceDuration = 60;               // min, PaceDuration
    qint16 simultaneousTests = 4;           // SimultaneousTests
    bool zamo24ContinueWithoutRoll = false; // Zamo24ContinueWithoutRoll
    qint16 zamo24PaceRollAckDelay = 60;     // s, Zamo24PaceRollAckDelay

    qint32 paceDurationSeconds() const { return qint32(paceDuration) * 60; }
};

} // namespace config
