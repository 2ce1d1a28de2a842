#pragma once
// The main test window: a thin composition of its parts, on the two units
// handed in as UnitLink (unit 1 and unit 2):
//   StatusPanel, TestListPanel, ElectrodePanel  what the operator sees
//   RunController (owning the RunSequencer)     the run commands
//   ConnectionEvents                            unit link, signal generator
//                                               and database events
//   KeepAlive, LogRollover, OperatorLog         housekeeping between runs
// The window itself is the run's host (progress, locked controls), answers
// the main frame and the other windows (MainFormServices), loads the test
// list files, and closes the station. Failures are told to the operator
// through the prompts; none escapes a handler.
//
// Members are implemented in:
//   TestWindow.cpp            composition, load, unit mode, shutdown
//   TestWindowTestList.cpp    forwarded run commands, test lists and files
//   TestWindowConnection.cpp  operator log, unit link commands

#include "run/KeepAlive.h"
#include "run/LogRollover.h"
#include "run/OperatorLog.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "ui/testwindow/ConnectionEvents.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/FrameItems.h"
#include "ui/testwindow/RunController.h"
#include "ui/testwindow/StatusPanel.h"
#include "ui/testwindow/TestListPanel.h"
#include "ui/testwindow/TestWindowCommands.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class UnitLink;

class MainForm : public QWidget, public RunHost, public MainFormServices {
    Q_OBJECT
public:
    // settings: the station's settings, owned by the start-up assembly and
    // kept by reference.
    MainForm(config::StationSettings& settings, const std::array<UnitLink*, 2>& units, QWidget* parent = nullptr);
    ~MainForm() override;

    RunController& runController() { return m_runController; }
    RunSequencer& Sequencer() { return m_runController.sequencer(); }
    config::StationSettings& Settings() override { return Sequencer().Settings(); }
    RunState& State() { return Sequencer().State(); }
    RunServices& Services() { return Sequencer().Services(); }
    MainFrameItems& Frame() { return m_frame; }
    OperatorLog& operatorLog() { return m_operatorLog; }
    // What the unit links, the signal generator and the database report to.
    ConnectionEvents& connectionEvents() { return m_connectionEvents; }
    KeepAlive& keepAlive() { return m_keepAlive; }
    LogRollover& logRollover() { return m_logRollover; }
    StatusPanel& statusPanel() const { return *m_statusPanel; }
    TestListPanel& testListPanel() const { return *m_testListPanel; }
    ElectrodePanel& electrodePanel() const { return *m_electrodePanel; }
    // The main frame's own items and status strip replace the stand-ins.
    void AttachFrame(const MainFrameItems& items);
    // The display of unit link n (its Connect toggle and simulator switch)
    // beside the unit's status.
    void PlaceUnitLinkView(int n, QWidget* view);

    // ---- set-up, unit mode and shutdown ----
    void Form_Load();
    void InitMainForm();
    void ProcessCommandLine();
    void ApplyElectrodeSelection() override;
    ConnectedUnitsMode CheckZAMOMode() const override;
    bool CheckZAMO24() const override;
    // The close request: QueryExit, then UnloadApplication; false when the
    // window stays (the operator said No).
    bool Form_QueryUnload();
    // During a run: "Are you sure you want to quit?"; Yes cancels the run.
    bool QueryExit() override;
    void UnloadApplication() override;
    void UnloadOtherForms();

    // ---- run ----
    bool pTestRunning() const { return m_runController.running(); }
    void StartFirstTestSequence(bool vShowTestDetailsForm) override;
    void StopTests();

    // ---- test-list panel ----
    void RunBiasTest() override;
    void RunACZ30Zero() override;
    void RunNoiseTest() override;
    void ClearTestList() override;
    void UpdateTestSequenceList() override;
    void LoadTestSequence() override;
    void SaveTestSequence() override;
    void ConnectUnit(int n);
    void EnableTestControls();
    void DisableTestControls();
    void cmdEditTestList_Click();
    // Asks for list file n (1 or 2) of a consecutive run and loads it.
    void loadConsecutiveList(int n);
    // The /vadov override: the elapsed seconds of the running step.
    void advanceClock();

    // ---- operator log ----
    void WriteToCommTextBox(const QString& strValue, bool vRecordToLog, bool vInhibitCommDisplay) override;

    // ---- RunHost ----
    void UpdateProgress(int vValue, int vMaximum) override;
    void AdvanceProgress() override;
    void SetCompletionCaption(const QString& caption) override;
    void SetRunLockedControls(bool vRunning) override;
    void ShowDischargeWarning() override;
    void PlayTestsCompletedSound() override;
    void RollChannel(qint16 vChannelIndex) override;

    // ---- what the main frame and the other windows ask of the window ----
    QWidget* Window() override { return this; }
    QString CommBuffer() const override;
    void EditTestList() override { cmdEditTestList_Click(); }
    void ConnectUnitLink(int unit) override;
    void ConnectUnitLinkSimulator(int unit, int vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode) override;
    void DisconnectUnitLink(int unit) override;
    void ConnectZamoSG() override;
    void DisconnectZamoSG() override;
    bool SimulatorZamo80Selected() const override;
    bool SimulatorZamo24Selected() const override;
    QString SimulatorChannelsText() const override;

    // ---- windows and services of other subsystems ----
    struct Windows {
        std::function<void()> TestSequenceEditor; // modal
        std::function<void()> BiasTestParameters; // modal
        std::function<void()> DischargeWarning;   // modeless, one window
        std::function<void()> TestsCompletedSound;
        std::function<void(qint16)> RollChannel; // the signal generator
        std::function<void()> ConnectZamoSG;
        std::function<void()> DisconnectZamoSG;
        // Ends the program once the window is unloaded.
        std::function<void()> EndProgram;
    };
    Windows& OtherWindows() { return m_windows; }

    // Set when the operator chose to leave after a link error.
    bool ExitingApplication = false;

private:
    void BuildControls();
    void BuildFrameStandIns();
    void ConnectControls();
    UnitLink* Unit(int n) const;
    void LoadTestSequenceFile(TestList& list, int n);
    QString AskForSequenceFile();
    void SetItemEnabled(QAction* item, bool enabled);
    void SetItemEnabled(const QPointer<QAction>& item, bool enabled) { SetItemEnabled(item.data(), enabled); }
    void EndProgram();

    std::array<UnitLink*, 2> m_units;
    Windows m_windows;
    RunController m_runController;
    KeepAlive m_keepAlive;
    LogRollover m_logRollover;
    OperatorLog m_operatorLog;
    ConnectionEvents m_connectionEvents{*this};
    StatusPanel* m_statusPanel = nullptr;
    TestListPanel* m_testListPanel = nullptr;
    ElectrodePanel* m_electrodePanel = nullptr;
    MainFrameItems m_frame;
    QString m_lastSequenceFile;
    // Test controls asked for while a run was going; given at its end.
    bool m_testControlsPending = false;
    bool m_testControlsEnabled = false;
};
