#pragma once
// What the main frame, the status window, start-up and the test-definition
// windows need of the main test window (TestWindow) and of the unit links it
// owns. TestWindow implements it; tests put a recording double in its place.

#include "run/UnitMode.h"

#include <QString>

class QWidget;

namespace config {
struct StationSettings;
}
namespace testlists {
class StationTestLists;
}

namespace ui {

class TestWindowServices : public run::UnitModeSource {
public:
    virtual ~TestWindowServices() = default;

    // The window itself, for placing it and the windows beside it.
    virtual QWidget* hostWidget() = 0;

    // The station's settings the window was built with; the test-definition
    // windows change them (limits, defib charge time) and save them.
    virtual config::StationSettings& stationSettings() = 0;

    // The station's test lists the window was built with: the active list
    // it shows, the standard lists and the default selection, which the
    // test-definition windows and the service panel change.
    virtual testlists::StationTestLists& testLists() = 0;

    // The rolling communication buffer (commBuffer).
    virtual QString commBuffer() const = 0;

    // Test list and run commands of the Tests and File menus.
    virtual void loadTestSequence() = 0;
    virtual void saveTestSequence() = 0;
    virtual void startFirstTestSequence(bool showTestDetailsForm) = 0;
    virtual void runBiasTest() = 0;
    virtual void runNoiseTest() = 0;
    virtual void runACZ30Zero() = 0;
    // The test sequence editor, as the window's "Edit" button opens it.
    virtual void editTestList() = 0;

    // Unit link n (1 or 2): Connect, connectSimulator, Disconnect.
    virtual void connectUnitLink(int unit) = 0;
    virtual void connectUnitLinkSimulator(int unit, int numOfChannels, bool zamo80Mode, bool zamo24Mode) = 0;
    virtual void disconnectUnitLink(int unit) = 0;
    // The signal-generator link: Connect, Disconnect.
    virtual void connectZamoSG() = 0;
    virtual void disconnectZamoSG() = 0;

    // The simulated unit's model and channel count as chosen on the window
    // (optZamo80, optZamo24, simChannelsEdit).
    virtual bool simulatorZamo80Selected() const = 0;
    virtual bool simulatorZamo24Selected() const = 0;
    virtual QString simulatorChannelsText() const = 0;

    // The window's close check on "Exit": asks while a run is active;
    // returns false when the operator keeps the station running.
    virtual bool queryExit() = 0;
    // Stops the run, closes the database and the windows, logs
    // "Application Terminated" and ends the program.
    virtual void unloadApplication() = 0;

    // What the test-definition windows need of the window: the unit mode
    // (UnitModeSource), and:
    // Empties the active test list and the window's test list grid.
    virtual void clearTestList() = 0;
    // Refills the window's test list grid from the active test list.
    virtual void updateTestSequenceList() = 0;
    // Ticks the electrode boxes of the default selection ([Electrodes]
    // Default), as start-up has loaded it.
    virtual void applyElectrodeSelection() = 0;
};

} // namespace ui
