#pragma once
// The run's own state, owned by the sequencer: whether a run is going, its
// active step and phase, its lists, what the operator entered for it and
// the modes it runs in. What the run's components change lives with them:
// the step's clock and interval schedule in MeasurementSchedule, the charge
// handshake in ChargeSequence, the sums of the ACLG readings in AclgSums,
// the record keys in RunRecording, the pace
// and open-circuit pre-check of a ZAMO80-mode run in Zamo80RunPlan.
//
// Every run starts from a fresh one apart from the values that outlive a
// run (the consecutive-lists flags while the second list starts, the last
// estimate shown, the run lists, the pre-test details and report options,
// the calibration switches).

#include "run/PreTestDetails.h"
#include "run/RunLists.h"
#include "run/UnitIndex.h"
#include "testlists/TestStep.h"

#include <array>
#include <memory>

namespace run {

struct RunState {
    using Step = std::shared_ptr<testlists::TestStep>;

    bool testRunning = false;
    Step activeTest;
    Step activeSecondaryTest;

    // The step has not yet delivered its first reading (an impedance step:
    // its first 5 seconds); its readings are not final meanwhile.
    bool startPhase = false;
    // A ZAMO80-mode run's first step, the open-circuit pre-check, is running.
    bool preCheckRunning = false;
    bool acz30ZeroRun = false;
    qint32 lastEstimatedRemainingSeconds = 0;

    // The 200 V supply that an SDR step switched on; switched off again when
    // the run stops or completes.
    PerUnit<bool> supply200VSwitchedOn;
    // The units that a step of the run was sent to.
    PerUnit<bool> unitInRun;

    bool consecutiveListsMode = false;
    bool secondListRunning = false;

    RunLists lists;
    // What the operator entered before the run's group (the second list of
    // a consecutive run keeps those of the first).
    PreTestDetails details;
    // Kept from run to run; the pre-test details change them where they
    // offer them.
    ReportOptions reportOptions;

    // The calibration panel's service mode: replies are judged without a
    // run, and recorded only while a burn-in runs.
    bool calibrationMode = false;
    // Cleared when a run stops or completes.
    bool burnInRunning = false;
};

} // namespace run
