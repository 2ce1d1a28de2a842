#pragma once
// What a fixture of a run starts from: a data folder of its own with the
// default settings.ini, a log started there, the default electrodes A1-B1,
// scripted prompts, reports not shown, virtual time from 2 March 2026 10:00
// and an empty command line; and the steps of the fixture's run (the
// sequencer it gives through runSequencer). A fixture derives from it beside
// ::testing::Test and calls startBasics in its SetUp and endBasics in its
// TearDown.

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedPrompts.h"
#include "run/RunSequencer.h"
#include "support/InstalledLog.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

class RunBasics {
public:
    virtual ~RunBasics() = default;

protected:
    void startBasics()
    {
        platform::CommandLine::replaceText(QStringLiteral(""));
        platform::Clock::useVirtualTime(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
        settings.paths.placeInDataFolder();
        config::buildDefaultIni(settings.paths.settingsFile);
        stationLog.start();
        testLists.applyElectrodeString(QStringLiteral("A1-B1"));
        settings.reports.displayEnabled = false;
        prompts = platform::ScriptedPrompts::installNew();
    }
    static void endBasics()
    {
        platform::Clock::useRealTime();
        platform::CommandLine::replaceText(QString());
    }

    // The log file.
    QString logText() const
    {
        QFile file(stationLog.path());
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

    // The fixture's run.
    virtual run::RunSequencer& runSequencer() = 0;
    bool testRunning() { return runSequencer().state().testRunning; }

    // A step of the type on the default electrodes, appended to the active list.
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
        auto step = runSequencer().state().activeTest;
        ASSERT_TRUE(step);
        for (qint16 i = 0; i < 32; ++i)
            step->setElectrodeTestComplete(i);
    }

    // The step's clock and schedule, and the charge sequence, of the run.
    run::MeasurementSchedule& schedule() { return runSequencer().schedule(); }
    run::ChargeSequence& charge() { return runSequencer().charge(); }

    // One tick of the step walk (the interval is 5000 ms).
    static void tick() { platform::Clock::advance(5000); }

    // Runs the started list to its end, finishing each iteration.
    void runToEnd(int maxTicks = 50)
    {
        for (int i = 0; i < maxTicks && testRunning(); ++i) {
            if (runSequencer().state().activeTest)
                finishIteration();
            tick();
        }
    }

    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    // The station's settings and test lists the run is built on.
    config::StationSettings settings;
    testlists::StationTestLists testLists;
    platform::ScriptedPrompts* prompts = nullptr;
};
