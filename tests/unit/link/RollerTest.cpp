// The signal-generator link: finding its own converter, the "(*)" handshake,
// the roll command with its timed wait, and the failure paths of its open
// and close.

#include "RollerFixture.h"

#include <QSignalSpy>

#include <optional>

using platform::Clock;
using platform::FakeD2xx;

TEST_F(RollerTest, OpensTheGeneratorsOwnConverterAndShakesHands)
{
    fake->replyTo("(*)", "(*)", 10, 1);
    roller.connectDevice();
    EXPECT_TRUE(roller.connected());
    EXPECT_TRUE(fake->calls().contains("Open(1)"));
    EXPECT_FALSE(fake->calls().contains("Open(0)"));
    EXPECT_TRUE(fake->calls().contains("SetLatencyTimer(16)"));
    EXPECT_TRUE(fake->calls().contains("SetBaudRate(19200)"));
    EXPECT_TRUE(fake->calls().contains("SetBitMode(0,0)"));
    EXPECT_EQ(events, (QStringList{"TXData((*))", "HardwareStatus(,True)", "UsbConnected(2)"}));
    EXPECT_EQ(roller.display().statusCaption, "Connecting...");
    EXPECT_TRUE(roller.display().connectChecked);
    EXPECT_EQ(roller.display().errorMessage, "");
}

TEST_F(RollerTest, RollsAnElectrodeAndReportsTheEndOfTheWaitAfterRollDelaySeconds)
{
    connectWithHandshake();
    qint64 sentAt = -1, completeAt = -1;
    QObject::connect(&roller, &unit::SignalGeneratorLink::txRollChannelSent, [&](qint16 i) {
        events << QString("TXRollChannelSent(%1)").arg(i);
        sentAt = platform::Clock::tickCount();
    });
    QObject::connect(&roller, &unit::SignalGeneratorLink::rollDelayComplete, [&] {
        events << "RollDelayComplete";
        completeAt = platform::Clock::tickCount();
    });
    // 40 s no longer fits a 16-bit count of milliseconds; the longest delay
    // the settings allow must complete as well.
    for (const qint16 delay : {qint16(10), qint16(0), qint16(40), qint16(32767)}) {
        roller.setRollDelay(delay);
        events.clear();
        roller.txRollChannel(3);
        EXPECT_EQ(events, (QStringList{"TXData((g3))", "TXRollChannelSent(3)", "RollDelayComplete"})) << delay;
        EXPECT_EQ(completeAt - sentAt, qint64(delay) * 1000) << delay;
    }
    roller.setRollDelay(0);
    roller.txRollChannel(31);
    EXPECT_EQ(fake->writes().last(), "(g31)");
}

