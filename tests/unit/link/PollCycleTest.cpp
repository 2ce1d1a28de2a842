#include "LinkFixture.h"
#include "UnitLinkTestAccess.h"
#include "platform/ScriptedPrompts.h"
#include "support/UnitReplies.h"

#include <utility>

using platform::Clock;

namespace {

class PollCycle : public LinkFixture {
protected:
    void present(std::initializer_list<int> channels)
    {
        for (int c : channels)
            comm->channels().electrode(c)->setConnected(true);
    }
    // The frames sent by the next n ticks, one entry per tick ("" for a silent tick).
    QStringList ticks(int n)
    {
        QStringList perTick;
        for (int i = 0; i < n; ++i) {
            events.clear();
            platform::Clock::advance(150);
            perTick << only("TX ").join(" ").remove("TX ");
        }
        return perTick;
    }
};

TEST_F(PollCycle, PollsPresentChannelsInTurnThenQueuesTheKeepAlive)
{
    connectedUnit(Model::Base);
    present({0, 2, 15});
    comm->setTestRunning(true);
    EXPECT_EQ(ticks(6), QStringList({"[C00(?)]", "[C02(?)]", "[C15(?)]", "", "[*]", "[C00(?)]"}));
    EXPECT_EQ(UnitLinkTestAccess::lastChannel(*comm), 0);
}

TEST_F(PollCycle, WithoutTheLastChannelTheCycleNeverQueuesTheKeepAlive)
{
    connectedUnit(Model::Base);
    present({0, 2});
    comm->setTestRunning(true);
    EXPECT_EQ(ticks(6), QStringList({"[C00(?)]", "[C02(?)]", "[C00(?)]", "[C02(?)]", "[C00(?)]", "[C02(?)]"}));
}

TEST_F(PollCycle, WithNoChannelTheKeepAliveGoesOutEveryEighteenTicks)
{
    connectedUnit(Model::Base);
    comm->setTestRunning(true);
    const QStringList sent = ticks(36);
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(sent[i], (i == 17 || i == 35) ? "[*]" : "") << "tick " << i + 1;
}

TEST_F(PollCycle, QueuedFramesGoFirstOnePerTick)
{
    connectedUnit(Model::Base);
    present({1});
    comm->setTestRunning(true);
    comm->sendCommandToChannel("(GA)", 3);
    comm->sendCommandToChannel("[D]", -1);
    comm->sendCommandToChannel("(X)", 12);
    EXPECT_EQ(ticks(4), QStringList({"[C03(GA)]", "[D]", "[C12(X)]", "[C01(?)]"}));
    EXPECT_EQ(UnitLinkTestAccess::lastChannel(*comm), 1);
}

TEST_F(PollCycle, InhibitedPollingStillSendsTheQueueButNoPolls)
{
    connectedUnit(Model::Base);
    present({0});
    comm->setTestRunning(true);
    comm->setPollingInhibited(true);
    comm->sendCommandToChannel("(MV1)", 0);
    EXPECT_EQ(ticks(20).join("|"), "[C00(MV1)]" + QString("|").repeated(19));
    // Without channels the cycle would queue the keep-alive every 18 ticks.
    comm->channels().electrode(0)->setConnected(false);
    EXPECT_EQ(ticks(36).join(""), "");
    comm->setPollingInhibited(false);
    EXPECT_TRUE(ticks(18).contains("[*]"));
}

TEST_F(PollCycle, NothingIsPolledWithoutARunningTestOrWhileClosed)
{
    connectedUnit(Model::Base);
    present({0});
    EXPECT_EQ(ticks(3).join(""), "");
    comm->setTestRunning(true);
    comm->disconnectDevice();
    comm->sendCommandToChannel("(GA)", 0);
    EXPECT_EQ(ticks(3).join(""), "");
    // Frames queued while closed go out after the next open.
    comm->connectDevice();
    events.clear();
    EXPECT_EQ(ticks(2), QStringList({"[C00(GA)]", "[C00(?)]"}));
}

TEST_F(PollCycle, FramingOfChannelAndUnitFrames)
{
    connectedUnit(Model::Base);
    comm->sendCommandToChannel("(GA)", 3, true);
    comm->sendCommandToChannel("(GA)", 12, true);
    comm->sendCommandToChannel("[*]", -1, true);
    EXPECT_EQ(fake->writes(), QList<QByteArray>({"[C03(GA)]", "[C12(GA)]", "[*]"}));
    EXPECT_EQ(UnitLinkTestAccess::lastChannel(*comm), 12);
}

TEST_F(PollCycle, AChannelAboveFifteenIsNeverSentNorRemembered)
{
    connectedUnit(Model::Base);
    comm->sendCommandToChannel("(GA)", 5, true);
    comm->sendCommandToChannel("(GA)", 16, true);
    comm->sendCommandToChannel("(GA)", 40);
    platform::Clock::advance(300);
    EXPECT_EQ(fake->writes(), QList<QByteArray>({"[C05(GA)]"}));
    EXPECT_EQ(UnitLinkTestAccess::lastChannel(*comm), 5);
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
        unit::UnitLink link(1);
        link.connectDevice();
        ASSERT_TRUE(link.connected());
        platform::Clock::advance(1000);
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
                UnitLinkTestAccess::Wait(link, 1000, false);
            seen << "resume";
            holding = false;
        };
        QObject::connect(&link, &unit::UnitLink::txData, [&](int, const QString& frame) {
            seen << "TX " + frame;
            if (c.hold == Hold::WaitAfterSending && frame == "[C01(L)]")
                holdOnce();
        });
        testsupport::onReply<unit::ChannelIdle>(&link, [&](int, qint16 channel, const unit::ChannelIdle&) {
            seen << QString("idle %1").arg(channel);
            if (c.hold != Hold::WaitAfterSending)
                holdOnce();
        });
        testsupport::onReply<unit::TestDataNotReady>(&link, [&](int, qint16 channel, const unit::TestDataNotReady&) {
            seen << QString("not ready %1").arg(channel);
        });
        link.channels().electrode(0)->setConnected(true);
        link.channels().electrode(1)->setConnected(true);
        link.setTestRunning(true);
        link.sendCommandToChannel("(L)", 1);
        link.sendCommandToChannel("(K)", 0);
        // The replies come 20 ms after each poll; a tick comes every 150 ms.
        platform::Clock::advance(150 * 12);
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
        EXPECT_EQ(sent.mid(0, 6), QStringList({"[C01(L)]", "[C00(K)]", "[C00(?)]", "[C01(?)]", "[C00(?)]", "[C01(?)]"}))
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
    connectedUnit(Model::Base);
    fake->replyTo("[D]", "[D0629,", 20, 1);
    fake->replyTo("[D]", "late", 80, 1);
    EXPECT_EQ(comm->sendDataAndPoll("[D]", 50), "[D0629,");
    EXPECT_EQ(comm->sendDataAndPoll("[D]", 50), "");
    EXPECT_EQ(comm->sendDataAndPoll("[x]", 50), "late");
    EXPECT_TRUE(UnitLinkTestAccess::pollingEnabled(*comm));
    comm->disablePolling();
    comm->sendDataAndPoll("[x]", 50);
    EXPECT_FALSE(UnitLinkTestAccess::pollingEnabled(*comm));
}

} // namespace
