#pragma once
// The result handlers of the test window: every result reply of a unit goes
// through the one verdict flow to the handler of its test family.

#include "run/AclgResults.h"
#include "run/DefibRecoveryResults.h"
#include "run/ImpedanceResults.h"
#include "run/OffsetNoiseBiasResults.h"
#include "run/ReadingFlow.h"
#include "run/SdrResults.h"
#include "run/UnitResultHandler.h"

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
    void RXACLGAck(int Index) override;
    void RXACLGTestData(int Index, qint16 vCommChannelID, qint16 vV50, qint16 vVe, bool vCompleted,
                        double vFinalMeasurement) override;
    void RXZamo24ACLGTestData(int Index, qint16 vCommChannelID, qint16 vZero50, qint16 vZeroE, qint16 vV50_1,
                              qint16 vVe_1, qint16 vV50_2, qint16 vVe_2, bool vCompleted, double vCalcR1,
                              double vCalcR2) override;
    void RXDefibRecoveryAck(int Index) override;
    void RXDefibRecoveryTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v750mV, qint16 v750mV_M,
                                 qint16 vZeroCorrect, qint16 vMeasure4, qint16 vMeasure60, qint16 vSeconds,
                                 bool vCompleted, double vGain, double vMeasurement4, double vMeasurement60) override;
    void RXDCOTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v750mV_M,
                       qint16 vZeroCorrect, qint16 vMeasure, qint16 vSeconds, bool vCompleted, double vGain,
                       double vMeasurement, bool vZamo80) override;
    void RXNoiseTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v100uV, qint16 vFilterZero,
                         qint16 vHighPeak, qint16 vLowPeak, qint16 vSeconds, bool vCompleted, double vGain,
                         double vFilterZeroVpp, double vVppMeasurement, bool vZamo80) override;
    void RXBiasTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 vInitial, qint16 vMax,
                        qint16 vCurrent, qint16 vMinutes, qint16 vSeconds, bool vCompleted, double vGain,
                        double vMeasurement) override;
    void RXSDRTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v200VOk, qint16 v2VOk,
                       qint16 vInitial, qint16 vMeasure1, qint16 vMeasure2, qint16 vMeasure3, qint16 vSecond,
                       bool vCompleted, double vGain, double vInitialMeasurement, double vRate1, double vRate2,
                       double vRate3) override;

    ResultReplyFlow& Flow() { return m_flow; }

private:
    ResultReplyFlow m_flow;
    ImpedanceResults m_impedance;
    ACLGResults m_aclg;
    DefibRecoveryResults m_defib;
    OffsetNoiseBiasResults m_offsetNoiseBias;
    SDRResults m_sdr;
};
