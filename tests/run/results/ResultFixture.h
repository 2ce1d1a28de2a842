#pragma once
// The run sequencer on two recording units, in virtual time, with a step
// running on two channels of unit 1, replies given to the sequencer's own
// result handlers, and every reading, verdict, operator line and failure
// sound recorded.

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedPrompts.h"
#include "platform/Sounds.h"
#include "run/AclgSums.h"
#include "run/OperatorLog.h"
#include "run/RecordingUnit.h"
#include "run/RunBasics.h"
#include "run/RunDoubles.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "run/UnitResultHandler.h"
#include "support/InstalledLog.h"
#include "support/QtPrinters.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"

#include <QFile>
#include <QStringList>

#include <gmock/gmock.h>

#include <memory>

// The window's side of a run: its operator log and nothing else.
class LoggingHost : public QuietRunHost {
public:
    explicit LoggingHost(const config::ProgramSwitches& switches) : log(switches) {}

    run::OperatorLog log;

    void writeToCommTextBox(const QString& line, bool recordToLog, bool inhibitDisplay) override
    {
        log.write(line, recordToLog, inhibitDisplay);
    }
};

class ResultFixture : public ::testing::Test, public RunBasics, public AczReplies<ResultFixture> {
    friend class AczReplies<ResultFixture>;

protected:
    void SetUp() override
    {
        startBasics();
        sequencer = std::make_unique<run::RunSequencer>(host, settings, testLists,
                                                       std::array<unit::Unit*, 2>{&unit1, &unit2});
        sequencer->stepTimer().setInterval(config::readTestsTimerInterval(settings.paths.settingsFile));
        auto recorderPtr = std::make_unique<ResultRecorder>();
        results = recorderPtr.get();
        sequencer->services().recorder = std::move(recorderPtr);
        sequencer->services().reports = std::make_unique<RecordingReports>();
        sequencer->services().database = std::make_unique<RecordingDatabase>();
        sequencer->services().preTestDetails = std::make_unique<ScriptedPreTestDetailsPrompt>();
        platform::installSoundPlayer([this](int id) {
            if (id == platform::FailureSoundId)
                ++failureSounds;
        });
    }

    void TearDown() override
    {
        platform::installSoundPlayer({});
        sequencer.reset();
        endBasics();
    }

    // A one-step list of the type on A1 and B1 of unit 1, started and past
    // its start phase; a step already running is stopped first.
    void startStep(const QString& type, bool zamo80 = false)
    {
        if (sequencer->state().testRunning)
            sequencer->stopTests();
        unit1.plug(2, zamo80);
        unit1.commands.clear();
        testLists.active.clear();
        auto step = std::make_shared<testlists::TestStep>();
        step->initByParams(type, 1, testLists.buildElectrodeString(true), 1, 60, false, 1, false);
        testLists.active.append(step);
        sequencer->state().lists.running = {step};
        sequencer->startTest(step, false, false, false, false);
        ASSERT_TRUE(sequencer->state().testRunning);
        sequencer->state().startPhase = false;
        host.log.clear();
        results->readings.clear();
        results->results.clear();
        failureSounds = 0;
    }

    // Operator lines since the step started.
    QStringList logLines() const
    {
        QStringList lines = host.log.text().split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines;
    }

    bool electrodeActive(qint16 index) const { return sequencer->state().activeTest->isElectrodeTestActive(index); }

    // The sequencer's own result handlers, step clock and schedule, charge sequence and ACLG sums.
    run::UnitResultHandler& handlers() { return *sequencer->services().results; }
    run::MeasurementSchedule& schedule() { return sequencer->schedule(); }
    run::ChargeSequence& charge() { return sequencer->charge(); }
    run::AclgSums& aclgSums() { return sequencer->aclgSums(); }

    // One tick of the step walk.
    void tick() { platform::Clock::advance(5000); }

    RecordingUnit unit1;
    RecordingUnit unit2;
    LoggingHost host{settings.switches};
    std::unique_ptr<run::RunSequencer> sequencer;
    ResultRecorder* results = nullptr;
    int failureSounds = 0;
};
