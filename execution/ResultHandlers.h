#pragma once
// The result handlers of the test window: every result reply of a unit goes
// through the one verdict flow to the handler of its test family.

#include "execution/ImpedanceResults.h"
#include "execution/ResultReplyFlow.h"
#include "execution/UnitResultHandler.h"

class RunHost;
class RunSequencer;

class ResultHandlers : public UnitResultHandler {
public:
    ResultHandlers(RunSequencer& sequencer, RunHost& host);

    void RXACZTestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef, qint16 vMeasureHigh,
                       qint16 vMeasure, qint16 vVcc, bool vCompleted, double vGain, double vMeasurement,
                       double vVccMeasurement, bool vZamo80) override;
    void RXACZ30TestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef, qint16 vMeasureHigh,
                         qint16 vMeasure, qint16 vACZ30Zero, bool vCompleted, double vGain, double vMeasurement,
                         bool vZamo80) override;
    void RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16 vZeroValue) override;

    ResultReplyFlow& Flow() { return m_flow; }

private:
    ResultReplyFlow m_flow;
    ImpedanceResults m_impedance;
};
