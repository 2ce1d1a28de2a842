#include "LinkFixture.h"
#include "UsbCommTestAccess.h"

#include "platform/ScriptedPrompts.h"

#include <utility>

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
    comm->setPollingInhibited(true);
    comm->SendCommandToChannel("(MV1)", 0);
    EXPECT_EQ(Ticks(20).join("|"), "[C00(MV1)]" + QString("|").repeated(19));
    // Without channels the cycle would queue the keep-alive every 18 ticks.
    comm->Electrode(0)->setConnected(false);
    EXPECT_EQ(Ticks(36).join(""), "");
    comm->setPollingInhibited(false);
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

// A tick held by a wait or a message box that starts inside it, in the
// handler of the frame it sent or of a reply it read: the ticks that fall due
// meanwhile poll and read as usual, every frame goes out once and in turn,
// and the held tick, when it resumes, sends nothing more.
TEST_F(PollCycle, TheCycleGoesOnWhileATickIsHeld)
{
    enum class Hold { WaitAfterSending, WaitAfterAReply, BoxAfterAReply };
    struct Case {
        const char* name;
        Hold hold;
    };
    for (const Case& c : {Case{"a wait in the handler of a frame sent", Hold::WaitAfterSending},
                          Case{"a wait in the handler of a reply", Hold::WaitAfterAReply},
                          Case{"a message box in the handler of a reply", Hold::BoxAfterAReply}}) {
        SCOPED_TRACE(c.name);
        platform::ScopedFakeD2xx driver;
        driver->setDevices({"FT232R USB UART"});
        driver->replyTo("[*]", "[*]", 5);
        driver->replyTo("[C00(?)]", "(*)", 20);
        driver->replyTo("[C01(?)]", "(!)", 20);
        ctlZAMOUsbComm link(1);
        link.Connect();
        ASSERT_TRUE(link.Connected());
        Clock::advance(1000);
        auto prompts = std::make_unique<platform::ScriptedPrompts>();
        prompts->messageOpenMs = 1000;
        std::unique_ptr<platform::Prompts> previousPrompts = platform::Prompts::install(std::move(prompts));
        QStringList seen;
        bool held = false;
        bool holding = false;
        const auto holdOnce = [&] {
            if (std::exchange(held, true))
                return;
            holding = true;
            seen << "hold";
            if (c.hold == Hold::BoxAfterAReply)
                platform::Prompts::instance().message("Unit event", "Title");
            else
                UsbCommTestAccess::Wait(link, 1000, false);
            seen << "resume";
            holding = false;
        };
        QObject::connect(&link, &ctlZAMOUsbComm::TXData, [&](int, const QString& frame) {
            seen << "TX " + frame;
            if (c.hold == Hold::WaitAfterSending && frame == "[C01(L)]")
                holdOnce();
        });
        QObject::connect(&link, &ctlZAMOUsbComm::RXIdle, [&](int, qint16 channel) {
            seen << QString("idle %1").arg(channel);
            if (c.hold != Hold::WaitAfterSending)
                holdOnce();
        });
        QObject::connect(&link, &ctlZAMOUsbComm::RXTestDataNotReady,
                         [&](int, qint16 channel) { seen << QString("not ready %1").arg(channel); });
        link.Electrode(0)->setConnected(true);
        link.Electrode(1)->setConnected(true);
        link.setTestRunning(true);
        link.SendCommandToChannel("(L)", 1);
        link.SendCommandToChannel("(K)", 0);
        // The replies come 20 ms after each poll; a tick comes every 150 ms.
        Clock::advance(150 * 12);
        ASSERT_TRUE(held);
        EXPECT_FALSE(holding);
        const qsizetype hold = seen.indexOf("hold");
        const qsizetype resume = seen.indexOf("resume");
        // While held: the rest of the queue, then polls, and their replies read.
        const QStringList during = seen.mid(hold + 1, resume - hold - 1);
        EXPECT_GE(during.filter("TX [C0").size(), 5) << seen.join(" | ").toStdString();
        EXPECT_TRUE(during.contains("not ready 1")) << seen.join(" | ").toStdString();
        // Every frame once, in the order the cycle gives them.
        QStringList sent = seen.filter("TX ");
        sent.replaceInStrings("TX ", "");
        EXPECT_EQ(sent.mid(0, 6), QStringList({"[C01(L)]", "[C00(K)]", "[C00(?)]", "[C01(?)]", "[C00(?)]",
                                               "[C01(?)]"}))
            << seen.join(" | ").toStdString();
        EXPECT_EQ(sent.count("[C01(L)]"), 1);
        EXPECT_EQ(sent.count("[C00(K)]"), 1);
        for (qsizetype i = 2; i < sent.size(); ++i)
            EXPECT_EQ(sent[i], i % 2 == 0 ? "[C00(?)]" : "[C01(?)]") << i;
        // The replies of the polls were read, each once (the last may still be on its way).
        const qsizetype replies = seen.filter("idle 0").size() + seen.filter("not ready 1").size();
        const qsizetype polls = sent.size() - 2;
        EXPECT_TRUE(replies == polls || replies == polls - 1) << seen.join(" | ").toStdString();
        link.setTestRunning(false);
        platform::Prompts::install(std::move(previousPrompts));
    }
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
