#pragma once
// The handlers of the units' result replies: each judges a reading against
// its limits, records it and completes the electrode. The window passes a
// reply on only while a run (or the calibration panel) is active; replies
// that arrive after the end of a run go no further than the log.
// Arguments are those of the unit link's events, the unit index first.

#include <QString>

class UnitResultHandler {
public:
    virtual ~UnitResultHandler() = default;

    virtual void RXACZTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, bool, double, double, double, bool) {}
    virtual void RXACZ30TestData(int, qint16, qint16, qint16, qint16, qint16, qint16, bool, double, double, bool) {}
    virtual void RXACZ30ZeroTestData(int, qint16, qint16) {}
    virtual void RXACLGTestData(int, qint16, qint16, qint16, bool, double) {}
    virtual void RXZamo24ACLGTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, qint16, bool, double,
                                      double)
    {
    }
    virtual void RXACLGAck(int) {}
    virtual void RXDefibRecoveryAck(int) {}
    virtual void RXDefibRecoveryTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16, bool,
                                         double, double, double)
    {
    }
    virtual void RXNoiseTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, qint16, bool, double, double,
                                 double, bool)
    {
    }
    virtual void RXDCOTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, qint16, bool, double, double, bool)
    {
    }
    virtual void RXBiasTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16, bool, double,
                                double)
    {
    }
    virtual void RXSDRTestData(int, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16,
                               bool, double, double, double, double, double)
    {
    }
};
