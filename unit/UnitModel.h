#pragma once
// The model of a measuring unit, as its open sequence detects it. Code that
// behaves differently per model branches on this value; the model's names
// that the station shows or stores are kept where they are shown.

namespace unit {

enum class UnitModel { Base, Zamo80, Zamo24 };

// The model from the two detection flags; ZAMO80 wins when both are set.
constexpr UnitModel unitModelOf(bool zamo80, bool zamo24)
{
    if (zamo80)
        return UnitModel::Zamo80;
    return zamo24 ? UnitModel::Zamo24 : UnitModel::Base;
}

// ZAMO80 and ZAMO2-4 share the newer reply layouts, the lid and the charge.
constexpr bool isZamo80Family(UnitModel model)
{
    return model != UnitModel::Base;
}

} // namespace unit
