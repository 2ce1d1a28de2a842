#pragma once
// The unit mode of the connected units, computed afresh at every call.

#include <QString>

#include <array>

class UnitLink;

namespace UnitMode {

// "ZAMO80" when the connected units are ZAMO80 or ZAMO2-4 units, "ZAMO" for
// base-model units, "ERROR" when both kinds are connected, "" when none is.
// Unit 1 is looked at before unit 2; a missing unit counts as not connected.
QString CheckZAMOMode(const std::array<UnitLink*, 2>& units);

// True exactly when unit 1 alone is connected and is a ZAMO2-4.
bool CheckZAMO24(const std::array<UnitLink*, 2>& units);

} // namespace UnitMode
