#pragma once
// The unit link fixture, also recording the replies that matter for a run:
// raw frames, the channel map, the lid and the ACZ data with the virtual
// time at which they came.

#include "../link/LinkFixture.h"
#include "support/TempDataHome.h"
#include "support/UnitReplies.h"

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
        QObject::connect(c, &unit::UnitLink::frameReceived,
                         [this](int, qint16 ch, const QString& d) { events << QString("RX %1 %2").arg(ch).arg(d); });
        testsupport::onReply<unit::FoundChannels>(
            c, [this](int, qint16, const unit::FoundChannels& found) { events << "Found " + found.map; });
        testsupport::onReply<unit::LidState>(
            c, [this](int, qint16, const unit::LidState& lid) { events << QString("Lid %1").arg(lid.closed); });
        testsupport::onReply<unit::AczReading>(c, [this](int, qint16 ch, const unit::AczReading& r) {
            acz.push_back({ch, r.zeroLevel, r.ref1k, r.measureHigh, r.measure, r.vcc, r.completed, r.zamo80Family,
                           platform::Clock::tickCount()});
        });
    }

    // The frames sent.
    QStringList frames() const { return only("TX "); }

    testsupport::TempDataHome home;
    std::vector<ReceivedAcz> acz;
};
