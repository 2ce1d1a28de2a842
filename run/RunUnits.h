#pragma once
// The station's two units as a run reaches them, by UnitIndex or by the
// number a unit reports (1 or 2); either may be absent (none). Copied into
// each component that talks to the units; the units outlive the run.

#include "run/UnitIndex.h"
#include "run/UnitMode.h"

#include <array>

namespace unit {
class Unit;
}

namespace run {

class RunUnits {
public:
    explicit RunUnits(const std::array<unit::Unit*, 2>& units) : m_units(units) {}

    unit::Unit* at(UnitIndex unit) const { return m_units[unit.position()]; }
    // The unit of number 1 or 2; none for any other number.
    unit::Unit* byNumber(int number) const;
    const std::array<unit::Unit*, 2>& all() const { return m_units; }

    // See UnitMode.
    ConnectedUnitsMode mode() const { return UnitMode::checkZAMOMode(m_units); }
    bool zamo24() const { return UnitMode::checkZAMO24(m_units); }
    bool anyConnected() const;

private:
    std::array<unit::Unit*, 2> m_units;
};

} // namespace run
