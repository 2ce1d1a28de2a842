#pragma once
// A main test window for the editors' tests: the unit mode is set by the
// test, and the list commands are recorded.

#include "config/StationSettings.h"
#include "testlists/StationTestLists.h"
#include "ui/shell/TestWindowCommands.h"

#include <QStringList>

class FakeTestWindow : public ui::TestWindowServices {
public:
    run::ConnectedUnitsMode unitMode = run::ConnectedUnitsMode::None; // what checkZAMOMode answers
    bool zamo24 = false;                                              // what checkZAMO24 answers
    QStringList calls;                 // clearTestList, updateTestSequenceList, startFirstTestSequence(..)
    config::StationSettings settings;  // what the editors change and save
    testlists::StationTestLists lists; // what the editors read and change

    // The mode by the name the station gives it: "", "ZAMO", "ZAMO80" or "ERROR" (both kinds).
    static run::ConnectedUnitsMode mode(const QString& name)
    {
        if (name == "ZAMO")
            return run::ConnectedUnitsMode::Base;
        if (name == "ZAMO80")
            return run::ConnectedUnitsMode::Zamo80;
        return name == "ERROR" ? run::ConnectedUnitsMode::Mixed : run::ConnectedUnitsMode::None;
    }

    run::ConnectedUnitsMode checkZAMOMode() const override { return unitMode; }
    bool checkZAMO24() const override { return zamo24; }
    void clearTestList() override
    {
        calls << "ClearTestList";
        lists.active.clear();
    }
    void updateTestSequenceList() override { calls << "UpdateTestSequenceList"; }
    void applyElectrodeSelection() override {}
    void startFirstTestSequence(bool showTestDetailsForm) override
    {
        calls << QString("StartFirstTestSequence(%1)").arg(showTestDetailsForm ? "True" : "False");
    }

    QWidget* hostWidget() override { return nullptr; }
    config::StationSettings& stationSettings() override { return settings; }
    testlists::StationTestLists& testLists() override { return lists; }
    QString commBuffer() const override { return {}; }
    void loadTestSequence() override {}
    void saveTestSequence() override {}
    void runBiasTest() override {}
    void runNoiseTest() override {}
    void runACZ30Zero() override {}
    void editTestList() override {}
    void connectUnitLink(int) override {}
    void connectUnitLinkSimulator(int, int, bool, bool) override {}
    void disconnectUnitLink(int) override {}
    void connectZamoSG() override {}
    void disconnectZamoSG() override {}
    bool simulatorZamo80Selected() const override { return false; }
    bool simulatorZamo24Selected() const override { return false; }
    QString simulatorChannelsText() const override { return {}; }
    bool queryExit() override { return true; }
    void unloadApplication() override {}
};
