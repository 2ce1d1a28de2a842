#include "run/UnitMode.h"

#include "unit/Unit.h"

namespace UnitMode {

QString CheckZAMOMode(const std::array<UnitLink*, 2>& units)
{
    QString mode;
    for (UnitLink* unit : units) {
        if (!unit || !unit->Connected())
            continue;
        const bool zamo80 = unit->IsZAMO80() || unit->IsZAMO24();
        const QString kind = zamo80 ? QStringLiteral("ZAMO80") : QStringLiteral("ZAMO");
        if (!mode.isEmpty() && mode != kind)
            return QStringLiteral("ERROR");
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
    if (units.CheckZAMOMode() != "ZAMO80")
        return {false, false};
    if (units.CheckZAMO24())
        return {false, true};
    return {true, false};
}
