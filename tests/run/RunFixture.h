#pragma once
// The run sequencer on two recording units, with recording records,
// reports, database and pre-test details, in virtual time, and a host that
// keeps what the run shows on its window.

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "run/OperatorLog.h"
#include "run/RecordingUnit.h"
#include "run/RunBasics.h"
#include "run/RunDoubles.h"
#include "run/RunSequencer.h"

#include <QStringList>

#include <gmock/gmock.h>

#include <memory>

// The window's side of a run: its operator log and whether the controls a
// run locks are locked.
class RecordingRunHost : public QuietRunHost {
public:
    explicit RecordingRunHost(const config::ProgramSwitches& switches) : log(switches) {}

    run::OperatorLog log;
    bool controlsLocked = false;
    QList<std::shared_ptr<run::PaceRollPrompt>> rollPrompts;

    void writeToCommTextBox(const QString& line, bool recordToLog, bool inhibitDisplay) override
    {
        log.write(line, recordToLog, inhibitDisplay);
    }
    void setRunLockedControls(bool running) override { controlsLocked = running; }
    void showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt> prompt) override { rollPrompts << prompt; }
};

class RunFixture : public ::testing::Test, public RunBasics, public RecordingServices {
protected:
    void SetUp() override
    {
        startBasics();
        sequencer =
            std::make_unique<run::RunSequencer>(host, settings, testLists, std::array<unit::Unit*, 2>{&unit1, &unit2});
        sequencer->stepTimer().setInterval(config::readTestsTimerInterval(settings.paths.settingsFile));
        installRecordingServices(sequencer->services());
    }

    void TearDown() override
    {
        sequencer.reset();
        endBasics();
    }

    run::RunSequencer& runSequencer() override { return *sequencer; }
    run::RunState& state() { return sequencer->state(); }
    // The operator log since the start, or since it was last cleared.
    const QString& operatorLog() const { return host.log.text(); }
    // Its lines.
    QStringList logLines() const
    {
        QStringList lines = operatorLog().split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines;
    }

    RecordingUnit unit1;
    RecordingUnit unit2;
    RecordingRunHost host{settings.switches};
    std::unique_ptr<run::RunSequencer> sequencer;
};
