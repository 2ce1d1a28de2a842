#pragma once
// A signal-generator link on the fake D2XX with the unit's and the
// generator's converters attached, its events recorded as text, on virtual
// time in a temporary data folder.

#include "platform/Clock.h"
#include "platform/FakeD2xx.h"
#include "support/TempDataHome.h"
#include "unit/SignalGeneratorLink.h"

#include <QStringList>

#include <gtest/gtest.h>

inline const QByteArray UnitConverter = "FT232R USB UART";
inline const QByteArray RollerConverter = "FT232R USB UART-SG";

class RollerTest : public ::testing::Test {
protected:
    RollerTest()
    {
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
        fake->setDevices({UnitConverter, RollerConverter});
        QObject::connect(&roller, &unit::SignalGeneratorLink::hardwareStatus, [this](const QString& s, bool e) {
            events << QString("HardwareStatus(%1,%2)").arg(s, e ? "True" : "False");
        });
        QObject::connect(&roller, &unit::SignalGeneratorLink::usbConnected,
                         [this](qint32 h) { events << QString("UsbConnected(%1)").arg(h); });
        QObject::connect(&roller, &unit::SignalGeneratorLink::usbClosed, [this] { events << "UsbClosed"; });
        QObject::connect(&roller, &unit::SignalGeneratorLink::usbError,
                         [this](const QString& s) { events << "UsbError(" + s + ")"; });
        QObject::connect(&roller, &unit::SignalGeneratorLink::txData,
                         [this](const QString& s) { events << "TXData(" + s + ")"; });
    }
    ~RollerTest() override { platform::Clock::useRealTime(); }

    void connectWithHandshake()
    {
        fake->replyTo("(*)", "(*)", 10, 1);
        roller.connectDevice();
        ASSERT_TRUE(roller.connected());
        events.clear();
        fake->clearWrites();
    }

    testsupport::TempDataHome home;
    platform::ScopedFakeD2xx fake;
    unit::SignalGeneratorLink roller;
    QStringList events;
};
