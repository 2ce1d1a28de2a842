// "Connect Unit 1" on a converter that fails to be set up (latency, baud
// rate or bit mode): the unit is not connected, its status names the
// failure, and the operator's OK in the error box opens it again.
#include "platform/FakeD2xx.h"
#include "support/StationHarness.h"
#include "ui/common/StatusLamp.h"
#include "ui/testwindow/StatusPanel.h"
#include "unit/UnitLink.h"

#include <QAction>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Call = platform::FakeD2xx::Call;

const QString UsbErrorBox = "There is an error communicating with the device. \r\n\r\n"
                            "Please disconnect and reconnect the device, and then click 'OK'";

TEST(UnitSetUpFailure, TheUnitIsNotConnectedAndTheOperatorsOkOpensItAgain)
{
    struct Case {
        Call call;
        platform::FtStatus status;
        QString error;
    };
    platform::ScopedFakeD2xx driver;
    driver->setDevices({"FT232R USB UART"});
    driver->replyTo("[*]", "[*]", 5);
    driver->replyTo("[F]", "[F1100000000000000]", 5);
    testsupport::StationHarness station;
    ASSERT_TRUE(station.start());

    for (const Case& c : {Case{Call::SetLatencyTimer, 6, "Latency failed"},
                          Case{Call::SetBaudRate, 7, "Baud rate failed"}, Case{Call::SetBitMode, 4, "Reset failed"}}) {
        SCOPED_TRACE(c.error.toStdString());
        station.prompts().shown.clear();
        QString statusWhileAsked;
        QColor lampWhileAsked;
        bool linkConnectedWhileAsked = true;
        station.prompts().whileMessageShown = [&](const platform::ShownPrompt&) {
            statusWhileAsked = station.unitStatus(1);
            lampWhileAsked = station.unitLamp(1);
            linkConnectedWhileAsked = station.link(1).connected();
        };
        driver->failNext(c.call, c.status);
        ASSERT_TRUE(station.choose("Connect Unit 1"));
        ASSERT_TRUE(station.runUntil([&] { return station.unitStatus(1) == "ZAMO Connected; A1-B1"; }, 10000))
            << station.unitStatus(1).toStdString();

        EXPECT_EQ(station.prompts().messages(), QStringList{UsbErrorBox});
        EXPECT_EQ(statusWhileAsked, "Disconnected *" + c.error + "*");
        EXPECT_EQ(lampWhileAsked, ui::StatusLamp::red());
        EXPECT_FALSE(linkConnectedWhileAsked);
        EXPECT_EQ(station.unitLamp(1), ui::StatusLamp::green());
        EXPECT_EQ(driver->openCount(), 1);
        ASSERT_TRUE(station.choose("Disconnect Unit 1"));
        EXPECT_EQ(driver->openCount(), 0);
    }
}

} // namespace
