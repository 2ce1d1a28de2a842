#include "run/RunUnits.h"

#include "unit/Unit.h"

namespace run {

unit::Unit* RunUnits::byNumber(int number) const
{
    const std::optional<UnitIndex> unit = UnitIndex::fromNumber(number);
    return unit ? at(*unit) : nullptr;
}

bool RunUnits::anyConnected() const
{
    for (unit::Unit* unit : m_units) {
        if (unit && unit->connected())
            return true;
    }
    return false;
}

} // namespace run
