#pragma once
// The handlers of the units' result replies: each judges a reading against
// its limits, records it and completes the electrode. The window passes a
// reply on only while a run (or the calibration panel) is active; replies
// that arrive after the end of a run go no further than the log.
// Arguments are those of the unit link's events: the unit index, the
// channel and the reading.

#include "unit/UnitReadings.h"

#include <QString>

class UnitResultHandler {
public:
    virtual ~UnitResultHandler() = default;

    virtual void rxaczTestData(int, qint16, const AczReading&) {}
    virtual void rxacz30TestData(int, qint16, const Acz30Reading&) {}
    virtual void rxacz30ZeroTestData(int, qint16, qint16) {}
    virtual void rxaclgTestData(int, qint16, const AclgReading&) {}
    virtual void rxZamo24ACLGTestData(int, qint16, const Zamo24AclgReading&) {}
    virtual void rxaclgAck(int) {}
    virtual void rxDefibRecoveryAck(int) {}
    virtual void rxDefibRecoveryTestData(int, qint16, const DefibRecoveryReading&) {}
    virtual void rxNoiseTestData(int, qint16, const NoiseReading&) {}
    virtual void rxdcoTestData(int, qint16, const DcoReading&) {}
    virtual void rxBiasTestData(int, qint16, const BiasReading&) {}
    virtual void rxsdrTestData(int, qint16, const SdrReading&) {}
};
