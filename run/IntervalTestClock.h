#pragma once
// The 1-second test clock of a step (the sequencer's test clock timer): counts the
// step's seconds, held while a ZAMO80 or ZAMO2-4 unit 1 reconnects; opens the
// interim-reading intervals; asks an unfinished step's active electrodes to
// resend 10 s past its expected duration and aborts the run 10 s later;
// keeps a BIAS step's count in line with the UTC clock and stops it at its
// maximum duration; drives the ACLG and DEFR charge sequence; and keeps the
// workstation awake.

#include "platform/MouseNudge.h"
#include "run/ChargeSequence.h"
#include "run/RunUnits.h"
#include "run/TestClock.h"

#include <QDateTime>

#include <functional>

namespace config {
struct StationSettings;
}

namespace run {

class MeasurementSchedule;
struct CancelReason;
struct RunState;

class IntervalTestClock : public TestClock {
public:
    // The run's state, the step's schedule, the charge sequence and the
    // settings outlive the clock; cancelRun cancels the run for its reason
    // (the sequencer's cancelRun).
    IntervalTestClock(const RunUnits& units, RunState& state, MeasurementSchedule& schedule, ChargeSequence& charge,
                      const config::StationSettings& settings, std::function<void(const CancelReason&)> cancelRun);

    void tick() override;
    void setNextMeasurementTime(bool first) override;
    void checkBiasTestDuration() override;

    // Asks every test-active electrode of the connected units to resend.
    void resendActiveElectrodes();
    // Whole seconds from start to the present UTC time.
    static qint64 secondsSinceUtc(const QDateTime& start);

    // The keep-awake calls; tests replace them to see them.
    struct KeepAwake {
        std::function<void()> nudgeMousePointer;
        std::function<void()> preventSleep;
    };
    KeepAwake& keepAwakeCalls() { return m_keepAwake; }

private:
    bool clockHeld() const;
    bool stepUnfinished() const;
    void checkOverrun();
    void alignBiasClock();
    void keepWorkstationAwake();

    RunUnits m_units;
    RunState& m_state;
    MeasurementSchedule& m_schedule;
    ChargeSequence& m_charge;
    const config::StationSettings& m_settings;
    std::function<void(const CancelReason&)> m_cancelRun;
    platform::MouseNudge m_mouseNudge;
    KeepAwake m_keepAwake;
};

} // namespace run
