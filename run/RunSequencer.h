#pragma once
// The run sequencer: turns the test list into commands for the units one
// step at a time and brings the run to its end, completed or cancelled. It
// owns the run state and the two run timers of the test window
// (TestSequenceTimer, the step walk; IntervalTimer, the 1-second test
// clock). It knows no widget: the window is reached through RunHost, the
// units through Unit, records, reports, the pre-test details and the
// clock through RunServices.

#include "platform/Timer.h"
#include "run/CancelReason.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "run/UnitMode.h"

#include <QObject>
#include <QString>

#include <array>

namespace unit {
class Unit;
}

namespace config {
struct StationSettings;
}

namespace run {

class RunHost;

class RunSequencer : public QObject {
    Q_OBJECT
public:
    using Step = RunState::Step;

    // settings: the station's settings, kept by reference for the whole run
    // (the limits and the defib charge time may change between runs).
    RunSequencer(RunHost& host, config::StationSettings& settings, const std::array<unit::Unit*, 2>& units,
                 QObject* parent = nullptr);

    RunState& state() { return m_state; }
    const RunState& state() const { return m_state; }
    RunServices& services() { return m_services; }
    config::StationSettings& stationSettings() const { return m_settings; }
    unit::Unit* unitAt(int index) const; // 1 or 2

    ConnectedUnitsMode checkZAMOMode() const;
    bool checkZAMO24() const;
    bool anyUnitConnected() const;

    // Starts a run with the first step of the list, after its checks.
    void startFirstTestSequence(bool showTestDetailsForm);
    // Starts one step on the units.
    void startTest(const Step& test, bool initTestGroup, bool initNewTestUnits, bool updateProgressBar,
                   bool showTestDetailsForm);
    // Cancels the run; nothing when no run is active.
    void stopTests();
    // Cancels the run for a reason that was not the operator's: the
    // reason's line goes to the operator log (file and Status window), the
    // run is stopped as by Cancel (its group marked cancelled), and then,
    // with the run already stopped, the operator gets the reason's message.
    // False (and nothing done) when no run is active.
    bool cancelRun(const CancelReason& reason);
    // A failure of the results database: a running run (one writing its
    // last records included) is cancelled with the cause, at once. False
    // when no run is active (the caller tells the failure).
    bool databaseFailed(const QString& cause);
    // Unit n (1 or 2) is gone and the operator is asked to connect it
    // again: a run on it waits meanwhile (no step starts, the test clock
    // stands). Once the answer is in, a run that needs the unit and does
    // not have it back is cancelled.
    void askingForUnit(int unit);
    void unitAnswered(int unit);
    // The end of a run.
    void completeTests(bool completeGroup);
    void setTestsRunning();
    bool isUnitLidOpen();
    // Refreshes the completion label; empty while a unit of the run is
    // disconnected or reconnecting.
    void updateEstimatedCompletionTime();
    // A unit that a step of the run was sent to is disconnected or reconnecting.
    bool unitOfTheRunLost() const;
    // Sum of testCount over the running list and the pace list.
    int getTotalTestCount() const;
    // A unit's result reply is judged only while a run (or the calibration
    // panel) is active; a reply that arrives after the run ended is logged
    // and goes no further.
    bool acceptResultReply(int unit, qint16 channel, const QString& testType) const;

    // A run started by the operator (not the second list of a consecutive
    // run): it is a single-list run unless the caller says otherwise.
    void clearConsecutiveLists();
    // A fresh run state, keeping what outlives a run.
    void prepareRun();

    // Timer handlers.
    void sequenceTick();
    void intervalTick();

    platform::Timer TestSequenceTimer;
    platform::Timer IntervalTimer;

private:
    // Asks for the pre-test details; false when the operator cancelled the run.
    bool takePreTestDetails();
    // A selected electrode is present on a connected unit (on unit u).
    bool selectionOnConnectedUnit() const;
    bool selectionOnUnit(int u) const;
    // Removes the steps whose type no test has (logged in the operator log).
    void leaveOutUnknownSteps(testlists::TestList& list);
    bool startOnUnits(const Step& test, bool updateProgressBar);
    void startRoll(const Step& test, const QString& bits, int unit, bool updateProgressBar);
    void beginStep(const Step& test);
    void switchOff200VSupplies();
    void endRunDisplay(const QString& line);
    void log(const QString& line);
    // A unit of the run that is gone holds the run while it may come back
    // (it reconnects by itself, or the operator is asked); one given up
    // cancels the run. True when the tick goes no further.
    bool lostUnitHoldsRun();
    // The run's last records before its group is completed; false when
    // they ended the run as cancelled.
    bool recordRunEnd(qint32 group, bool mode80, bool completeGroup);

    RunHost& m_host;
    config::StationSettings& m_settings;
    std::array<unit::Unit*, 2> m_units;
    RunState m_state;
    RunServices m_services;
    std::array<bool, 2> m_unitAsked{}; // the operator is asked to connect unit 1, 2 again
};

} // namespace run
