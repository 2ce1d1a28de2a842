#pragma once
// The station's windows over a temporary data folder: settings.ini path set,
// log started, the station's settings handed to the windows, no command line, and a
// recording stand-in for the main test window. Every window is deleted
// after the test.

#include "support/SettingsFixture.h"

#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ProgramEnd.h"
#include "platform/ScriptedPrompts.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindowCommands.h"

#include <QPointer>
#include <QStringList>
#include <memory>
#include <QWidget>

class RecordingMainForm : public MainFormServices {
public:
    explicit RecordingMainForm(config::StationSettings& settings) : m_settings(settings) {}

    QStringList calls;
    // Deleted with the frame once it sits there.
    QPointer<QWidget> window = new QWidget();
    QString commBuffer;
    bool zamo80 = false;
    bool zamo24 = false;
    QString simChannels = QStringLiteral("2");
    bool allowExit = true;

    ~RecordingMainForm() override { delete window; }

    QWidget* Window() override { return window; }
    config::StationSettings& Settings() override { return m_settings; }
    QString CommBuffer() const override { return commBuffer; }
    void LoadTestSequence() override { calls << "LoadTestSequence"; }
    void SaveTestSequence() override { calls << "SaveTestSequence"; }
    void StartFirstTestSequence(bool show) override
    {
        calls << QStringLiteral("StartFirstTestSequence(%1)").arg(show);
    }
    void RunBiasTest() override { calls << "RunBiasTest"; }
    void RunNoiseTest() override { calls << "RunNoiseTest"; }
    void RunACZ30Zero() override { calls << "RunACZ30Zero"; }
    void EditTestList() override { calls << "EditTestList"; }
    void ConnectUnitLink(int unit) override { calls << QStringLiteral("Connect(%1)").arg(unit); }
    void ConnectUnitLinkSimulator(int unit, int channels, bool z80, bool z24) override
    {
        calls << QStringLiteral("ConnectSimulator(%1,%2,%3,%4)").arg(unit).arg(channels).arg(z80).arg(z24);
    }
    void DisconnectUnitLink(int unit) override { calls << QStringLiteral("Disconnect(%1)").arg(unit); }
    void ConnectZamoSG() override { calls << "ConnectZamoSG"; }
    void DisconnectZamoSG() override { calls << "DisconnectZamoSG"; }
    bool SimulatorZamo80Selected() const override { return zamo80; }
    bool SimulatorZamo24Selected() const override { return zamo24; }
    QString SimulatorChannelsText() const override { return simChannels; }
    bool QueryExit() override
    {
        calls << "QueryExit";
        return allowExit;
    }
    void UnloadApplication() override { calls << "UnloadApplication"; }
    ConnectedUnitsMode CheckZAMOMode() const override { return ConnectedUnitsMode::None; }
    bool CheckZAMO24() const override { return false; }
    void ClearTestList() override { calls << "ClearTestList"; }
    void UpdateTestSequenceList() override { calls << "UpdateTestSequenceList"; }
    void ApplyElectrodeSelection() override { calls << "ApplyElectrodeSelection"; }

private:
    config::StationSettings& m_settings;
};

class ShellFixture : public SettingsFixture {
protected:
    platform::ScriptedPrompts* prompts = nullptr;

    void SetUp() override
    {
        SettingsFixture::SetUp();
        prompts = platform::ScriptedPrompts::installNew();
        CommandLine::SetForTesting(QStringLiteral(""));
        StationWindows::UseSettings(&settings);
        ProgramEnd::ResetForTesting();
    }
    void TearDown() override
    {
        StationWindows::DestroyAll();
        StationWindows::UseSettings(nullptr);
        ProgramEnd::ResetForTesting();   // an "Exit" of the test ends no later test's start
        CommandLine::SetForTesting(QString());
        platform::Clock::useRealTime();
        SettingsFixture::TearDown();
    }

    // Hands a recording main test window to the station's windows.
    RecordingMainForm* useMainForm()
    {
        auto* form = new RecordingMainForm(settings);
        m_mainForm.reset(form);
        StationWindows::SetMainFormFactory([form] { return form; });
        return form;
    }

private:
    std::unique_ptr<RecordingMainForm> m_mainForm;
};
