#pragma once
// The run sequencer: turns the test list into commands for the units one
// step at a time and brings the run to its end, completed or cancelled. It
// owns the run's own state, the step's schedule, the charge sequence and
// the two run timers (the step walk, every 2 s unless the settings say
// otherwise; the 1-second test clock). Each component of the run gets what
// it uses by reference when it is made (the units, the run's state, the
// services, its own state) and tells the sequencer of a run to stop. It
// knows no widget: the window is reached through RunHost, the units through
// Unit, records, reports, the pre-test details and the clock through
// RunServices.

#include "platform/Timer.h"
#include "run/AclgSums.h"
#include "run/CancelReason.h"
#include "run/ChargeSequence.h"
#include "run/MeasurementSchedule.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "run/RunUnits.h"
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
namespace testlists {
class StationTestLists;
}

namespace run {

class RunHost;

class RunSequencer : public QObject {
    Q_OBJECT
public:
    using Step = RunState::Step;

    // settings: the station's settings, kept by reference for the whole run
    // (the limits and the defib charge time may change between runs);
    // testLists: the station's, whose active list a run starts with and
    // whose default selection its steps take; kept by reference.
    RunSequencer(RunHost& host, config::StationSettings& settings, testlists::StationTestLists& testLists,
                 const std::array<unit::Unit*, 2>& units, QObject* parent = nullptr);

    RunState& state() { return m_state; }
    const RunState& state() const { return m_state; }
    MeasurementSchedule& schedule() { return m_schedule; }
    ChargeSequence& charge() { return m_charge; }
    AclgSums& aclgSums() { return m_aclgSums; }
    RunServices& services() { return m_services; }
    config::StationSettings& stationSettings() const { return m_settings; }
    testlists::StationTestLists& testLists() const { return m_testLists; }
    const RunUnits& units() const { return m_units; }
    unit::Unit* unitAt(UnitIndex unit) const { return m_units.at(unit); }
    // The unit of a number as a unit reports it (1 or 2); none for any other.
    unit::Unit* unitAt(int number) const { return m_units.byNumber(number); }

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
    // Unit number 1 or 2 is gone and the operator is asked to connect it
    // again: a run on it waits meanwhile (no step starts, the test clock
    // stands). Once the answer is in, a run that needs the unit and does
    // not have it back is cancelled.
    void askingForUnit(int number);
    void unitAnswered(int number);
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
    // The end-of-run gate of the result handlers (ResultHandlers::acceptReply)
    // on this run.
    bool acceptResultReply(int unit, qint16 channel, const QString& testType) const;

    // A run started by the operator (not the second list of a consecutive
    // run): it is a single-list run unless the caller says otherwise.
    void clearConsecutiveLists();
    // A consecutive-lists run is to start: both loaded lists get the
    // selected electrodes and the first becomes the operator's list; false,
    // and nothing changed, while either list is empty.
    bool takeConsecutiveLists();
    // The ACZ30 zero run: one ACZ30ZERO step on the selected electrodes,
    // recorded in no group.
    void startAcz30ZeroRun();
    // A fresh run state, keeping what outlives a run.
    void prepareRun();

    // Timer handlers.
    void sequenceTick();
    void intervalTick();

    // The step walk (sequenceTick) and the 1-second test clock (intervalTick).
    platform::Timer& stepTimer() { return m_stepTimer; }
    platform::Timer& testClockTimer() { return m_testClockTimer; }

private:
    // Asks for the pre-test details; false when the operator cancelled the run.
    bool takePreTestDetails();
    // A selected electrode is present on a connected unit (on unit u).
    bool selectionOnConnectedUnit() const;
    bool selectionOnUnit(UnitIndex u) const;
    // Removes the steps whose type no test has (logged in the operator log).
    void leaveOutUnknownSteps(testlists::TestList& list);
    bool startOnUnits(const Step& test, bool updateProgressBar);
    void startRoll(const Step& test, const QString& bits, UnitIndex unit, bool updateProgressBar);
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
    testlists::StationTestLists& m_testLists;
    RunUnits m_units;
    platform::Timer m_stepTimer;
    platform::Timer m_testClockTimer;
    RunState m_state;
    MeasurementSchedule m_schedule;
    ChargeSequence m_charge;
    AclgSums m_aclgSums;
    RunServices m_services;
    PerUnit<bool> m_unitAsked; // the operator is asked to connect the unit again
};

} // namespace run
