#pragma once
// The state of a run, shared by the sequencer, the test clock, the result
// handlers and the recording. One instance lives in the sequencer; every
// run starts from a fresh one apart from the values that outlive a run
// (the consecutive-lists flags while the second list starts, the last
// estimate shown, the run lists, the pre-test details and report options,
// the calibration switches).

#include "run/PreTestDetails.h"
#include "run/RunLists.h"
#include "testlists/TestStep.h"

#include <QDateTime>

#include <array>
#include <memory>

// The record keys of the run being recorded; 0 where there is none yet.
// Index 1 and 2 are the units (index 0 unused).
namespace run {

struct RunRecordKeys {
    qint32 CurrentGroupID = 0;
    qint32 CurrentTestID = 0;
    std::array<qint32, 3> CurrentTestUnitID{};
    std::array<qint32, 3> CurrentMeasurementID{};
    std::array<qint32, 3> CurrentResultID{};
    std::array<qint32, 3> CurrentPacePropertiesID{};
    // The four rows of an SDR test per unit: points 1..4 are the readings
    // at 5, 15, 25 and 35 s (index 0 unused).
    std::array<std::array<qint32, 5>, 3> SDRMeasurementID{};
};

struct RunState {
    using Step = std::shared_ptr<testlists::TestStep>;
    // Per unit (index 0 = unit 1) and channel.
    using ChannelFlags = std::array<std::array<bool, 16>, 2>;

    bool m_testRunning = false;
    Step m_activeTest;
    Step m_activeSecondaryTest;

    qint32 ElapsedSeconds = 0;
    qint32 NextMeasurementTime = 0;
    qint32 PreviousMeasurementTime = 0;
    ChannelFlags IntervalReadingTaken{};

    bool NOISEResyncPending = false;
    bool DCOResyncPending = false;
    bool SDRResyncPending = false;

    bool ACLGAckReceived = false;
    bool DEFRAckReceived = false;
    bool TriggerChargeSent = false;
    qint16 ACLGStartRetries = 0;
    qint16 DEFRStartRetries = 0;
    bool ACLGDone = false;
    bool DEFRDone = false;

    bool PreCheckRunning = false;
    bool PreCheckHandled = false;
    // The open-circuit box waits for the operator: the sequencer starts nothing meanwhile.
    bool OperatorDecisionPending = false;
    ChannelFlags OpenCircuitFlags{};

    bool ACZ30ZeroRun = false;
    QDateTime BiasUtcStart;
    qint32 LastEstimatedRemainingSeconds = 0;
    qint32 TestResendSecond = 0;
    qint32 TestAbortSecond = 0;
    // The pace time of the last pace step started, in seconds.
    qint32 PaceDurationSeconds = 0;
    bool StartupFlag = false;
    qint32 BiasSampleSeconds = 0;
    qint32 BiasMaxSeconds = 0;
    // Running sums of the final ACLG readings per channel for AVG_ACLG;
    // row 1 holds the second reading of a ZAMO2-4; -99.0 is empty.
    std::array<std::array<double, 16>, 2> ACLGSums{};

    // The 200 V supply that an SDR step switched on, per unit; switched off
    // again when the run stops or completes.
    std::array<bool, 2> Supply200VSwitchedOn{};
    // The units that a step of the run was sent to.
    std::array<bool, 2> UnitInRun{};

    bool ConsecutiveListsMode = false;
    bool SecondListRunning = false;

    RunRecordKeys Keys;

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
