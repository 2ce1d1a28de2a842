#pragma once
// What a fixture of a run starts from: a data folder of its own with the
// default settings.ini, a log started there, the default electrodes A1-B1,
// scripted prompts, reports not shown, virtual time from 2 March 2026 10:00
// and an empty command line. A fixture derives from it beside
// ::testing::Test and calls startBasics in its SetUp and endBasics in its
// TearDown.

#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedPrompts.h"
#include "support/InstalledLog.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"

#include <QDateTime>
#include <QFile>

class RunBasics {
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

    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    // The station's settings and test lists the run is built on.
    config::StationSettings settings;
    testlists::StationTestLists testLists;
    platform::ScriptedPrompts* prompts = nullptr;
};
