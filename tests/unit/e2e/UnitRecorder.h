#pragma once
// The unit link fixture, also recording the replies that matter for a run:
// raw frames, the channel map, the lid and the ACZ data with the virtual
// time at which they came.

#include "../link/LinkFixture.h"
#include "support/TempDataHome.h"

#include <vector>

struct ReceivedAcz {
    qint16 channel, zero, ref, high, measure, vcc;
    bool completed, zamo80;
    qint64 tick;
};

class UnitRecorder : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        unit::UnitLink* c = comm.get();
        QObject::connect(c, &unit::UnitLink::rxData,
                         [this](int, qint16 ch, const QString& d) { events << QString("RX %1 %2").arg(ch).arg(d); });
        QObject::connect(c, &unit::UnitLink::rxMasterFoundChannels,
                         [this](int, const QString& m) { events << "Found " + m; });
        QObject::connect(c, &unit::UnitLink::rxMasterLidState,
                         [this](int, bool closed) { events << QString("Lid %1").arg(closed); });
        QObject::connect(c, &unit::UnitLink::rxaczTestData, [this](int, qint16 ch, const unit::AczReading& r) {
            acz.push_back({ch, r.zeroLevel, r.ref1k, r.measureHigh, r.measure, r.vcc, r.completed, r.zamo80Family,
                           platform::Clock::tickCount()});
        });
    }

    // The frames sent.
    QStringList frames() const { return only("TX "); }

    testsupport::TempDataHome home;
    std::vector<ReceivedAcz> acz;
};
