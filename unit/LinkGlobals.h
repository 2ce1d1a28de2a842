#pragma once
// Program-wide switches that the test window and the calibration panel set
// and the unit link reads (same namespace as the settings values).

namespace Globals {

// True while automatic polling is switched off on the calibration panel: the
// poll cycle sends no "(?)" and queues no "[*]" (queued frames still go out).
inline bool InhibitPolling = false;
// ACLG energy chosen for ZAMO2-4 units: xJ goes before 100 J; neither is 360 J.
inline bool AclgEnergy100J = false;
inline bool AclgEnergyXJ = false;

} // namespace Globals
