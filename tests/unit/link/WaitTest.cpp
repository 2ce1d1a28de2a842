#include "LinkFixture.h"
#include "UnitLinkTestAccess.h"
#include "platform/Timer.h"

using platform::Clock;

namespace {

using Wait = LinkFixture;

// Runs `action` once, `atMs` from now, from a timer (as a window event would).
class At {
public:
    At(qint64 atMs, std::function<void()> action) : m_action(std::move(action))
    {
        m_timer.setInterval(static_cast<int>(atMs));
        QObject::connect(&m_timer, &platform::Timer::timeout, [this] {
            m_timer.stop();
            m_action();
        });
        m_timer.start();
    }

private:
    platform::Timer m_timer;
    std::function<void()> m_action;
};

TEST_F(Wait, AFullWaitEndsOnTimeWithTheTimersRunning)
{
    int ticks = 0;
    At probe(300, [&] { ++ticks; });
    UnitLinkTestAccess::Wait(*comm, 1000, false);
    EXPECT_EQ(platform::Clock::tickCount(), 1000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(UnitLinkTestAccess::waitDepth(*comm), 0);
    EXPECT_FALSE(UnitLinkTestAccess::delayTimerOn(*comm));
}

TEST_F(Wait, AnOutermostWaitEndingByHalfTimeWaitsOnceMoreWithPollingSuspended)
{
    struct Case {
        qint64 endsAt;
        qint64 expectedEnd;
    };
    for (const Case& c : {Case{400, 1400}, Case{500, 1500}, Case{600, 600}}) {
        connectedUnit(Model::Base);
        const qint64 start = platform::Clock::tickCount();
        bool pollingDuringRepeat = true;
        At early(c.endsAt, [&] { UnitLinkTestAccess::delayTick(*comm); });
        At probe(c.endsAt + 100, [&] { pollingDuringRepeat = UnitLinkTestAccess::pollingEnabled(*comm); });
        UnitLinkTestAccess::Wait(*comm, 1000, false);
        EXPECT_EQ(platform::Clock::tickCount() - start, c.expectedEnd) << "ended at " << c.endsAt;
        if (c.expectedEnd > 1000) {
            EXPECT_FALSE(pollingDuringRepeat) << "ended at " << c.endsAt;
        }
        EXPECT_TRUE(UnitLinkTestAccess::pollingEnabled(*comm));
        comm->disconnectDevice();
    }
}

TEST_F(Wait, ANestedWaitEndsTheOuterOneWithoutARepeat)
{
    qint64 innerEnd = -1;
    At nested(100, [&] {
        UnitLinkTestAccess::Wait(*comm, 200, false);
        innerEnd = platform::Clock::tickCount();
    });
    UnitLinkTestAccess::Wait(*comm, 1000, false);
    EXPECT_EQ(innerEnd, 300);
    EXPECT_EQ(platform::Clock::tickCount(), 300);
    EXPECT_EQ(UnitLinkTestAccess::waitDepth(*comm), 0);
    EXPECT_FALSE(UnitLinkTestAccess::delayTimerOn(*comm));
}

TEST_F(Wait, ASuspendingWaitRestoresThePollTimerAsItFoundIt)
{
    UnitLinkTestAccess::Wait(*comm, 100, true);
    EXPECT_FALSE(UnitLinkTestAccess::pollingEnabled(*comm));
    connectedUnit(Model::Base);
    bool during = true;
    At probe(50, [&] { during = UnitLinkTestAccess::pollingEnabled(*comm); });
    UnitLinkTestAccess::Wait(*comm, 100, true);
    EXPECT_FALSE(during);
    EXPECT_TRUE(UnitLinkTestAccess::pollingEnabled(*comm));
}

TEST_F(Wait, AZeroWaitReturns)
{
    UnitLinkTestAccess::Wait(*comm, 0, false);
    EXPECT_EQ(platform::Clock::tickCount(), 0);
    EXPECT_EQ(UnitLinkTestAccess::waitDepth(*comm), 0);
}

} // namespace
