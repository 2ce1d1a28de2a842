#pragma once
// A main test window for the editors' tests: the unit mode is set by the
// test, and the list commands are recorded.

#include "config/StationSettings.h"
#include "testlists/StationTestLists.h"
#include "ui/testwindow/TestWindowCommands.h"

#include <QStringList>

class FakeMainForm : public MainFormServices {
public:
    ConnectedUnitsMode unitMode = ConnectedUnitsMode::None; // what CheckZAMOMode answers
    bool zamo24 = false;       // what CheckZAMO24 answers
    QStringList calls;         // ClearTestList, UpdateTestSequenceList, StartFirstTestSequence(..)
    config::StationSettings settings; // what the editors change and save

    // The mode by the name the station gives it: "", "ZAMO", "ZAMO80" or "ERROR" (both kinds).
    static ConnectedUnitsMode Mode(const QString& name)
    {
        if (name == "ZAMO")
            return ConnectedUnitsMode::Base;
        if (name == "ZAMO80")
            return ConnectedUnitsMode::Zamo80;
        return name == "ERROR" ? ConnectedUnitsMode::Mixed : ConnectedUnitsMode::None;
    }

    ConnectedUnitsMode CheckZAMOMode() const override { return unitMode; }
    bool CheckZAMO24() const override { return zamo24; }
    void ClearTestList() override
    {
        calls << "ClearTestList";
        Globals::ActiveTestList.clear();
    }
    void UpdateTestSequenceList() override { calls << "UpdateTestSequenceList"; }
    void ApplyElectrodeSelection() override {}
    void StartFirstTestSequence(bool vShowTestDetailsForm) override
    {
        calls << QString("StartFirstTestSequence(%1)").arg(vShowTestDetailsForm ? "True" : "False");
    }

    QWidget* Window() override { return nullptr; }
    config::StationSettings& Settings() override { return settings; }
    QString CommBuffer() const override { return {}; }
    void LoadTestSequence() override {}
    void SaveTestSequence() override {}
    void RunBiasTest() override {}
    void RunNoiseTest() override {}
    void RunACZ30Zero() override {}
    void EditTestList() override {}
    void ConnectUnitLink(int) override {}
    void ConnectUnitLinkSimulator(int, int, bool, bool) override {}
    void DisconnectUnitLink(int) override {}
    void ConnectZamoSG() override {}
    void DisconnectZamoSG() override {}
    bool SimulatorZamo80Selected() const override { return false; }
    bool SimulatorZamo24Selected() const override { return false; }
    QString SimulatorChannelsText() const override { return {}; }
    bool QueryExit() override { return true; }
    void UnloadApplication() override {}
};
