#pragma once
// The main test window: a thin composition of its parts, on the two units
// handed in as Unit (unit 1 and unit 2):
//   StatusPanel, TestListPanel, ElectrodePanel  what the operator sees
//   RunController (owning the RunSequencer)     the run commands
//   ConnectionEvents                            unit link, signal generator
//                                               and database events
//   KeepAlive, LogRollover, OperatorLog         housekeeping between runs
// The window itself is the run's host (progress, locked controls), answers
// the main frame and the other windows (TestWindowServices), loads the test
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
#include "ui/shell/TestWindowCommands.h"
#include "ui/testwindow/ConnectionEvents.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/FrameItems.h"
#include "ui/testwindow/RunController.h"
#include "ui/testwindow/StatusPanel.h"
#include "ui/testwindow/TestListPanel.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

namespace unit {
class Unit;
}

namespace ui {

class StationWindows;

class TestWindow : public QWidget, public run::RunHost, public TestWindowServices {
    Q_OBJECT
public:
    // settings, log, testLists: the station's, owned by the start-up assembly
    // and kept by reference; stationWindows: the station's windows, whose
    // status window shows the operator log and whose frame takes the report
    // windows (kept by reference as well).
    TestWindow(config::StationSettings& settings, config::StationLog& log, testlists::StationTestLists& testLists,
               StationWindows& stationWindows, const std::array<unit::Unit*, 2>& units, QWidget* parent = nullptr);
    ~TestWindow() override;

    RunController& runController() { return m_runController; }
    run::RunSequencer& sequencer() { return m_runController.sequencer(); }
    config::StationSettings& stationSettings() override { return sequencer().stationSettings(); }
    testlists::StationTestLists& testLists() override { return sequencer().testLists(); }
    run::RunState& state() { return sequencer().state(); }
    run::RunServices& services() { return sequencer().services(); }
    FrameItems& frame() { return m_frame; }
    run::OperatorLog& operatorLog() { return m_operatorLog; }
    // What the unit links, the signal generator and the database report to.
    ConnectionEvents& connectionEvents() { return m_connectionEvents; }
    run::KeepAlive& keepAlive() { return m_keepAlive; }
    run::LogRollover& logRollover() { return m_logRollover; }
    StatusPanel& statusPanel() const { return *m_statusPanel; }
    TestListPanel& testListPanel() const { return *m_testListPanel; }
    ElectrodePanel& electrodePanel() const { return *m_electrodePanel; }
    // The main frame's own items and status strip replace the stand-ins.
    void attachFrame(const FrameItems& items);
    // The display of unit link n (its Connect toggle and simulator switch)
    // beside the unit's status.
    void placeUnitLinkView(int n, QWidget* view);

    // ---- set-up, unit mode and shutdown ----
    void load();
    void initMainForm();
    void processCommandLine();
    void applyElectrodeSelection() override;
    run::ConnectedUnitsMode checkZAMOMode() const override;
    bool checkZAMO24() const override;
    // The close request: queryExit, then unloadApplication; false when the
    // window stays (the operator said No).
    bool queryClose();
    // During a run: "Are you sure you want to quit?"; Yes cancels the run.
    bool queryExit() override;
    void unloadApplication() override;
    void unloadOtherForms();

    // ---- run ----
    bool testRunning() const { return m_runController.running(); }
    void startFirstTestSequence(bool showTestDetailsForm) override;
    void stopTests();

    // ---- test-list panel ----
    void runBiasTest() override;
    void runACZ30Zero() override;
    void runNoiseTest() override;
    void clearTestList() override;
    void updateTestSequenceList() override;
    void loadTestSequence() override;
    void saveTestSequence() override;
    void connectUnit(int n);
    void enableTestControls();
    void disableTestControls();
    void openSequenceEditor();
    // Asks for list file n (1 or 2) of a consecutive run and loads it.
    void loadConsecutiveList(int n);
    // The /vadov override: the elapsed seconds of the running step.
    void advanceClock();

    // ---- operator log ----
    void writeToCommTextBox(const QString& text, bool recordToLog, bool inhibitCommDisplay) override;

    // ---- RunHost ----
    void updateProgress(int value, int maximum) override;
    void advanceProgress() override;
    void setCompletionCaption(const QString& caption) override;
    void setRunLockedControls(bool running) override;
    void showDischargeWarning() override;
    void playTestsCompletedSound() override;
    void rollChannel(qint16 channelIndex) override;
    void showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt> prompt) override;

    // ---- what the main frame and the other windows ask of the window ----
    QWidget* hostWidget() override { return this; }
    QString commBuffer() const override;
    void editTestList() override { openSequenceEditor(); }
    void connectUnitLink(int unit) override;
    void connectUnitLinkSimulator(int unit, int numOfChannels, bool zamo80Mode, bool zamo24Mode) override;
    void disconnectUnitLink(int unit) override;
    void connectZamoSG() override;
    void disconnectZamoSG() override;
    bool simulatorZamo80Selected() const override;
    bool simulatorZamo24Selected() const override;
    QString simulatorChannelsText() const override;

    // ---- windows and services of other subsystems ----
    struct Windows {
        std::function<void()> testSequenceEditor; // modal
        std::function<void()> biasTestParameters; // modal
        std::function<void()> dischargeWarning;   // modeless, one window
        std::function<void()> testsCompletedSound;
        std::function<void(qint16)> rollChannel; // the signal generator
        std::function<void()> connectZamoSG;
        std::function<void()> disconnectZamoSG;
        // Ends the program once the window is unloaded.
        std::function<void()> endProgram;
    };
    Windows& otherWindows() { return m_windows; }

    // Set when the operator chose to leave after a link error.
    bool exitingApplication = false;

private:
    void buildControls();
    void buildFrameStandIns();
    void connectControls();
    unit::Unit* unitAt(int n) const;
    void loadTestSequenceFile(testlists::TestList& list, int n);
    QString askForSequenceFile();
    void setItemEnabled(QAction* item, bool enabled);
    void setItemEnabled(const QPointer<QAction>& item, bool enabled) { setItemEnabled(item.data(), enabled); }
    void endProgram();

    std::array<unit::Unit*, 2> m_units;
    Windows m_windows;
    RunController m_runController;
    run::KeepAlive m_keepAlive;
    run::LogRollover m_logRollover;
    run::OperatorLog m_operatorLog;
    ConnectionEvents m_connectionEvents{*this};
    StatusPanel* m_statusPanel = nullptr;
    TestListPanel* m_testListPanel = nullptr;
    ElectrodePanel* m_electrodePanel = nullptr;
    FrameItems m_frame;
    QString m_lastSequenceFile;
    // Test controls asked for while a run was going; given at its end.
    bool m_testControlsPending = false;
    bool m_testControlsEnabled = false;
};

} // namespace ui
