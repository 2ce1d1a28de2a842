// The set-up's first command, ./scripts/start.sh: without arguments it starts
// what a newcomer can use at once without hardware (the simulated unit in the
// ZAMO Units menu, its runs stored as demo runs on the local database);
// --bench starts the station plain for a real bench.
#include "platform/DbConnection.h"
#include "support/StationHarness.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The station's arguments that scripts/start.sh chooses for its own.
QStringList stationArguments(const QStringList& scriptArguments)
{
    QProcess bash;
    bash.start(QStringLiteral("bash"),
               QStringList{QStringLiteral("-c"),
                           QStringLiteral("script=\"$1\"; shift; source \"$script\" && station_arguments \"$@\""),
                           QStringLiteral("start-arguments"), QStringLiteral(ZAMO_SOURCE_DIR "/scripts/start.sh")}
                   + scriptArguments);
    if (!bash.waitForFinished(10000) || bash.exitCode() != 0)
        return {QStringLiteral("<script failed: ") + QString::fromLocal8Bit(bash.readAllStandardError()) + ">"};
    return QString::fromLocal8Bit(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(StartScriptTest, ChoosesTheStationsCommandLine)
{
    const std::pair<QStringList, QStringList> cases[] = {
        {{}, {"/vadov"}},
        {{"--bench"}, {}},
        {{"/rida"}, {"/rida"}},
        {{"--bench", "/rida1"}, {"/rida1"}},
    };
    for (const auto& [script, station] : cases)
        EXPECT_EQ(stationArguments(script), station) << script.join(' ').toStdString();
}

TEST(StartScriptTest, TheFirstCommandOffersTheSimulatedUnitAndStoresDemoRunsLocally)
{
    testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), stationArguments({}).join(' '));
    ASSERT_TRUE(station.start());
    QAction* simulator = station.frame().connectSimulatorActions[1];
    ASSERT_TRUE(simulator->isVisible());
    ASSERT_TRUE(simulator->isEnabled());

    ui::TestWindow& form = station.testWindow();
    simulator->trigger();
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
    station.useTestList("A1-B1", {"ACZ,A1-B1,1"});
    ASSERT_TRUE(station.runTestList("TRY-1"));

    EXPECT_TRUE(station.stationSettings().database.useLocalDatabase);
    EXPECT_TRUE(station.stationSettings().paths.databaseFile.startsWith(station.dataFolder() + "/"));
    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    auto group = db.execute("SELECT DemoMode, Completed FROM TestGroups");
    ASSERT_EQ(group.recordCount(), 1);
    EXPECT_TRUE(group.value("DemoMode").toBool());
    EXPECT_TRUE(group.value("Completed").toBool());
}

TEST(StartScriptTest, TheBenchStartOffersNoSimulatorAndNoDemoRuns)
{
    testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)),
                                        stationArguments({"--bench"}).join(' '));
    ASSERT_TRUE(station.start());
    EXPECT_FALSE(station.frame().connectSimulatorActions[1]->isVisible());
    EXPECT_FALSE(station.stationSettings().switches.demoMode);
    EXPECT_TRUE(station.frame().connectUnitActions[1]->isEnabled());
}

} // namespace
