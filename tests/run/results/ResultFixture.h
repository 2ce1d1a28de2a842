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
class LoggingHost : public run::RunHost {
public:
    explicit LoggingHost(const config::ProgramSwitches& switches) : log(switches) {}

    run::OperatorLog log;

    void writeToCommTextBox(const QString& line, bool recordToLog, bool inhibitDisplay) override
    {
        log.write(line, recordToLog, inhibitDisplay);
    }
    void updateProgress(int, int) override {}
    void advanceProgress() override {}
    void setCompletionCaption(const QString&) override {}
    void setRunLockedControls(bool) override {}
    void showDischargeWarning() override {}
    void playTestsCompletedSound() override {}
    void rollChannel(qint16) override {}
    void showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt>) override {}
};

class ResultFixture : public ::testing::Test, public AczReplies<ResultFixture> {
    friend class AczReplies<ResultFixture>;

protected:
    void SetUp() override
    {
        platform::CommandLine::replaceText(QStringLiteral(""));
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
        settings.paths.placeInDataFolder();
        config::buildDefaultIni(settings.paths.settingsFile);
        stationLog.start();
        testLists.applyElectrodeString(QStringLiteral("A1-B1"));
        settings.reports.displayEnabled = false;
        prompts = platform::ScriptedPrompts::installNew();
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
        platform::Clock::useRealTime();
        platform::CommandLine::replaceText(QString());
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
    // The log file.
    QString logText() const
    {
        QFile file(stationLog.path());
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

    bool electrodeActive(qint16 index) const { return sequencer->state().activeTest->isElectrodeTestActive(index); }

    // The sequencer's own result handlers, step clock and schedule, charge sequence and ACLG sums.
    run::UnitResultHandler& handlers() { return *sequencer->services().results; }
    run::MeasurementSchedule& schedule() { return sequencer->schedule(); }
    run::ChargeSequence& charge() { return sequencer->charge(); }
    run::AclgSums& aclgSums() { return sequencer->aclgSums(); }

    // One tick of the step walk.
    void tick() { platform::Clock::advance(5000); }

    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    config::StationSettings settings;
    testlists::StationTestLists testLists;
    platform::ScriptedPrompts* prompts = nullptr;
    RecordingUnit unit1;
    RecordingUnit unit2;
    LoggingHost host{settings.switches};
    std::unique_ptr<run::RunSequencer> sequencer;
    ResultRecorder* results = nullptr;
    int failureSounds = 0;
};
