#pragma once
// The main test window on two recording units, with recording records,
// reports, database and pre-test details, in virtual time, offscreen.

#include "RunDoubles.h"
#include "config/Log.h"
#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedPrompts.h"
#include "run/RecordingUnit.h"
#include "support/TempDataHome.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"
#include "ui/testwindow/TestWindow.h"

#include <QFile>

#include <gmock/gmock.h>

#include <memory>

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CommandLine::SetForTesting(QStringLiteral(""));
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
        settings.paths.placeInDataFolder();
        config::buildDefaultIni(settings.paths.settingsFile);
        modMain::InitLogFile();
        ResetGlobals();
        settings.reports.displayEnabled = false;
        prompts = platform::ScriptedPrompts::installNew();
        form = std::make_unique<MainForm>(settings, std::array<UnitLink*, 2>{&unit1, &unit2});
        auto recorderPtr = std::make_unique<RecordingRecorder>();
        recorder = recorderPtr.get();
        form->Services().recorder = std::move(recorderPtr);
        auto reportsPtr = std::make_unique<RecordingReports>();
        reports = reportsPtr.get();
        form->Services().reports = std::move(reportsPtr);
        auto databasePtr = std::make_unique<RecordingDatabase>();
        database = databasePtr.get();
        form->Services().database = std::move(databasePtr);
        auto detailsPtr = std::make_unique<ScriptedPreTestDetailsPrompt>();
        details = detailsPtr.get();
        form->Services().preTestDetails = std::move(detailsPtr);
        form->OtherWindows().TestsCompletedSound = [this] { ++completedSounds; };
        form->OtherWindows().DischargeWarning = [this] { ++dischargeWarnings; };
        form->Form_Load();
    }

    void TearDown() override
    {
        form.reset();
        platform::Clock::useRealTime();
        CommandLine::SetForTesting(QString());
    }

    static void ResetGlobals()
    {
        Globals::ActiveTestList.clear();
        modMain::ApplyElectrodeString(QStringLiteral("A1-B1"));
    }

    // A one-step list on the default electrodes.
    static std::shared_ptr<clsTestSequence> AddStep(const QString& type, qint16 count = 1)
    {
        auto step = std::make_shared<clsTestSequence>();
        step->InitByParams(type, count, modMain::BuildElectrodeString(true), 1, 60, false, 1, false);
        Globals::ActiveTestList.append(step);
        return step;
    }

    // What the result handlers do when every active electrode has its final reading.
    void FinishIteration()
    {
        auto step = form->State().pActiveTest;
        ASSERT_TRUE(step);
        for (qint16 i = 0; i < 32; ++i)
            step->SetElectrodeTestComplete(i);
    }

    // One TestSequenceTimer tick (the interval is 5000 ms).
    void Tick() { platform::Clock::advance(5000); }

    // Runs the started list to its end, finishing each iteration.
    void RunToEnd(int maxTicks = 50)
    {
        for (int i = 0; i < maxTicks && form->pTestRunning(); ++i) {
            if (form->State().pActiveTest)
                FinishIteration();
            Tick();
        }
    }

    QString LogText() const
    {
        QFile file(modMain::LogFilePath);
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

    testsupport::TempDataHome home;
    // The station's settings the window is built on.
    config::StationSettings settings;
    platform::ScriptedPrompts* prompts = nullptr;
    RecordingUnit unit1;
    RecordingUnit unit2;
    std::unique_ptr<MainForm> form;
    RecordingRecorder* recorder = nullptr;
    RecordingReports* reports = nullptr;
    RecordingDatabase* database = nullptr;
    ScriptedPreTestDetailsPrompt* details = nullptr;
    int completedSounds = 0;
    int dischargeWarnings = 0;
};
