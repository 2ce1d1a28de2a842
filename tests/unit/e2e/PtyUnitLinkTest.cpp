// The unit link end to end on Linux: the converter driver finds the "unit"
// through a fake device tree, and a unit emulator on the master end of a
// pseudo-terminal pair answers with the simulated unit's replies. An ACZ run
// gives what it gives in simulator mode; losing the device brings the
// automatic reconnection of a ZAMO80.

#include "UnitRecorder.h"
#include "platform/ScriptedPrompts.h"
#include "support/FakeSerialTree.h"
#include "support/PtyUnitEmulator.h"
#include "support/UnitReplies.h"
#include "unit/SignalGeneratorLink.h"
#include "unit/SimulatedUnit.h"

#include <QSignalSpy>

using platform::Clock;

namespace {

const QString BothChannels = "1100000000000000";

// Runs an all-channel ACZ test on both channels of a connected ZAMO80 and
// resends channel 0's data three times; returns the ACZ data as read.
QStringList aczRunWithResends(unit::UnitLink& comm, std::vector<ReceivedAcz>& acz)
{
    comm.unitCommands().txMasterAllChannelSend("ACZ", BothChannels);
    comm.setTestRunning(true);
    platform::Clock::waitUntil([&] { return acz.size() >= 2; }, 30000);
    for (int n = 0; n < 3; ++n) {
        const size_t before = acz.size();
        comm.channelTests().txResendLastData(0);
        platform::Clock::waitUntil([&] { return acz.size() > before; }, 2000);
    }
    comm.setTestRunning(false);
    QStringList readings;
    for (const ReceivedAcz& r : acz)
        readings << QString("%1: %2,%3,%4,%5,%6 %7 %8")
                        .arg(r.channel)
                        .arg(r.zero)
                        .arg(r.ref)
                        .arg(r.high)
                        .arg(r.measure)
                        .arg(r.vcc)
                        .arg(r.completed)
                        .arg(r.zamo80);
    return readings;
}

const QStringList ExpectedZamo80Run = {
    "0: 2130,3593,9999,2175,0 1 1", "1: 2130,3593,0,2175,0 1 1", "0: 2130,3593,9999,2175,0 1 1",
    "0: 2130,3593,9999,2175,0 1 1", "0: 2130,3593,0,2175,0 1 1",
};

class PtyUnitLink : public UnitRecorder {
protected:
    void SetUp() override
    {
        UnitRecorder::SetUp();
        if (!testsupport::FakeSerialTree::pseudoTerminalsAvailable())
            GTEST_SKIP() << "This machine gives no pseudo-terminals";
        auto emulator = std::make_unique<testsupport::PtyUnitEmulator>(tree);
        unit = emulator.get();
        previous = platform::D2xx::install(std::move(emulator));
        ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
        sim.setNumOfChannels(2);
        sim.setZamo80(true);
        sim.init();
        unit->setResponder(0, ']', [this](const QByteArray& frame) {
            return sim.rxData(QString::fromLatin1(frame), true).toLatin1();
        });
        // The broadcast answers of an all-channel frame come one by one.
        QObject::connect(&sim, &unit::SimulatedUnit::dataReady,
                         [this](const QString& d, qint16) { unit->send(0, d.toLatin1()); });
    }
    void TearDown() override
    {
        UnitRecorder::TearDown();
        if (previous)
            platform::D2xx::install(std::move(previous));
    }

    testsupport::FakeSerialTree tree;
    testsupport::PtyUnitEmulator* unit = nullptr;
    std::unique_ptr<platform::D2xx> previous;
    unit::SimulatedUnit sim;
};

} // namespace

TEST_F(PtyUnitLink, OpensTheUnitFoundThroughTheDeviceTreeAndIdentifiesIt)
{
    comm->connectDevice();
    platform::Clock::advance(1000);
    EXPECT_TRUE(comm->connected());
    EXPECT_TRUE(comm->isZamo80());
    EXPECT_EQ(frames(), (QStringList{"TX [*]", "TX [8]", "TX [F]", "TX [L]"}));
    EXPECT_TRUE(events.contains("Status Connecting..."));
    EXPECT_TRUE(events.contains("Found 1100000000000000"));
    EXPECT_TRUE(events.contains("Lid 1"));
    EXPECT_TRUE(events.contains("UsbConnected 1 0"));
    EXPECT_EQ(comm->status().hardwareInfo(), "Unit #1; Electrodes A1-B1");
    EXPECT_EQ(unit->received(0), "[*][8][F][L]");
}

TEST_F(PtyUnitLink, AnAczRunGivesTheSameDataAsInSimulatorMode)
{
    comm->connectDevice();
    ASSERT_TRUE(comm->isZamo80());
    EXPECT_EQ(aczRunWithResends(*comm, acz), ExpectedZamo80Run);
}

