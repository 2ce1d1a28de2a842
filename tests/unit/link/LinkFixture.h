#pragma once
// A unit link on the scripted converter driver in virtual time, recording
// what it sends, the events it raises and the log lines it writes.

#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/FakeD2xx.h"
#include "support/InstalledLog.h"
#include "support/QtPrinters.h"
#include "unit/UnitLink.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

enum class Model { Base, Zamo80, Zamo24 };

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
        settings.zamo80Delays.reconnectDelay = 7000;
        settings.zamo80Delays.findChannelsDelay = 3000;
        settings.switches.diagnosticLog = true;
        settings.switches.statusWindowOpen = true;
        stationLog.setStatusWindowEcho([this](const QString& line) { log << line.mid(22); }, &settings.switches);
        comm = std::make_unique<unit::UnitLink>(1);
        comm->useSettings(settings.zamo80Delays, settings.aclg);
        comm->setUnitNumber(1);
        Record();
    }

    void TearDown() override
    {
        comm.reset();
        stationLog.setStatusWindowEcho({});
        platform::Clock::useRealTime();
    }

    void Record()
    {
        unit::UnitLink* c = comm.get();
        QObject::connect(c, &unit::UnitLink::txData, [this](int, const QString& d) { events << "TX " + d; });
        QObject::connect(c, &unit::UnitLink::usbConnected, [this](int, qint32, unit::UnitModel model) {
            events << QString("UsbConnected %1 %2")
                          .arg(model == unit::UnitModel::Zamo80)
                          .arg(model == unit::UnitModel::Zamo24);
        });
        QObject::connect(c, &unit::UnitLink::usbClosed, [this](int) { events << "UsbClosed"; });
        QObject::connect(c, &unit::UnitLink::usbReconnecting, [this](int) { events << "UsbReconnecting"; });
        QObject::connect(c, &unit::UnitLink::usbError, [this](int, const QString& e) { events << "UsbError " + e; });
        QObject::connect(c, &unit::UnitLink::hardwareStatus,
                         [this](int, const QString& s, bool error) { events << (error ? "Status! " : "Status ") + s; });
    }

    // One converter that answers like a unit of the given model.
    void unitOfModel(Model model)
    {
        fake->setDevices({"FT232R USB UART"});
        fake->replyTo("[*]", "[*]", 5);
        if (model == Model::Zamo80)
            fake->replyTo("[8]", "[8]", 5);
        if (model == Model::Zamo24)
            fake->replyTo("[2]", "[2]", 5);
    }

    // Connects and forgets what the open sequence did.
    void connectedUnit(Model model)
    {
        unitOfModel(model);
        comm->connectDevice();
        ASSERT_TRUE(comm->connected());
        platform::Clock::advance(1000);
        events.clear();
        log.clear();
        fake->clearWrites();
    }

    QStringList only(const QString& prefix) const { return events.filter(QRegularExpression("^" + prefix)); }

    platform::ScopedFakeD2xx fake;
    testsupport::InstalledLog stationLog;
    config::StationSettings settings;
    std::unique_ptr<unit::UnitLink> comm;
    QStringList events;
    QStringList log;
};
