// A channel map that is not sixteen flags, as a unit on a pseudo-terminal
// sends it through the station's own start-up: cut short, or with another
// character than 0 and 1. Only the channels the unit marked "1" are
// connected; the unit can be run on them, and the map is logged.

#include "RealPathFixture.h"
#include "support/StoredRunChecks.h"

namespace {

struct BrokenMap {
    const char* what;
    const char* map;
    const char* status;   // the unit's status once connected
    QStringList verdicts; // of the standard run
};

class ChannelMap : public RealPath, public ::testing::WithParamInterface<BrokenMap> {};

TEST_P(ChannelMap, ConnectsOnlyTheChannelsMarkedOneAndRunsThem)
{
    const BrokenMap& c = GetParam();
    oneStepStandardList();
    Unit unit;
    unit.channels = 3;
    unit.channelMap = c.map;
    ASSERT_TRUE(units.addUnit(0, unit));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, c.status));
    ASSERT_TRUE(runStandardSequence());

    EXPECT_EQ(station.storedVerdicts(), c.verdicts);
    EXPECT_EQ(testsupport::groupEnds(station.stationSettings().paths.databaseFile), "1|True|False\n");
    EXPECT_TRUE(station.logText().contains(QString("Malformed reply ") + c.map
                                           + ": the channel map is not 16 flags of 0 and 1; only the channels "
                                             "marked 1 are connected"))
        << station.logText().toStdString();
    EXPECT_EQ(station.prompts().messages(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    RealPath, ChannelMap,
    ::testing::Values(BrokenMap{"CutShort", "[F11]", "ZAMO Connected; A1-B1", {"A1 PASS", "B1 PASS"}},
                      BrokenMap{
                          "OtherCharacter", "[F1?1000000000000]", "ZAMO Connected; A1.C1", {"A1 PASS", "C1 PASS"}}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
