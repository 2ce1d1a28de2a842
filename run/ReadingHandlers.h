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

    void RXACZTestData(int Index, qint16 vCommChannelID, const AczReading& reading) override;
    void RXACZ30TestData(int Index, qint16 vCommChannelID, const Acz30Reading& reading) override;
    void RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16 vZeroValue) override;
    void RXACLGAck(int Index) override;
    void RXACLGTestData(int Index, qint16 vCommChannelID, const AclgReading& reading) override;
    void RXZamo24ACLGTestData(int Index, qint16 vCommChannelID, const Zamo24AclgReading& reading) override;
    void RXDefibRecoveryAck(int Index) override;
    void RXDefibRecoveryTestData(int Index, qint16 vCommChannelID, const DefibRecoveryReading& reading) override;
    void RXDCOTestData(int Index, qint16 vCommChannelID, const DcoReading& reading) override;
    void RXNoiseTestData(int Index, qint16 vCommChannelID, const NoiseReading& reading) override;
    void RXBiasTestData(int Index, qint16 vCommChannelID, const BiasReading& reading) override;
    void RXSDRTestData(int Index, qint16 vCommChannelID, const SdrReading& reading) override;

    ResultReplyFlow& Flow() { return m_flow; }

private:
    ResultReplyFlow m_flow;
    ImpedanceResults m_impedance;
    ACLGResults m_aclg;
    DefibRecoveryResults m_defib;
    OffsetNoiseBiasResults m_offsetNoiseBias;
    SDRResults m_sdr;
};
