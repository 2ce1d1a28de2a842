#pragma once
// The defibrillation energy that a ZAMO2-4 ACLG run is set for; it picks the
// [ACLG] constant set with which the unit's readings are converted.

namespace unit {

enum class AclgEnergy { J360, J100, XJ };

} // namespace unit
