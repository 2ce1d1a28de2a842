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

class TestWindowFixture : public ::testing::Test, public RunBasics, public RecordingServices {
protected:
    void SetUp() override
    {
        startBasics();
        form = std::make_unique<ui::TestWindow>(settings, stationLog, testLists, stationWindows,
                                                std::array<unit::Unit*, 2>{&unit1, &unit2});
        installRecordingServices(form->services());
        form->otherWindows().testsCompletedSound = [this] { ++completedSounds; };
        form->otherWindows().dischargeWarning = [this] { ++dischargeWarnings; };
        form->load();
    }

    void TearDown() override
    {
        form.reset();
        endBasics();
    }

    // The window's run.
    run::RunSequencer& runSequencer() override { return form->sequencer(); }

    // The station's windows that the window reaches, on a connection of
    // their own (never opened here).
    results::ResultsDatabase resultsDatabase{settings};
    ui::StationWindows stationWindows{settings, resultsDatabase};
    RecordingUnit unit1;
    RecordingUnit unit2;
    std::unique_ptr<ui::TestWindow> form;
    int completedSounds = 0;
    int dischargeWarnings = 0;
};
