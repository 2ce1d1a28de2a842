// The unit link on its simulated unit, in virtual time: the connect sequence
// and an ACZ run on all channels, as the test window sees them.

#include "UnitRecorder.h"
#include "unit/SimulatedUnit.h"

#include <QRegularExpression>

using platform::Clock;

namespace {

using SimulatedUnitLink = UnitRecorder;

const QString BothChannels = "1100000000000000";

} // namespace

TEST_F(SimulatedUnitLink, ConnectingToATwoChannelBaseUnitReportsItsChannels)
{
    comm->connectSimulator(2);
    // As from a real unit, the channel map answers "[F]" after the connect.
    platform::Clock::advance(unit::SimulatedUnit::ChannelSearchMs);
    EXPECT_EQ(events, (QStringList{
                          "Status Disconnected",
                          "TX [*]",
                          "TX [8]",
                          "TX [2]",
                          "Status! ",
                          "TX [F]",
                          "UsbConnected 0 0",
                          "Status ZAMO Connected; No Electrodes Found",
                          "RX 0 [F1100000000000000]",
                          "Status ZAMO Connected; A1-B1",
                          "Found 1100000000000000",
                      }));
    EXPECT_TRUE(comm->connected());
    EXPECT_TRUE(comm->simulatorMode());
    EXPECT_FALSE(comm->isZamo80());
    EXPECT_EQ(comm->status().hardwareInfo(), "Unit #1; Electrodes A1-B1");
}

TEST_F(SimulatedUnitLink, ConnectingToAZamo80WaitsForItsChannelsAndNeverChecksTheLid)
{
    const qint64 start = platform::Clock::tickCount();
    comm->connectSimulator(2, true);
    EXPECT_EQ(events, (QStringList{
                          "Status Disconnected",
                          "TX [*]",
                          "TX [8]",
                          "Status! ",
                          "TX [F]",
                          "RX 0 [F1100000000000000]",
                          "Status ZAMO80 Connected; A1-B1",
                          "Found 1100000000000000",
                          "UsbConnected 1 0",
                          "Status ZAMO80 Connected; A1-B1",
                      }));
    EXPECT_TRUE(comm->isZamo80());
    EXPECT_GE(platform::Clock::tickCount() - start, settings.zamo80Delays.findChannelsDelay);
}

TEST_F(SimulatedUnitLink, AnAllChannelAczRunBringsTheCannedDataOfBothChannels)
{
    comm->connectSimulator(2);
    events.clear();
    comm->unitCommands().txMasterAllChannelSend("ACZ", BothChannels);
    comm->setTestRunning(true);
    const qint64 start = platform::Clock::tickCount();
    platform::Clock::waitUntil([this] { return acz.size() >= 2; }, 30000);
    comm->setTestRunning(false);

    ASSERT_EQ(acz.size(), 2u);
    EXPECT_EQ(frames().first(), "TX [A(GA))" + BothChannels + "]");
    for (qint16 ch : {0, 1}) {
        const ReceivedAcz& r = acz[static_cast<size_t>(ch)];
        EXPECT_EQ(r.channel, ch);
        EXPECT_EQ((std::vector<int>{r.zero, r.ref, r.high, r.measure, r.vcc}),
                  (std::vector<int>{2130, 3593, 0, 2175, 1470}));
        EXPECT_TRUE(r.completed);
        EXPECT_FALSE(r.zamo80);
        // The simulated test gives its data 15 seconds after its clock start.
        EXPECT_GE(r.tick - start, 14000);
        EXPECT_LE(r.tick - start, 17000);
    }
    EXPECT_TRUE(events.contains("RX 0 (!)"));
    EXPECT_TRUE(events.contains("RX 1 (!)"));
}

TEST_F(SimulatedUnitLink, AZamo80AczRunGivesTheChannel0DataErrorAndTheAlternateOnTheThirdResend)
{
    comm->connectSimulator(2, true);
    comm->unitCommands().txMasterAllChannelSend("ACZ", BothChannels);
    comm->setTestRunning(true);
    platform::Clock::waitUntil([this] { return acz.size() >= 2; }, 30000);
    comm->setTestRunning(false);
    ASSERT_EQ(acz.size(), 2u);
    EXPECT_EQ(acz[0].channel, 0);
    EXPECT_EQ(acz[0].high, 9999);
    EXPECT_EQ(acz[1].channel, 1);
    EXPECT_EQ(acz[1].high, 0);
    EXPECT_TRUE(acz[0].zamo80);

    std::vector<qint16> resent;
    for (int n = 1; n <= 3; ++n) {
        const size_t before = acz.size();
        comm->channelTests().txResendLastData(0);
        platform::Clock::waitUntil([&] { return acz.size() > before; }, 2000);
        ASSERT_EQ(acz.size(), before + 1) << "resend " << n;
        EXPECT_EQ(acz.back().channel, 0);
        resent.push_back(acz.back().high);
    }
    EXPECT_EQ(resent, (std::vector<qint16>{9999, 9999, 0}));
    EXPECT_EQ(frames().filter("(L)").size(), 3);
}
