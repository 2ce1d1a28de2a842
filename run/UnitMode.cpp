#include "run/UnitMode.h"

#include "unit/Unit.h"

namespace run {

namespace UnitMode {

ConnectedUnitsMode checkZAMOMode(const std::array<unit::Unit*, 2>& units)
{
    ConnectedUnitsMode mode = ConnectedUnitsMode::None;
    for (unit::Unit* unit : units) {
        if (!unit || !unit->connected())
            continue;
        const ConnectedUnitsMode kind =
            isZamo80Family(unit->model()) ? ConnectedUnitsMode::Zamo80 : ConnectedUnitsMode::Base;
        if (mode != ConnectedUnitsMode::None && mode != kind)
            return ConnectedUnitsMode::Mixed;
        mode = kind;
    }
    return mode;
}

bool checkZAMO24(const std::array<unit::Unit*, 2>& units)
{
    unit::Unit* unit1 = units[0];
    unit::Unit* unit2 = units[1];
    const bool unit2Connected = unit2 && unit2->connected();
    return !unit2Connected && unit1 && unit1->connected() && unit1->isZamo24();
}

} // namespace UnitMode

SequenceFileFlags SequenceFileFlags::forConnectedUnits(const UnitModeSource& units)
{
    if (units.checkZAMOMode() != ConnectedUnitsMode::Zamo80)
        return {false, false};
    if (units.checkZAMO24())
        return {false, true};
    return {true, false};
}

} // namespace run
