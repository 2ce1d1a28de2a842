#pragma once
// The handlers of the units' result replies: each judges a reading against
// its limits, records it and completes the electrode. The window passes a
// reply on only while a run (or the calibration panel) is active; replies
// that arrive after the end of a run go no further than the log.
// Arguments are those of the unit link's events: the unit index, the
// channel and the reading.

#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class UnitResultHandler {
public:
    virtual ~UnitResultHandler() = default;

    virtual void rxaczTestData(int, qint16, const unit::AczReading&) {}
    virtual void rxacz30TestData(int, qint16, const unit::Acz30Reading&) {}
    virtual void rxacz30ZeroTestData(int, qint16, qint16) {}
    virtual void rxaclgTestData(int, qint16, const unit::AclgReading&) {}
    virtual void rxZamo24ACLGTestData(int, qint16, const unit::Zamo24AclgReading&) {}
    virtual void rxaclgAck(int) {}
    virtual void rxDefibRecoveryAck(int) {}
    virtual void rxDefibRecoveryTestData(int, qint16, const unit::DefibRecoveryReading&) {}
    virtual void rxNoiseTestData(int, qint16, const unit::NoiseReading&) {}
    virtual void rxdcoTestData(int, qint16, const unit::DcoReading&) {}
    virtual void rxBiasTestData(int, qint16, const unit::BiasReading&) {}
    virtual void rxsdrTestData(int, qint16, const unit::SdrReading&) {}
};

} // namespace run
