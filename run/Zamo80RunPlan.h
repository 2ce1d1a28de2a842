#pragma once
// What a ZAMO80-mode run adds to the sequencer: the per-electrode run list
// with its open-circuit pre-check (ElectrodeTestLists), the operator's
// decision after the pre-check, and the pace steps that run beside the run
// list, up to [PACE] SimultaneousTests at a time, their starts staggered and
// their ends taken from the wall clock.
//
// A pace step of an electrode A2..P2 is sent to unit 2, on channel index %
// 16. A unit call that fails is logged and skipped, as everywhere in a run.

#include "run/ElectrodeTestLists.h"
#include "run/RunUnits.h"

#include <QString>

#include <array>
#include <functional>

namespace config {
struct StationSettings;
}
namespace testlists {
class StationTestLists;
}

namespace run {

class MeasurementSchedule;
class RunHost;
struct RunServices;
struct RunState;

class Zamo80RunPlan {
public:
    // The run's state, schedule and services, the settings and the test
    // lists (the operator's list and the default selection) outlive the
    // plan; stopRun ends the run (the sequencer's cancel).
    Zamo80RunPlan(const RunUnits& units, RunState& state, MeasurementSchedule& schedule, RunServices& services,
                  const config::StationSettings& settings, const testlists::StationTestLists& testLists, RunHost& host,
                  std::function<void()> stopRun);

    // A new run: no pre-check handled, no open channel, no pace step started.
    void reset();

    // Whether the roller (the signal generator) is connected; none: never.
    void setRollerConnectedQuery(std::function<bool()> query) { m_rollerConnected = std::move(query); }

    // Rebuilds the expanded and the pace list of the run from the
    // operator's list.
    void buildElectrodeTestLists();
    // The pre-check's verdict on a channel: open or not.
    void setOpenCircuit(UnitIndex unit, std::size_t channel, bool open) { m_openCircuit[unit].at(channel) = open; }
    bool openCircuit(UnitIndex unit, std::size_t channel) const { return m_openCircuit[unit].at(channel); }
    // The point after the pre-check (the sequencer tick at list position 2):
    // ends the pre-check, marks it handled, and, when the pre-check found
    // open channels, asks the operator: OK drops every uncompleted step of
    // those electrodes from both lists, Cancel stops the run. While the box
    // waits, the sequencer starts nothing (operatorDecisionPending).
    void openCircuitPoint();
    bool preCheckHandled() const { return m_preCheckHandled; }
    bool operatorDecisionPending() const { return m_operatorDecisionPending; }

    // True while the pace step of these electrodes has its pace signal on.
    bool isPaceTestRunningOnElectrodes(const QString& electrodes) const;
    // The pace time of the last pace step started.
    void setPaceDurationSeconds(qint32 seconds) { m_paceDurationSeconds = seconds; }
    // Starts the first due pace step, and pushes the later ones a stagger
    // further: the pace time / SimultaneousTests, at least 1 s.
    void startDuePaceTests();
    // Ends every running pace step whose end time has passed: cancels its
    // channel, records its duration (or leaves that to its roll prompt), and
    // starts its next iteration.
    void endDuePaceTests();
    // Makes the uncompleted pace step of these electrodes the active step,
    // with its clock and its record keys.
    void activatePaceTest(const QString& electrodes);
    // Ends a pace step of the run list once its time is up.
    void endPrimaryPaceTest();

private:
    void startPaceTest(const std::shared_ptr<testlists::TestStep>& step);
    // Cancels and records (or prompts for) the end of a pace step on electrode index.
    void endPaceOnElectrode(const std::shared_ptr<testlists::TestStep>& step, qint16 index, qint32 duration,
                            bool secondary);
    void log(const QString& line);

    RunUnits m_units;
    RunState& m_state;
    MeasurementSchedule& m_schedule;
    RunServices& m_services;
    const config::StationSettings& m_settings;
    const testlists::StationTestLists& m_testLists;
    RunHost& m_host;
    std::function<void()> m_stopRun;
    std::function<bool()> m_rollerConnected;
    bool m_preCheckHandled = false;
    bool m_operatorDecisionPending = false;
    PerUnit<std::array<bool, 16>> m_openCircuit;
    // The pace time of the last pace step started, in seconds.
    qint32 m_paceDurationSeconds = 0;
};

} // namespace run
