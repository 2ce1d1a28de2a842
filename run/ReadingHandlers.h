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

namespace run {

class RunHost;
class RunSequencer;

class ResultHandlers : public UnitResultHandler {
public:
    ResultHandlers(RunSequencer& sequencer, RunHost& host);

    void rxaczTestData(int Index, qint16 commChannelID, const unit::AczReading& reading) override;
    void rxacz30TestData(int Index, qint16 commChannelID, const unit::Acz30Reading& reading) override;
    void rxacz30ZeroTestData(int Index, qint16 commChannelID, qint16 zeroValue) override;
    void rxaclgAck(int Index) override;
    void rxaclgTestData(int Index, qint16 commChannelID, const unit::AclgReading& reading) override;
    void rxZamo24ACLGTestData(int Index, qint16 commChannelID, const unit::Zamo24AclgReading& reading) override;
    void rxDefibRecoveryAck(int Index) override;
    void rxDefibRecoveryTestData(int Index, qint16 commChannelID, const unit::DefibRecoveryReading& reading) override;
    void rxdcoTestData(int Index, qint16 commChannelID, const unit::DcoReading& reading) override;
    void rxNoiseTestData(int Index, qint16 commChannelID, const unit::NoiseReading& reading) override;
    void rxBiasTestData(int Index, qint16 commChannelID, const unit::BiasReading& reading) override;
    void rxsdrTestData(int Index, qint16 commChannelID, const unit::SdrReading& reading) override;

    ResultReplyFlow& flow() { return m_flow; }

private:
    ResultReplyFlow m_flow;
    ImpedanceResults m_impedance;
    AclgResults m_aclg;
    DefibRecoveryResults m_defib;
    OffsetNoiseBiasResults m_offsetNoiseBias;
    SdrResults m_sdr;
};

} // namespace run
