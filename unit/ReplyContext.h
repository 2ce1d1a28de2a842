#pragma once
// What the decoding of a unit's replies depends on beyond the reply itself:
// the unit's model (which replies it sends, in which layout) and the ACLG
// energy a ZAMO2-4 run is set for, with the [ACLG] constants that convert
// the ACLG readings.

#include "config/AclgSettings.h"
#include "unit/AclgEnergy.h"
#include "unit/UnitModel.h"

namespace unit {

struct ReplyContext {
    UnitModel model = UnitModel::Base;
    AclgEnergy aclgEnergy = AclgEnergy::J360;
    config::AclgSettings aclg;
};

} // namespace unit
