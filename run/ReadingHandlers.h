#pragma once
// The result handlers of the test window: every result reply of a unit goes
// through the end-of-run gate and the one verdict flow to the handler of its
// test family. This is the one place that knows which test
// family a reply belongs to.

#include "run/AclgResults.h"
#include "run/DefibRecoveryResults.h"
#include "run/ImpedanceResults.h"
#include "run/OffsetNoiseBiasResults.h"
#include "run/ReadingFlow.h"
#include "run/SdrResults.h"
#include "run/UnitResultHandler.h"
#include "run/UnreadableResults.h"

namespace run {

class RunHost;
struct RunState;

class ResultHandlers : public UnitResultHandler {
public:
    // What the replies change and where they go; all of it outlives the handlers.
    ResultHandlers(const RunUnits& units, RunState& state, MeasurementSchedule& schedule, ChargeSequence& charge,
                   AclgSums& aclgSums, Zamo80RunPlan& plan, RunServices& services,
                   const config::StationSettings& settings, RunHost& host);

    void handle(const unit::UnitReply& reply) override;

    // The end-of-run gate: a unit's result reply is judged only while a run
    // (or the calibration panel) is active; one that arrives after the run
    // ended is logged and goes no further. unit: the number the reply
    // carries; channel -1: a reply of the whole unit.
    static bool acceptReply(const RunState& state, int unit, qint16 channel, const QString& testType);

    ResultReplyFlow& flow() { return m_flow; }

private:
    const RunState& m_state;
    ResultReplyFlow m_flow;
    ImpedanceResults m_impedance;
    AclgResults m_aclg;
    DefibRecoveryResults m_defib;
    OffsetNoiseBiasResults m_offsetNoiseBias;
    SdrResults m_sdr;
    UnreadableResults m_unreadable;
};

} // namespace run