TEST_F(RollerTest, TellsEveryOpenFailureAsTheOwnerExpects)
{
    using Call = platform::FakeD2xx::Call;
    struct Case {
        const char* name;
        std::function<void(platform::FakeD2xx&)> arrange;
        QStringList events;
    };
    const Case cases[] = {
        {"no converter at all",
         [](platform::FakeD2xx& f) { f.setDevices({}); },
         {"HardwareStatus(No devices found,True)"}},
        {"only the unit's converter",
         [](platform::FakeD2xx& f) {
             f.setDevices({UnitConverter, "FT232R USB UART-S"});
         },
         {"HardwareStatus(No devices found,True)"}},
        {"open fails",
         [](platform::FakeD2xx& f) { f.failNext(Call::Open, platform::FT_DEVICE_NOT_OPENED); },
         {"HardwareStatus(Open failed,True)", "UsbError(Error Opening Port)"}},
        {"queue check fails",
         [](platform::FakeD2xx& f) { f.failNext(Call::GetQueueStatus, platform::FT_IO_ERROR); },
         {"HardwareStatus(Command failed,True)", "UsbError(Error Opening Port)"}},
        {"latency fails",
         [](platform::FakeD2xx& f) { f.failNext(Call::SetLatencyTimer, platform::FT_IO_ERROR); },
         {"HardwareStatus(Latency failed,True)", "UsbError(Error Opening Port)"}},
        {"baud rate fails",
         [](platform::FakeD2xx& f) { f.failNext(Call::SetBaudRate, platform::FT_INVALID_BAUD_RATE); },
         {"HardwareStatus(Baud rate failed,True)", "UsbError(Error Opening Port)"}},
        {"bit mode fails",
         [](platform::FakeD2xx& f) { f.failNext(Call::SetBitMode, platform::FT_IO_ERROR); },
         {"HardwareStatus(Reset failed,True)", "UsbError(Error Opening Port)"}},
        {"no answer to the handshake",
         [](platform::FakeD2xx&) {},
         {"TXData((*))", "HardwareStatus(No ACK Received,True)"}},
        {"the handshake answered twice over",
         [](platform::FakeD2xx& f) { f.replyTo("(*)", "(*)(*)", 10, 1); },
         {"TXData((*))", "HardwareStatus(No ACK Received,True)"}},
    };
    for (const Case& c : cases) {
        platform::ScopedFakeD2xx driver;
        driver->setDevices({UnitConverter, RollerConverter});
        c.arrange(*driver);
        unit::SignalGeneratorLink link;
        QStringList seen;
        QObject::connect(&link, &unit::SignalGeneratorLink::hardwareStatus, [&](const QString& s, bool e) {
            seen << QString("HardwareStatus(%1,%2)").arg(s, e ? "True" : "False");
        });
        QObject::connect(&link, &unit::SignalGeneratorLink::usbError,
                         [&](const QString& s) { seen << "UsbError(" + s + ")"; });
        QObject::connect(&link, &unit::SignalGeneratorLink::txData,
                         [&](const QString& s) { seen << "TXData(" + s + ")"; });
        QSignalSpy connected(&link, &unit::SignalGeneratorLink::usbConnected);
        link.connectDevice();
        EXPECT_EQ(seen, c.events) << c.name;
        // A generator that was not set up or did not answer is not
        // connected, and its port is not left open behind the link's back.
        EXPECT_FALSE(link.connected()) << c.name;
        EXPECT_EQ(connected.count(), 0) << c.name;
        EXPECT_FALSE(link.display().connectChecked) << c.name;
        EXPECT_EQ(driver->openCount(), 0) << c.name;
    }
}

TEST_F(RollerTest, AGeneratorThatDidNotAnswerConnectsOnceItAnswers)
{
    roller.connectDevice();
    EXPECT_FALSE(roller.connected());
    EXPECT_EQ(roller.display().errorMessage, "No ACK Received");

    fake->replyTo("(*)", "(*)", 10, 1);
    events.clear();
    roller.connectDevice();
    EXPECT_TRUE(roller.connected());
    EXPECT_EQ(events, (QStringList{"TXData((*))", "HardwareStatus(,True)", "UsbConnected(2)"}));
    EXPECT_EQ(fake->openCount(), 1);
}

TEST_F(RollerTest, ReopeningClosesTheOpenPortFirst)
{
    connectWithHandshake();
    fake->replyTo("(*)", "(*)", 10, 1);
    roller.connectDevice();
    EXPECT_TRUE(roller.connected());
    EXPECT_EQ(fake->openCount(), 1);
    EXPECT_TRUE(fake->calls().contains("Close(2)"));

    fake->failNext(platform::FakeD2xx::Call::Close, platform::FT_IO_ERROR);
    events.clear();
    roller.connectDevice();
    EXPECT_EQ(events, (QStringList{"HardwareStatus(Close attempt failed,True)", "UsbError(Error Opening Port)"}));
    EXPECT_FALSE(roller.connected());
}

