#include "run/UnitMode.h"

#include "unit/Unit.h"

namespace UnitMode {

ConnectedUnitsMode CheckZAMOMode(const std::array<UnitLink*, 2>& units)
{
    ConnectedUnitsMode mode = ConnectedUnitsMode::None;
    for (UnitLink* unit : units) {
        if (!unit || !unit->Connected())
            continue;
        const ConnectedUnitsMode kind =
            isZamo80Family(unit->model()) ? ConnectedUnitsMode::Zamo80 : ConnectedUnitsMode::Base;
        if (mode != ConnectedUnitsMode::None && mode != kind)
            return ConnectedUnitsMode::Mixed;
        mode = kind;
    }
    return mode;
}

bool CheckZAMO24(const std::array<UnitLink*, 2>& units)
{
    UnitLink* unit1 = units[0];
    UnitLink* unit2 = units[1];
    const bool unit2Connected = unit2 && unit2->Connected();
    return !unit2Connected && unit1 && unit1->Connected() && unit1->IsZAMO24();
}

} // namespace UnitMode

SequenceFileFlags SequenceFileFlags::ForConnectedUnits(const UnitModeSource& units)
{
    if (units.CheckZAMOMode() != ConnectedUnitsMode::Zamo80)
        return {false, false};
    if (units.CheckZAMO24())
        return {false, true};
    return {true, false};
}
