#pragma once
// The unit mode of the connected units, computed afresh at every call, and
// the flags of the .tsq files that go with it.

#include <QString>

#include <array>

namespace unit {
class Unit;
}

// The mode of the units connected now: none, base-model units only
// ("ZAMO"), ZAMO80 or ZAMO2-4 units only ("ZAMO80"), or both kinds at once,
// which is an error.
namespace run {

enum class ConnectedUnitsMode { None, Base, Zamo80, Mixed };

namespace UnitMode {

// The mode of the connected units. Unit 1 is looked at before unit 2; a
// missing unit counts as not connected.
ConnectedUnitsMode checkZAMOMode(const std::array<unit::Unit*, 2>& units);

// True exactly when unit 1 alone is connected and is a ZAMO2-4.
bool checkZAMO24(const std::array<unit::Unit*, 2>& units);

} // namespace UnitMode

// Whatever knows the units connected now (the test window) and answers for
// their mode as UnitMode does; it cannot fail.
class UnitModeSource {
public:
    virtual ~UnitModeSource() = default;
    // See UnitMode::checkZAMOMode.
    virtual ConnectedUnitsMode checkZAMOMode() const = 0;
    // True when unit 1 alone is connected and is a ZAMO2-4.
    virtual bool checkZAMO24() const = 0;
};

// The unit-mode flags with which .tsq files are read and written:
// a single ZAMO2-4 unit (is80With24, version "3.0"), other ZAMO80-mode units
// (is80, "2.0"), anything else (neither, "1.0").
struct SequenceFileFlags {
    bool is80 = false;
    bool is80With24 = false;

    // From the units connected now.
    static SequenceFileFlags forConnectedUnits(const UnitModeSource& units);
};

} // namespace run
