#pragma once
// The unit's diagnostics reply in its two layouts: "d" (ZAMO80, ZAMO2-4)
// and "D" (base model), as raw counts and converted values.

#include "unit/ReplyFields.h"

#include <QString>

#include <cstdint>

namespace unit {

struct UnitDiagnostics {
    // Volts per count of the unit's converter, and the divider of the -5 V input.
    static constexpr double CountFactor = 1.25 / 1024;
    static constexpr double Divider = 11.0 / 21.0;

    std::int16_t tenHzRaw = 0, temperatureRaw = 0, vccRaw = 0, pos5VRaw = 0, neg5VRaw = 0, thirtyKRaw = 0;
    double tenHz = 0, temperature = 0, vcc = 0, pos5V = 0, neg5V = 0, thirtyK = 0;
    bool reg5VWorking = false, working200VOn = false, working200VOff = false, lidClosed = false;
    QString firmwareVersion;
    bool zamo80 = false; // layout "d"

    // Decodes the inner text "d…" or "D…". A field that does not convert
    // reads as 0; a flag that does not convert counts as not set.
    static UnitDiagnostics decode(ReplyFieldReader& fields);
};

} // namespace unit
