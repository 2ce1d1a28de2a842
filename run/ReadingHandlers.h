#pragma once
// The result handlers of the test window: every result reply of a unit goes
// through the sequencer's end-of-run gate and the one verdict flow to the
// handler of its test family. This is the one place that knows which test
// family a reply belongs to.

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

    void handle(const unit::UnitReply& reply) override;

    ResultReplyFlow& flow() { return m_flow; }

private:
    RunSequencer& m_sequencer;
    ResultReplyFlow m_flow;
    ImpedanceResults m_impedance;
    AclgResults m_aclg;
    DefibRecoveryResults m_defib;
    OffsetNoiseBiasResults m_offsetNoiseBias;
    SdrResults m_sdr;
};

} // namespace run
