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

    virtual void RXACZTestData(int, qint16, const AczReading&) {}
    virtual void RXACZ30TestData(int, qint16, const Acz30Reading&) {}
    virtual void RXACZ30ZeroTestData(int, qint16, qint16) {}
    virtual void RXACLGTestData(int, qint16, const AclgReading&) {}
    virtual void RXZamo24ACLGTestData(int, qint16, const Zamo24AclgReading&) {}
    virtual void RXACLGAck(int) {}
    virtual void RXDefibRecoveryAck(int) {}
    virtual void RXDefibRecoveryTestData(int, qint16, const DefibRecoveryReading&) {}
    virtual void RXNoiseTestData(int, qint16, const NoiseReading&) {}
    virtual void RXDCOTestData(int, qint16, const DcoReading&) {}
    virtual void RXBiasTestData(int, qint16, const BiasReading&) {}
    virtual void RXSDRTestData(int, qint16, const SdrReading&) {}
};
