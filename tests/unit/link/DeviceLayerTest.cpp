#include "LinkFixture.h"
#include "UnitLinkTestAccess.h"
#include "support/UnitReplies.h"
#include "unit/UsbDevice.h"

#include <utility>

using platform::Clock;
using platform::FakeD2xx;
using Call = platform::FakeD2xx::Call;

namespace {

using DeviceLayer = LinkFixture;

TEST_F(DeviceLayer, StatusTextsFollowTheDriverCodes)
{
    const QStringList texts = {" - Invalid Handle",
                               " - Device Not Found",
                               " - Device Not Opened",
                               " - General IO Error",
                               " - Insufficient Resources",
                               " - Invalid Parameter",
                               " - Invalid Baud Rate",
                               " - Device not opened for Erase",
                               " - Device not opened for Write",
                               " - Failed to write Device",
                               " - EEPROM read failed",
                               " - EEPROM write failed",
                               " - EEPROM erase failed",
                               " - EEPROM not present",
                               " - EEPROM not programmed",
                               " - Invalid Arguments",
                               " - not supported",
                               " - other error"};
    for (int code = 1; code <= 18; ++code)
        EXPECT_EQ(unit::UsbDevice::statusText(code), texts[code - 1]) << code;
    for (int code : {0, 19, -3})
        EXPECT_EQ(unit::UsbDevice::statusText(code), "") << code;
}

TEST_F(DeviceLayer, TheModelComesFromTheUnitsAnswers)
{
    struct Case {
        QByteArray query, answer;
        bool zamo80, zamo24;
        const char* logLine;
    };
    for (const Case& c : {Case{"[8]", "[8]", true, false, "ZAMO80 Detected"}, Case{"[8]", "[9]", true, false, nullptr},
                          Case{"[2]", "[2]", false, true, "ZAMO24 Detected"}, Case{"[2]", "[3]", false, true, nullptr},
                          Case{"[8]", "[7]", false, false, "ZAMO Detected"}}) {
        platform::ScopedFakeD2xx driver;
        driver->setDevices({"FT232R USB UART"});
        driver->replyTo("[*]", "[*]", 5);
        driver->replyTo(c.query, c.answer, 5);
        log.clear();
        comm->connectDevice();
        EXPECT_EQ(comm->isZamo80(), c.zamo80) << c.answer.constData();
        EXPECT_EQ(comm->isZamo24(), c.zamo24) << c.answer.constData();
        if (c.logLine) {
            EXPECT_TRUE(log.contains(c.logLine)) << c.answer.constData();
        }
        comm->disconnectDevice();
    }
}

TEST_F(DeviceLayer, OpensTheLowestUnitConverterAndNeverTheSignalGenerator)
{
    fake->setDevices({"FT232R USB UART-SG", "FT232R USB UART", "FT232R USB UART"});
    fake->replyTo("[*]", "[*]", 5);
    comm->connectDevice();
    EXPECT_TRUE(fake->calls().contains("Open(1)"));
    EXPECT_FALSE(fake->calls().contains("Open(0)"));
    EXPECT_EQ(only("UsbConnected"), QStringList({"UsbConnected 0 0"}));
    EXPECT_TRUE(log.contains("ZAMO USB Device detected"));
    EXPECT_TRUE(fake->calls().contains("SetLatencyTimer(16)"));
    EXPECT_TRUE(fake->calls().contains("SetBaudRate(19200)"));
    EXPECT_TRUE(fake->calls().contains("SetBitMode(0,0)"));
}

// What the owner learns when one step of the open sequence fails: the unit
// is not connected, its port is let go of, and it connects once it answers.
TEST_F(DeviceLayer, FailuresOfTheOpenSequence)
{
    struct Case {
        const char* name;
        QList<QByteArray> devices;
        Call call;
        platform::FtStatus status;
        QString error; // last error status raised
        bool usbError; // "Error Opening Port"
        const char* logLine;
        QList<QByteArray> ack = {"[*]"}; // the unit's answers to "[*]", one per exchange
    };
    const QList<QByteArray> unit{"FT232R USB UART"};
    const Case cases[] = {
        {"no device", {}, Call::Read, 0, "No devices found", false, "No USB devices found"},
        {"only the generator",
         {"FT232R USB UART-SG"},
         Call::Read,
         0,
         "No devices found",
         false,
         "No ZAMO USB devices found"},
        {"open", unit, Call::Open, 2, "Open failed", true, "USB Port Open failed, Result = 2"},
        {"queue status", unit, Call::GetQueueStatus, 4, "Command failed", true, "USB Command failed, Result = 4"},
        {"latency", unit, Call::SetLatencyTimer, 6, "Latency failed", true,
         "Setting USB port latentcy failed, Result = 6"},
        {"baud rate", unit, Call::SetBaudRate, 7, "Baud rate failed", true, "Setting USB Baud rate failed, Result = 7"},
        {"bit mode", unit, Call::SetBitMode, 4, "Reset failed", true, "Setting USB Bit Mode failed, Result = 4"},
        {"no answer",
         unit,
         Call::Read,
         0,
         "No ACK Received",
         true,
         "USB Initialization failed.  ACK not received.",
         {}},
        {"answered twice over",
         unit,
         Call::Read,
         0,
         "No ACK Received",
         true,
         "USB Initialization failed.  ACK not received.",
         {"[*][*]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScopedFakeD2xx driver;
        driver->setDevices(c.devices);
        for (const QByteArray& ack : c.ack)
            driver->replyTo("[*]", ack, 5, 1);
        if (c.status)
            driver->failNext(c.call, c.status);
        events.clear();
        log.clear();
        comm->connectDevice();
        EXPECT_TRUE(only("Status!").contains("Status! " + c.error));
        EXPECT_EQ(only("UsbError"), c.usbError ? QStringList({"UsbError Error Opening Port"}) : QStringList());
        EXPECT_TRUE(only("UsbConnected").isEmpty());
        EXPECT_FALSE(comm->connected());
        EXPECT_TRUE(log.contains(c.logLine)) << log.join(" | ").toStdString();
        EXPECT_EQ(driver->openCount(), 0) << "a failed open leaves no handle behind";
        // The owner's label ends with the status update's text: not
        // connected, and why.
        EXPECT_EQ(events.filter("Status").mid(events.filter("Status").size() - 2),
                  QStringList({"Status Disconnected", "Status! " + c.error}));
        EXPECT_EQ(comm->status().display().lamp, unit::UnitLinkDisplay::red());
        EXPECT_FALSE(comm->status().display().connectChecked);

        if (c.devices == unit) {
            driver->replyTo("[*]", "[*]", 5);
            comm->connectDevice();
            EXPECT_TRUE(comm->connected());
            EXPECT_EQ(only("UsbConnected").size(), 1);
        }
        comm->disconnectDevice();
    }
}

TEST_F(DeviceLayer, OpeningAnOpenPortClosesItFirst)
{
    connectedUnit(Model::Base);
    comm->openDevice();
    EXPECT_TRUE(log.contains("USB Port already open.  Closing port first"));
    EXPECT_TRUE(comm->connected());
    EXPECT_EQ(only("UsbConnected").size(), 1);

    fake->failNext(Call::Close, 4);
    events.clear();
    comm->openDevice();
    EXPECT_FALSE(comm->connected());
    EXPECT_TRUE(only("Status!").contains("Status! Close attempt failed"));
    EXPECT_EQ(only("UsbError"), QStringList({"UsbError Error Opening Port"}));
}

TEST_F(DeviceLayer, AFailedCloseLeavesThePortAsItWas)
{
    connectedUnit(Model::Base);
    fake->failNext(Call::Close, 4);
    comm->disconnectDevice();
    EXPECT_TRUE(comm->connected());
    EXPECT_EQ(only("Status!"), QStringList({"Status! Close attempt failed"}));
    EXPECT_TRUE(only("Usb").isEmpty());
    events.clear();
    comm->disconnectDevice();
    EXPECT_FALSE(comm->connected());
    EXPECT_EQ(only("Usb"), QStringList({"UsbClosed"}));
    EXPECT_EQ(comm->status().display().errorMessage, "USB Port Closed");
}

TEST_F(DeviceLayer, AReadFailureOnABaseUnitClosesThePortSoThatItCanBeOpenedAgain)
{
    connectedUnit(Model::Base);
    fake->failNext(Call::Read, 4);
    fake->arrive("[*]");
    platform::Clock::advance(150);
    EXPECT_FALSE(comm->connected());
    EXPECT_EQ(only("UsbError"), QStringList({"UsbError FT_Read - General IO Error"}));
    EXPECT_TRUE(log.contains("USB Error:  FT_Read - General IO Error"));
    EXPECT_EQ(fake->openCount(), 0);
    platform::Clock::advance(1500);
    EXPECT_EQ(only("UsbError").size(), 1);

    comm->connectDevice();
    EXPECT_TRUE(comm->connected());
    EXPECT_EQ(only("UsbConnected").size(), 1);
}

// The text of a port failure, in the log and to the owner: the call's label
// and the status text for the driver's codes 1..18, nothing at all for any
// other code.
TEST_F(DeviceLayer, TheErrorTextOfAPortFailure)
{
    struct Case {
        platform::FtStatus status;
        QString text;
    };
    for (const Case& c :
         {Case{1, "FT_GetQueueStatus - Invalid Handle"}, Case{4, "FT_GetQueueStatus - General IO Error"},
          Case{18, "FT_GetQueueStatus - other error"}, Case{19, ""}, Case{99, ""}, Case{-1, ""}}) {
        connectedUnit(Model::Base);
        fake->failNext(Call::GetQueueStatus, c.status);
        platform::Clock::advance(150);
        EXPECT_TRUE(log.contains("USB Error:  " + c.text)) << c.status << ": " << log.join(" | ").toStdString();
        EXPECT_EQ(only("UsbError"), QStringList({"UsbError " + c.text})) << c.status;
        EXPECT_FALSE(comm->connected()) << c.status;
    }
}

// What a close tells the owner, by the state the port was in.
TEST_F(DeviceLayer, WhatACloseTellsTheOwner)
{
    enum class Before { NeverOpened, Open, ReleasedAfterAReadFailure };
    struct Case {
        const char* name;
        Before before;
        QStringList events;
        QString errorMessage;
        const char* logLine;
    };
    const Case cases[] = {
        // The driver refuses handle 0: the close failed, and nothing was closed.
        {"never opened",
         Before::NeverOpened,
         {"Status! Close attempt failed"},
         "Close attempt failed",
         "USB Close attempt failed, Result = 1"},
        {"open", Before::Open, {"Status Disconnected", "UsbClosed"}, "USB Port Closed", "USB Port Closure Result = 0"},
        // The failure let go of the port; closing it is what the operator asks.
        {"released after a read failure",
         Before::ReleasedAfterAReadFailure,
         {"Status Disconnected", "UsbClosed"},
         "USB Port Closed",
         "USB Port Closure Result = 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScopedFakeD2xx driver;
        comm = std::make_unique<unit::UnitLink>(1);
        comm->setUnitNumber(1);
        Record();
        if (c.before != Before::NeverOpened) {
            driver->setDevices({"FT232R USB UART"});
            driver->replyTo("[*]", "[*]", 5);
            comm->connectDevice();
            ASSERT_TRUE(comm->connected());
            platform::Clock::advance(1000);
        }
        if (c.before == Before::ReleasedAfterAReadFailure) {
            driver->failNext(Call::Read, 4);
            driver->arrive("[*]");
            platform::Clock::advance(150);
            ASSERT_FALSE(comm->connected());
        }
        events.clear();
        log.clear();
        comm->disconnectDevice();
        EXPECT_EQ(events, c.events);
        EXPECT_FALSE(comm->connected());
        EXPECT_EQ(comm->status().display().errorMessage, c.errorMessage);
        EXPECT_TRUE(log.contains(c.logLine)) << log.join(" | ").toStdString();
        EXPECT_EQ(driver->openCount(), 0);
        if (c.before == Before::NeverOpened) {
            EXPECT_TRUE(driver->calls().contains("Close(0)"));
        }
        comm.reset(); // before its driver goes
    }
}

TEST_F(DeviceLayer, AFailedWriteIsReportedAndItsBytesAreNotSentLater)
{
    connectedUnit(Model::Base);
    fake->failNext(Call::Write, 4);
    comm->sendCommandToChannel("(GA)", 3, true);
    EXPECT_EQ(only("UsbError"), QStringList({"UsbError FT-Write - General IO Error"}));
    EXPECT_EQ(only("TX "), QStringList({"TX [C03(GA)]"}));
    comm->connectDevice();
    EXPECT_EQ(fake->writes().first(), "[*]");
    fake->clearWrites();
    comm->sendCommandToChannel("(X)", 3, true);
    EXPECT_EQ(fake->writes(), QList<QByteArray>({"[C03(X)]"}));
}

TEST_F(DeviceLayer, AShortWriteSendsTheRestInOrder)
{
    connectedUnit(Model::Base);
    fake->setWriteLimit(4);
    comm->sendCommandToChannel("(GA)", 3, true);
    comm->sendCommandToChannel("[*]", -1, true);
    EXPECT_EQ(fake->writtenText(), "[C03(GA)][*]");
    EXPECT_TRUE(only("UsbError").isEmpty());
}

// A port failure of a ZAMO80 reconnects it, wherever the failure comes: the
// reconnection runs inside the poll tick (or inside the handler of a reply
// that the tick read), and the lid's answer after the reopen is read before
// usbConnected tells the owner.
TEST_F(DeviceLayer, AZamo80ReconnectsAfterAPortFailure)
{
    enum class Failure { Read, QueueStatus, WriteInAReplyHandler };
    struct Case {
        const char* name;
        Failure failure;
    };
    for (const Case& c : {Case{"read", Failure::Read}, Case{"queue status", Failure::QueueStatus},
                          Case{"write in a reply handler", Failure::WriteInAReplyHandler}}) {
        SCOPED_TRACE(c.name);
        platform::ScopedFakeD2xx driver;
        comm = std::make_unique<unit::UnitLink>(1);
        comm->setUnitNumber(1);
        Record();
        QList<bool> lidAtConnected;
        QObject::connect(comm.get(), &unit::UnitLink::usbConnected, [&] { lidAtConnected << comm->lidClosed(); });
        bool handled = false;
        testsupport::onReply<unit::ChannelIdle>(comm.get(), [&](int, qint16, const unit::ChannelIdle&) {
            if (c.failure == Failure::WriteInAReplyHandler && !std::exchange(handled, true)) {
                driver->failNext(Call::Write, 4);
                comm->sendCommandToChannel("(GA)", 0, true);
            }
        });
        driver->setDevices({"FT232R USB UART"});
        driver->replyTo("[*]", "[*]", 5);
        driver->replyTo("[8]", "[8]", 5);
        driver->replyTo("[L]", "[L0]", 5, 1); // closed at the first open
        comm->connectDevice();
        ASSERT_TRUE(comm->connected());
        platform::Clock::advance(1000);
        const qint64 failedAt = platform::Clock::tickCount();
        events.clear();
        log.clear();
        driver->clearWrites();
        driver->replyTo("[L]", "[L1]", 5, 1); // opened while the unit was away
        if (c.failure == Failure::Read)
            driver->failNext(Call::Read, 4);
        if (c.failure == Failure::QueueStatus)
            driver->failNext(Call::GetQueueStatus, 4);
        driver->arrive("(*)");
        platform::Clock::advance(150);
        EXPECT_EQ(only("Usb"), QStringList({"UsbReconnecting", "UsbClosed", "UsbConnected 1 0"}));
        EXPECT_EQ(lidAtConnected, QList<bool>({true, false}));
        EXPECT_TRUE(comm->connected());
        EXPECT_FALSE(comm->reconnecting());
        EXPECT_FALSE(driver->writes().contains("[F]"));
        EXPECT_TRUE(driver->writes().contains("[L]"));
        EXPECT_TRUE(log.contains("Attempting automatic USB Connection reset"));
        EXPECT_TRUE(log.contains("Executing USB Port Reconnection"));
        EXPECT_GE(platform::Clock::tickCount(), failedAt + 7000);
        EXPECT_EQ(driver->openCount(), 1);
        comm.reset(); // before its driver and the handlers' state go
    }
}

// A reconnection whose close or re-open fails tells the owner once, and the
// error names what failed, also where the driver's status says nothing.
TEST_F(DeviceLayer, AFailedReconnectionRaisesOneErrorAndNoNestedReconnection)
{
    struct Case {
        std::function<void(FakeD2xx&)> failReconnection;
        QString error;
    };
    const auto answered = [](FakeD2xx& f) { f.replyTo("[*]", "[*]", 5); };
    for (const Case& c : {
             Case{[&](FakeD2xx& f) { answered(f), f.failNext(Call::Open, 2); }, "FT_CyclePortOpen - Device Not Found"},
             Case{[&](FakeD2xx& f) { answered(f), f.failNext(Call::SetBaudRate, 7); },
                  "FT_CyclePortOpen - Invalid Baud Rate"},
             Case{[&](FakeD2xx& f) { answered(f), f.failNext(Call::Close, 4); },
                  "FT_CyclePortClose - General IO Error"},
             Case{[](FakeD2xx&) {}, "FT_CyclePortOpen - No ACK Received"},
             Case{[&](FakeD2xx& f) { answered(f), f.setDevices({}); }, "FT_CyclePortOpen - No devices found"},
         }) {
        SCOPED_TRACE(c.error.toStdString());
        platform::ScopedFakeD2xx driver;
        driver->setDevices({"FT232R USB UART"});
        driver->replyTo("[*]", "[*]", 5, 1);
        driver->replyTo("[8]", "[8]", 5);
        comm->connectDevice();
        ASSERT_TRUE(comm->connected());
        platform::Clock::advance(1000);
        events.clear();
        log.clear();
        driver->failNext(Call::Read, 4);
        c.failReconnection(*driver);
        driver->arrive("(*)");
        platform::Clock::advance(150);
        EXPECT_EQ(only("UsbReconnecting").size(), 1);
        EXPECT_EQ(only("UsbError"), QStringList({"UsbError " + c.error}));
        EXPECT_TRUE(log.contains("USB Error:  " + c.error)) << log.join(" | ").toStdString();
        EXPECT_EQ(events.filter("Status").last(), "Status! " + c.error);
        EXPECT_FALSE(comm->connected());
        EXPECT_FALSE(comm->reconnecting());
        EXPECT_EQ(driver->openCount(), 0);
        platform::Clock::advance(20000);
        EXPECT_EQ(only("UsbError").size(), 1);
        comm->disconnectDevice();
    }
}

} // namespace

namespace {

TEST_F(DeviceLayer, TerminationClosesThePortWithoutUsbClosed)
{
    connectedUnit(Model::Base);
    fake->failNext(Call::Close, 4);
    comm->deactivate();
    EXPECT_FALSE(comm->connected());
    EXPECT_EQ(only("Status!"), QStringList({"Status! Close attempt failed"}));
    EXPECT_TRUE(only("Usb").isEmpty());
    EXPECT_TRUE(log.contains("Close attempt failed - Control Terminated"));
}

TEST_F(DeviceLayer, ALinkDestroyedWhileConnectedClosesItsPortQuietly)
{
    connectedUnit(Model::Base);
    comm.reset();
    EXPECT_EQ(fake->openCount(), 0);
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
