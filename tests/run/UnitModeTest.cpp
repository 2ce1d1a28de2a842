// The unit mode of the connected units.
#include "run/RecordingUnit.h"
#include "run/UnitMode.h"

#include <QString>

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(UnitModeTable, ModeAndSingleZamo24FollowTheConnectedUnits)
{
    enum Kind { None, Base, Z80, Z24 };
    using M = run::ConnectedUnitsMode;
    struct Case {
        Kind unit1, unit2;
        M mode;
        bool zamo24;
    } cases[] = {
        {None, None, M::None, false},  {Base, None, M::Base, false},  {None, Base, M::Base, false},
        {Base, Base, M::Base, false},  {Z80, None, M::Zamo80, false}, {Z24, None, M::Zamo80, true},
        {Z24, Z80, M::Zamo80, false},  {Base, Z80, M::Mixed, false},  {Z24, Base, M::Mixed, false},
        {None, Z24, M::Zamo80, false},
    };
    for (const Case& c : cases) {
        RecordingUnit u1, u2;
        auto plug = [](RecordingUnit& u, Kind k) {
            if (k != None)
                u.plug(16, k == Z80, k == Z24);
        };
        plug(u1, c.unit1);
        plug(u2, c.unit2);
        const std::array<unit::Unit*, 2> units{&u1, &u2};
        SCOPED_TRACE(QString("%1/%2").arg(int(c.unit1)).arg(int(c.unit2)).toStdString());
        EXPECT_EQ(run::UnitMode::checkZAMOMode(units), c.mode);
        EXPECT_EQ(run::UnitMode::checkZAMO24(units), c.zamo24);
    }
}

} // namespace
