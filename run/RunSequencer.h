#pragma once
// The run sequencer: turns the test list into commands for the units one
// step at a time and brings the run to its end, completed or cancelled. It
// owns the run state and the two run timers of the test window
// (TestSequenceTimer, the step walk; IntervalTimer, the 1-second test
// clock). It knows no widget: the window is reached through RunHost, the
// units through UnitLink, records, reports, the pre-test details and the
// clock through RunServices.

#include "platform/Timer.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "run/UnitMode.h"

#include <QObject>
#include <QString>

#include <array>

class RunHost;
class UnitLink;

namespace config {
struct StationSettings;
}

class RunSequencer : public QObject {
    Q_OBJECT
public:
    using Step = RunState::Step;

    // settings: the station's settings, kept by reference for the whole run
    // (the limits and the defib charge time may change between runs).
    RunSequencer(RunHost& host, config::StationSettings& settings, const std::array<UnitLink*, 2>& units,
                 QObject* parent = nullptr);

    RunState& State() { return m_state; }
    const RunState& State() const { return m_state; }
    RunServices& Services() { return m_services; }
    config::StationSettings& Settings() const { return m_settings; }
    UnitLink* Unit(int vIndex) const; // 1 or 2

    ConnectedUnitsMode CheckZAMOMode() const;
    bool CheckZAMO24() const;
    bool AnyUnitConnected() const;

    // Starts a run with the first step of the list, after its checks.
    void StartFirstTestSequence(bool vShowTestDetailsForm);
    // Starts one step on the units.
    void StartTest(const Step& vTest, bool vInitTestGroup, bool vInitNewTestUnits, bool vUpdateProgressBar,
                   bool vShowTestDetailsForm);
    // Cancels the run; nothing when no run is active.
    void StopTests();
    // The end of a run.
    void CompleteTests(bool vCompleteGroup);
    void SetTestsRunning();
    bool IsUnitLidOpen();
    // Refreshes the completion label; empty while a unit of the run is
    // disconnected or reconnecting.
    void UpdateEstimatedCompletionTime();
    bool UnitOfTheRunLost() const;
    // Sum of TestCount over the running list and the pace list.
    int GetTotalTestCount() const;
    // A unit's result reply is judged only while a run (or the calibration
    // panel) is active; a reply that arrives after the run ended is logged
    // and goes no further.
    bool acceptResultReply(int unit, qint16 channel, const QString& testType) const;

    // A run started by the operator (not the second list of a consecutive
    // run): it is a single-list run unless the caller says otherwise.
    void ClearConsecutiveLists();
    // A fresh run state, keeping what outlives a run.
    void PrepareRun();

    // Timer handlers.
    void TestSequenceTimer_Timer();
    void IntervalTimer_Timer();

    platform::Timer TestSequenceTimer;
    platform::Timer IntervalTimer;

private:
    // Asks for the pre-test details; false when the operator cancelled the run.
    bool TakePreTestDetails();
    // A selected electrode is present on a connected unit.
    bool SelectionOnConnectedUnit() const;
    bool StartOnUnits(const Step& vTest, bool vUpdateProgressBar);
    void StartRoll(const Step& vTest, const QString& bits, int unit, bool vUpdateProgressBar);
    void BeginStep(const Step& vTest);
    void SwitchOff200VSupplies();
    void EndRunDisplay(const QString& line);
    void Log(const QString& line);

    RunHost& m_host;
    config::StationSettings& m_settings;
    std::array<UnitLink*, 2> m_units;
    RunState m_state;
    RunServices m_services;
};
