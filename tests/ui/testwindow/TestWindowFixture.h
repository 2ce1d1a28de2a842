#pragma once
// The main test window on two recording units, with recording records,
// reports, database and pre-test details, in virtual time, offscreen.

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedPrompts.h"
#include "results/ResultsDatabase.h"
#include "run/RecordingUnit.h"
#include "run/RunBasics.h"
#include "run/RunDoubles.h"
#include "support/InstalledLog.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindow.h"

#include <QFile>

#include <gmock/gmock.h>

#include <memory>

class TestWindowFixture : public ::testing::Test, public RunBasics {
protected:
    void SetUp() override
    {
        startBasics();
        form = std::make_unique<ui::TestWindow>(settings, stationLog, testLists, stationWindows,
                                                std::array<unit::Unit*, 2>{&unit1, &unit2});
        auto recorderPtr = std::make_unique<RecordingRecorder>();
        recorder = recorderPtr.get();
        form->services().recorder = std::move(recorderPtr);
        auto reportsPtr = std::make_unique<RecordingReports>();
        reports = reportsPtr.get();
        form->services().reports = std::move(reportsPtr);
        auto databasePtr = std::make_unique<RecordingDatabase>();
        database = databasePtr.get();
        form->services().database = std::move(databasePtr);
        auto detailsPtr = std::make_unique<ScriptedPreTestDetailsPrompt>();
        details = detailsPtr.get();
        form->services().preTestDetails = std::move(detailsPtr);
        form->otherWindows().testsCompletedSound = [this] { ++completedSounds; };
        form->otherWindows().dischargeWarning = [this] { ++dischargeWarnings; };
        form->load();
    }

    void TearDown() override
    {
        form.reset();
        endBasics();
    }

    // A one-step list on the default electrodes.
    std::shared_ptr<testlists::TestStep> addStep(const QString& type, qint16 count = 1)
    {
        auto step = std::make_shared<testlists::TestStep>();
        step->initByParams(type, count, testLists.buildElectrodeString(true), 1, 60, false, 1, false);
        testLists.active.append(step);
        return step;
    }

    // What the result handlers do when every active electrode has its final reading.
    void finishIteration()
    {
        auto step = form->state().activeTest;
        ASSERT_TRUE(step);
        for (qint16 i = 0; i < 32; ++i)
            step->setElectrodeTestComplete(i);
    }

    // The step's clock and schedule, and the charge sequence, of the window's run.
    run::MeasurementSchedule& schedule() { return form->sequencer().schedule(); }
    run::ChargeSequence& charge() { return form->sequencer().charge(); }

    // One tick of the step walk (the interval is 5000 ms).
    void tick() { platform::Clock::advance(5000); }

    // Runs the started list to its end, finishing each iteration.
    void runToEnd(int maxTicks = 50)
    {
        for (int i = 0; i < maxTicks && form->testRunning(); ++i) {
            if (form->state().activeTest)
                finishIteration();
            tick();
        }
    }

    // The station's windows that the window reaches, on a connection of
    // their own (never opened here).
    results::ResultsDatabase resultsDatabase{settings};
    ui::StationWindows stationWindows{settings, resultsDatabase};
    RecordingUnit unit1;
    RecordingUnit unit2;
    std::unique_ptr<ui::TestWindow> form;
    RecordingRecorder* recorder = nullptr;
    RecordingReports* reports = nullptr;
    RecordingDatabase* database = nullptr;
    ScriptedPreTestDetailsPrompt* details = nullptr;
    int completedSounds = 0;
    int dischargeWarnings = 0;
};