TEST_F(RollerTest, ClosesThePortAndTellsWhenTheCloseFails)
{
    connectWithHandshake();
    fake->failNext(platform::FakeD2xx::Call::Close, platform::FT_IO_ERROR);
    roller.disconnectDevice();
    EXPECT_EQ(events, (QStringList{"HardwareStatus(Close attempt failed,True)"}));
    EXPECT_TRUE(roller.connected());
    EXPECT_EQ(roller.display().errorMessage, "Close attempt failed");

    events.clear();
    roller.disconnectDevice();
    EXPECT_EQ(events, (QStringList{"HardwareStatus(Disconnected,False)", "UsbClosed"}));
    EXPECT_FALSE(roller.connected());
    EXPECT_EQ(fake->openCount(), 0);
    EXPECT_EQ(roller.display().errorMessage, "USB Port Closed");
    EXPECT_EQ(roller.lastErrorText(), "");
    EXPECT_FALSE(roller.display().connectChecked);
}

// What a close tells the owner when the port was not open: a link that
// never opened, or whose open failed, hands handle 0 to the driver, which
// refuses it; a link whose queue check failed let go of the port it had
// opened, and closing that port is what the operator asks for.
TEST_F(RollerTest, ACloseWithoutAnOpenPort)
{
    const QStringList failed{"HardwareStatus(Close attempt failed,True)"};
    const QStringList closed{"HardwareStatus(Disconnected,False)", "UsbClosed"};
    struct Case {
        const char* name;
        std::optional<platform::FakeD2xx::Call> openFailure;
        QStringList events;
        QString errorMessage;
    };
    for (const Case& c :
         {Case{"never opened", std::nullopt, failed, "Close attempt failed"},
          Case{"open failed", platform::FakeD2xx::Call::Open, failed, "Close attempt failed"},
          Case{"queue check failed", platform::FakeD2xx::Call::GetQueueStatus, closed, "USB Port Closed"}}) {
        SCOPED_TRACE(c.name);
        unit::SignalGeneratorLink link;
        QStringList seen;
        QObject::connect(&link, &unit::SignalGeneratorLink::hardwareStatus, [&](const QString& s, bool e) {
            seen << QString("HardwareStatus(%1,%2)").arg(s, e ? "True" : "False");
        });
        QObject::connect(&link, &unit::SignalGeneratorLink::usbClosed, [&] { seen << "UsbClosed"; });
        if (c.openFailure) {
            fake->failNext(*c.openFailure, platform::FT_IO_ERROR);
            link.connectDevice();
            ASSERT_FALSE(link.connected());
        }
        seen.clear();
        link.disconnectDevice();
        EXPECT_EQ(seen, c.events);
        EXPECT_FALSE(link.connected());
        EXPECT_EQ(link.display().errorMessage, c.errorMessage);
        EXPECT_EQ(fake->openCount(), 0);
    }
    EXPECT_TRUE(fake->calls().contains("Close(0)"));
}

TEST(RollerLifetime, AnOpenPortIsClosedWhenTheLinkGoesAndAFailedCloseIsTold)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    platform::ScopedFakeD2xx fake;
    fake->setDevices({RollerConverter});
    fake->replyTo("(*)", "(*)", 10);
    {
        unit::SignalGeneratorLink roller;
        roller.connectDevice();
        ASSERT_TRUE(roller.connected());
    }
    EXPECT_EQ(fake->openCount(), 0);

    auto roller = std::make_unique<unit::SignalGeneratorLink>();
    roller->connectDevice();
    QStringList seen;
    QObject::connect(roller.get(), &unit::SignalGeneratorLink::hardwareStatus,
                     [&](const QString& s, bool e) { seen << QString("%1,%2").arg(s).arg(e); });
    QSignalSpy closed(roller.get(), &unit::SignalGeneratorLink::usbClosed);
    fake->failNext(platform::FakeD2xx::Call::Close, platform::FT_IO_ERROR);
    roller.reset();
    EXPECT_EQ(seen, QStringList{"Close attempt failed,1"});
    EXPECT_EQ(closed.count(), 0);
    platform::Clock::useRealTime();
}
