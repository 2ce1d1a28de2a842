#pragma once
// The station's windows over a temporary data folder: settings.ini path set,
// log started, the windows built on the station's settings and a connection
// of their own (never opened here), no command line, and a recording
// stand-in for the main test window. Every window is deleted after the test.

#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "results/ResultsDatabase.h"
#include "support/SettingsFixture.h"
#include "testlists/StationTestLists.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/TestWindowCommands.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

class RecordingTestWindow : public ui::TestWindowServices {
public:
    explicit RecordingTestWindow(config::StationSettings& settings) : m_settings(settings) {}

    QStringList calls;
    // Deleted with the frame once it sits there.
    QPointer<QWidget> window = new QWidget();
    QString shownCommBuffer;
    bool zamo80 = false;
    bool zamo24 = false;
    QString simChannels = QStringLiteral("2");
    bool allowExit = true;
    testlists::StationTestLists lists; // what testLists() hands out

    ~RecordingTestWindow() override { delete window; }

    QWidget* hostWidget() override { return window; }
    config::StationSettings& stationSettings() override { return m_settings; }
    testlists::StationTestLists& testLists() override { return lists; }
    QString commBuffer() const override { return shownCommBuffer; }
    void loadTestSequence() override { calls << "LoadTestSequence"; }
    void saveTestSequence() override { calls << "SaveTestSequence"; }
    void startFirstTestSequence(bool show) override { calls << QStringLiteral("StartFirstTestSequence(%1)").arg(show); }
    void runBiasTest() override { calls << "RunBiasTest"; }
    void runNoiseTest() override { calls << "RunNoiseTest"; }
    void runACZ30Zero() override { calls << "RunACZ30Zero"; }
    void editTestList() override { calls << "EditTestList"; }
    void connectUnitLink(int unit) override { calls << QStringLiteral("Connect(%1)").arg(unit); }
    void connectUnitLinkSimulator(int unit, int channels, bool z80, bool z24) override
    {
        calls << QStringLiteral("ConnectSimulator(%1,%2,%3,%4)").arg(unit).arg(channels).arg(z80).arg(z24);
    }
    void disconnectUnitLink(int unit) override { calls << QStringLiteral("Disconnect(%1)").arg(unit); }
    void connectZamoSG() override { calls << "ConnectZamoSG"; }
    void disconnectZamoSG() override { calls << "DisconnectZamoSG"; }
    bool simulatorZamo80Selected() const override { return zamo80; }
    bool simulatorZamo24Selected() const override { return zamo24; }
    QString simulatorChannelsText() const override { return simChannels; }
    bool queryExit() override
    {
        calls << "QueryExit";
        return allowExit;
    }
    void unloadApplication() override { calls << "UnloadApplication"; }
    run::ConnectedUnitsMode checkZAMOMode() const override { return run::ConnectedUnitsMode::None; }
    bool checkZAMO24() const override { return false; }
    void clearTestList() override { calls << "ClearTestList"; }
    void updateTestSequenceList() override { calls << "UpdateTestSequenceList"; }
    void applyElectrodeSelection() override { calls << "ApplyElectrodeSelection"; }

private:
    config::StationSettings& m_settings;
};

class ShellFixture : public SettingsFixture {
protected:
    platform::ScriptedPrompts* prompts = nullptr;
    results::ResultsDatabase database{settings};
    ui::StationWindows windows{settings, database};

    void SetUp() override
    {
        SettingsFixture::SetUp();
        prompts = platform::ScriptedPrompts::installNew();
        platform::CommandLine::replaceText(QStringLiteral(""));
        platform::ProgramEnd::withdraw();
    }
    void TearDown() override
    {
        windows.destroyAll();
        platform::ProgramEnd::withdraw(); // an "Exit" of the test ends no later test's start
        platform::CommandLine::replaceText(QString());
        platform::Clock::useRealTime();
        SettingsFixture::TearDown();
    }

    // Hands a recording main test window to the station's windows.
    RecordingTestWindow* useMainForm()
    {
        auto* form = new RecordingTestWindow(settings);
        m_mainForm.reset(form);
        windows.setMainFormFactory([form] { return form; });
        return form;
    }

private:
    std::unique_ptr<RecordingTestWindow> m_mainForm;
};
