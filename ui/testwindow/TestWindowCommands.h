#pragma once
// What the main frame, the status window, start-up and the test-definition
// windows need of the main test window (MainForm) and of the unit links it
// owns. MainForm implements it; tests put a recording double in its place.

#include "run/UnitMode.h"

#include <QString>

class QWidget;

namespace config {
struct StationSettings;
}

class MainFormServices : public UnitModeSource {
public:
    virtual ~MainFormServices() = default;

    // The window itself, for placing it and the windows beside it.
    virtual QWidget* Window() = 0;

    // The station's settings the window was built with; the test-definition
    // windows change them (limits, defib charge time) and save them.
    virtual config::StationSettings& Settings() = 0;

    // The rolling communication buffer (CommBuffer).
    virtual QString CommBuffer() const = 0;

    // Test list and run commands of the Tests and File menus.
    virtual void LoadTestSequence() = 0;
    virtual void SaveTestSequence() = 0;
    virtual void StartFirstTestSequence(bool vShowTestDetailsForm) = 0;
    virtual void RunBiasTest() = 0;
    virtual void RunNoiseTest() = 0;
    virtual void RunACZ30Zero() = 0;
    // The test sequence editor, as the window's "Edit" button opens it.
    virtual void EditTestList() = 0;

    // Unit link n (1 or 2): Connect, ConnectSimulator, Disconnect.
    virtual void ConnectUnitLink(int unit) = 0;
    virtual void ConnectUnitLinkSimulator(int unit, int vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode) = 0;
    virtual void DisconnectUnitLink(int unit) = 0;
    // The signal-generator link: Connect, Disconnect.
    virtual void ConnectZamoSG() = 0;
    virtual void DisconnectZamoSG() = 0;

    // The simulated unit's model and channel count as chosen on the window
    // (optZamo80, optZamo24, txtSimChannels).
    virtual bool SimulatorZamo80Selected() const = 0;
    virtual bool SimulatorZamo24Selected() const = 0;
    virtual QString SimulatorChannelsText() const = 0;

    // The window's close check on "Exit": asks while a run is active;
    // returns false when the operator keeps the station running.
    virtual bool QueryExit() = 0;
    // Stops the run, closes the database and the windows, logs
    // "Application Terminated" and ends the program.
    virtual void UnloadApplication() = 0;

    // What the test-definition windows need of the window: the unit mode
    // (UnitModeSource), and:
    // Empties ActiveTestList and the window's test list grid.
    virtual void ClearTestList() = 0;
    // Refills the window's test list grid from ActiveTestList.
    virtual void UpdateTestSequenceList() = 0;
    // Ticks the electrode boxes of the default selection ([Electrodes]
    // Default), as start-up has loaded it.
    virtual void ApplyElectrodeSelection() = 0;
};
