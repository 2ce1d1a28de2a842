#include "LinkFixture.h"
#include "UsbCommTestAccess.h"

using platform::Clock;

namespace {

class PollCycle : public LinkFixture {
protected:
    void Present(std::initializer_list<int> channels)
    {
        for (int c : channels)
            comm->Electrode(c)->setConnected(true);
    }
    // The frames sent by the next n ticks, one entry per tick ("" for a silent tick).
    QStringList Ticks(int n)
    {
        QStringList perTick;
        for (int i = 0; i < n; ++i) {
            events.clear();
            Clock::advance(150);
            perTick << Only("TX ").join(" ").remove("TX ");
        }
        return perTick;
    }
};

TEST_F(PollCycle, PollsPresentChannelsInTurnThenQueuesTheKeepAlive)
{
    ConnectedUnit(Model::Base);
    Present({0, 2, 15});
    comm->setTestRunning(true);
    EXPECT_EQ(Ticks(6), QStringList({"[C00(?)]", "[C02(?)]", "[C15(?)]", "", "[*]", "[C00(?)]"}));
    EXPECT_EQ(UsbCommTestAccess::LastChannel(*comm), 0);
}

TEST_F(PollCycle, WithoutTheLastChannelTheCycleNeverQueuesTheKeepAlive)
{
    ConnectedUnit(Model::Base);
    Present({0, 2});
    comm->setTestRunning(true);
    EXPECT_EQ(Ticks(6), QStringList({"[C00(?)]", "[C02(?)]", "[C00(?)]", "[C02(?)]", "[C00(?)]", "[C02(?)]"}));
}

TEST_F(PollCycle, WithNoChannelTheKeepAliveGoesOutEveryEighteenTicks)
{
    ConnectedUnit(Model::Base);
    comm->setTestRunning(true);
    const QStringList ticks = Ticks(36);
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(ticks[i], (i == 17 || i == 35) ? "[*]" : "") << "tick " << i + 1;
}

TEST_F(PollCycle, QueuedFramesGoFirstOnePerTick)
{
    ConnectedUnit(Model::Base);
    Present({1});
    comm->setTestRunning(true);
    comm->SendCommandToChannel("(GA)", 3);
    comm->SendCommandToChannel("[D]", -1);
    comm->SendCommandToChannel("(X)", 12);
    EXPECT_EQ(Ticks(4), QStringList({"[C03(GA)]", "[D]", "[C12(X)]", "[C01(?)]"}));
    EXPECT_EQ(UsbCommTestAccess::LastChannel(*comm), 1);
}

TEST_F(PollCycle, InhibitedPollingStillSendsTheQueueButNoPolls)
{
    ConnectedUnit(Model::Base);
    Present({0});
    comm->setTestRunning(true);
    Globals::InhibitPolling = true;
    comm->SendCommandToChannel("(MV1)", 0);
    EXPECT_EQ(Ticks(20).join("|"), "[C00(MV1)]" + QString("|").repeated(19));
    // Without channels the cycle would queue the keep-alive every 18 ticks.
    comm->Electrode(0)->setConnected(false);
    EXPECT_EQ(Ticks(36).join(""), "");
    Globals::InhibitPolling = false;
    EXPECT_TRUE(Ticks(18).contains("[*]"));
}

TEST_F(PollCycle, NothingIsPolledWithoutARunningTestOrWhileClosed)
{
    ConnectedUnit(Model::Base);
    Present({0});
    EXPECT_EQ(Ticks(3).join(""), "");
    comm->setTestRunning(true);
    comm->Disconnect();
    comm->SendCommandToChannel("(GA)", 0);
    EXPECT_EQ(Ticks(3).join(""), "");
    // Frames queued while closed go out after the next open.
    comm->Connect();
    events.clear();
    EXPECT_EQ(Ticks(2), QStringList({"[C00(GA)]", "[C00(?)]"}));
}

TEST_F(PollCycle, FramingOfChannelAndUnitFrames)
{
    ConnectedUnit(Model::Base);
    comm->SendCommandToChannel("(GA)", 3, true);
    comm->SendCommandToChannel("(GA)", 12, true);
    comm->SendCommandToChannel("[*]", -1, true);
    EXPECT_EQ(fake->writes(), QList<QByteArray>({"[C03(GA)]", "[C12(GA)]", "[*]"}));
    EXPECT_EQ(UsbCommTestAccess::LastChannel(*comm), 12);
}

TEST_F(PollCycle, AChannelAboveFifteenIsNeverSentNorRemembered)
{
    ConnectedUnit(Model::Base);
    comm->SendCommandToChannel("(GA)", 5, true);
    comm->SendCommandToChannel("(GA)", 16, true);
    comm->SendCommandToChannel("(GA)", 40);
    Clock::advance(300);
    EXPECT_EQ(fake->writes(), QList<QByteArray>({"[C05(GA)]"}));
    EXPECT_EQ(UsbCommTestAccess::LastChannel(*comm), 5);
}

TEST_F(PollCycle, AHandlerWaitingInsideATickDoesNotRunTheCycleTwice)
{
    ConnectedUnit(Model::Base);
    Present({0, 1});
    comm->setTestRunning(true);
    comm->SendCommandToChannel("(L)", 1);
    bool waited = false;
    QObject::connect(comm.get(), &ctlZAMOUsbComm::TXData, [&](int, const QString& frame) {
        if (frame == "[C01(L)]" && !waited) {
            waited = true;   // the owner waits inside the tick, as the lid check does
            UsbCommTestAccess::Wait(*comm, 1000, false);
        }
    });
    events.clear();
    Clock::advance(150);
    EXPECT_EQ(Only("TX "), QStringList({"TX [C01(L)]"}));
    EXPECT_EQ(Ticks(3), QStringList({"[C00(?)]", "[C01(?)]", "[C00(?)]"}));
}

TEST_F(PollCycle, SendDataAndPollReturnsWhatArrivedWithinTheDelay)
{
    ConnectedUnit(Model::Base);
    fake->replyTo("[D]", "[D0629,", 20, 1);
    fake->replyTo("[D]", "late", 80, 1);
    EXPECT_EQ(comm->SendDataAndPoll("[D]", 50), "[D0629,");
    EXPECT_EQ(comm->SendDataAndPoll("[D]", 50), "");
    EXPECT_EQ(comm->SendDataAndPoll("[x]", 50), "late");
    EXPECT_TRUE(UsbCommTestAccess::PollingEnabled(*comm));
    comm->DisablePolling();
    comm->SendDataAndPoll("[x]", 50);
    EXPECT_FALSE(UsbCommTestAccess::PollingEnabled(*comm));
}

} // namespace