TEST_F(PtyUnitLink, LosingTheDeviceReconnectsWithoutLookingForChannelsAgain)
{
    comm->connectDevice();
    platform::Clock::advance(1000);
    ASSERT_TRUE(comm->connected());
    ASSERT_TRUE(comm->lidClosed());
    // The device comes back while the link waits before reopening, with its
    // lid opened meanwhile.
    QObject::connect(comm.get(), &unit::UnitLink::usbReconnecting, [this](int) {
        tree.replug(0);
        unit->setResponder(0, ']', [this](const QByteArray& frame) {
            return frame == "[L]" ? QByteArray("[L1]") : sim.rxData(QString::fromLatin1(frame), true).toLatin1();
        });
    });
    QList<bool> lidAtConnected;
    QObject::connect(comm.get(), &unit::UnitLink::usbConnected, [&] { lidAtConnected << comm->lidClosed(); });
    events.clear();

    // The read that fails runs in a poll tick; the reconnection runs inside
    // it, and the ticks during its lid check read the unit's answer.
    tree.closeMaster(0);
    platform::Clock::waitUntil([this] { return events.contains("UsbConnected 1 0"); }, 20000);

    const QStringList linkEvents = events.filter(QRegularExpression("^(Usb|TX |Lid )"));
    EXPECT_EQ(linkEvents,
              (QStringList{"UsbReconnecting", "UsbClosed", "TX [*]", "TX [8]", "TX [L]", "Lid 0", "UsbConnected 1 0"}));
    EXPECT_EQ(lidAtConnected, QList<bool>{false});
    EXPECT_FALSE(events.filter("UsbError").size());
    EXPECT_TRUE(comm->connected());
    EXPECT_FALSE(comm->reconnecting());
    EXPECT_EQ(comm->status().hardwareInfo(), "Unit #1; Electrodes A1-B1"); // the channel map is kept
}

// A message box that opens in the handler of a reply, inside a poll tick:
// while it waits for the operator, the link goes on polling, and the unit's
// answers that come over the pseudo-terminal meanwhile are read.
TEST_F(PtyUnitLink, RepliesThatArriveWhileABoxIsOpenAreRead)
{
    comm->connectDevice();
    platform::Clock::advance(1000);
    ASSERT_TRUE(comm->connected());
    auto prompts = std::make_unique<platform::ScriptedPrompts>();
    prompts->messageOpenMs = 60000;
    platform::ScriptedPrompts* box = prompts.get();
    std::unique_ptr<platform::Prompts> previousPrompts = platform::Prompts::install(std::move(prompts));
    int idle = 0;
    int idleWhileOpen = -1;
    testsupport::onReply<unit::ChannelIdle>(comm.get(), [&](int, qint16, const unit::ChannelIdle&) {
        if (++idle > 1)
            return;
        const int before = idle;
        platform::Prompts::instance().message("Unit event", "Title");
        idleWhileOpen = idle - before;
    });
    events.clear();
    comm->setTestRunning(true);
    platform::Clock::advance(600);
    comm->setTestRunning(false);

    EXPECT_EQ(box->messages().size(), 1);
    // A poll every 150 ms for a minute, each answered "(*)" by the unit.
    EXPECT_GT(idleWhileOpen, 300);
    EXPECT_GT(frames().filter("(?)").size(), 300);
    platform::Prompts::install(std::move(previousPrompts));
}

using SimulatedUnitRun = UnitRecorder;

TEST_F(SimulatedUnitRun, AZamo80AczRunInSimulatorModeGivesTheSameData)
{
    comm->connectSimulator(2, true);
    EXPECT_EQ(aczRunWithResends(*comm, acz), ExpectedZamo80Run);
}

TEST_F(PtyUnitLink, TheUnitAndTheSignalGeneratorEachOpenTheirOwnConverter)
{
    ASSERT_GE(tree.addDevice(1, "FT232R USB UART-SG"), 0);
    unit->setResponder(1, ')',
                       [](const QByteArray& frame) { return frame == "(*)" ? QByteArray("(*)") : QByteArray(); });
    unit::SignalGeneratorLink roller;
    roller.setRollDelay(10);
    QSignalSpy rollerConnected(&roller, &unit::SignalGeneratorLink::usbConnected);
    QSignalSpy rollComplete(&roller, &unit::SignalGeneratorLink::rollDelayComplete);

    comm->connectDevice();
    roller.connectDevice();
    EXPECT_TRUE(comm->connected());
    EXPECT_TRUE(roller.connected());
    EXPECT_EQ(rollerConnected.count(), 1);

    const qint64 start = platform::Clock::tickCount();
    roller.txRollChannel(3);
    EXPECT_EQ(platform::Clock::tickCount() - start, 10000);
    EXPECT_EQ(rollComplete.count(), 1);
    EXPECT_EQ(unit->received(1), "(*)(g3)");
    EXPECT_FALSE(unit->received(0).contains("(g3)"));
    EXPECT_TRUE(unit->received(0).startsWith("[*][8][F][L]"));
}
