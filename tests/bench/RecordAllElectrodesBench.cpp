// Recording one reading of every electrode of two units, as the result
// handlers do at a time point: 32 measurements and 32 verdicts through the
// run's recording, written together at the end of the turn of the event
// loop, with the log file written line by line. On the local database file
// on disk, and on the PostgreSQL test server when scripts/test.sh runs one
// (ZAMO_TEST_PG*). One poll tick of 150 ms must hold it easily.
//
// Each iteration is one reading; the counters give the median and the 90th
// percentile of the readings in milliseconds (median_ms, p90_ms).

#include "config/Log.h"
#include "config/StationSettings.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "run/RunHost.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "support/PgTestDatabase.h"
#include "support/ServerDatabaseSettings.h"
#include "support/TempDataHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using platform::DbBackend;

class SilentHost : public run::RunHost {
public:
    void writeToCommTextBox(const QString& text, bool recordToLog, bool) override
    {
        if (recordToLog)
            config::writeLog(text);
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

// Points the settings at a fresh results database of the back end; false
// (with the reason) when there is none to be had.
bool useFreshDatabase(platform::DbBackend backend, const testsupport::TempDataHome& home,
                      config::StationSettings& settings, std::unique_ptr<testsupport::PgTestDatabase>& server,
                      QString* why)
{
    if (backend == platform::DbBackend::SQLite) {
        settings.database.useLocalDatabase = true;
        settings.paths.databaseFile = results::buildEmptyDatabase(home.stationFolder() + "/ZAMO_Results.mdb", why);
        return !settings.paths.databaseFile.isEmpty();
    }
    if (!testsupport::PgTestDatabase::serverConfigured(why))
        return false;
    server = std::make_unique<testsupport::PgTestDatabase>();
    testsupport::useServerDatabase(settings.database, server->address());
    return true;
}

void BM_RecordAllElectrodeReading(benchmark::State& bench, platform::DbBackend backend)
{
    testsupport::TempDataHome home;
    QDir().mkpath(home.stationFolder());
    config::initLogFile();
    std::unique_ptr<testsupport::PgTestDatabase> server;
    config::StationSettings settings;
    results::setSettings(&settings);
    QString why;
    if (!useFreshDatabase(backend, home, settings, server, &why)) {
        results::setSettings(nullptr);
        bench.SkipWithError(why.toStdString().c_str());
        return;
    }

    run::RunState state;
    SilentHost host;
    run::RunRecording recording(state, host, settings, {nullptr, nullptr});
    state.Keys.CurrentGroupID = recording.createTestGroupRecord();
    state.Keys.CurrentTestUnitID = {0, 1, 2};
    std::vector<double> readings;
    int interval = 0;
    for (auto _ : bench) {
        ++interval;
        state.Keys.CurrentMeasurementID = {};
        state.Keys.CurrentResultID = {};
        QElapsedTimer elapsed;
        elapsed.start();
        for (int unit = 1; unit <= 2; ++unit)
            for (int channel = 0; channel < 16; ++channel) {
                recording.recordChannelMeasurement(unit, channel, QString::number(interval), 12.5 + channel, false, 0,
                                                   0, false, true, interval);
                recording.recordChannelResult(unit, channel, QStringLiteral("PASS"), true);
            }
        QCoreApplication::sendPostedEvents(); // the end of the turn: the reading is written
        readings.push_back(static_cast<double>(elapsed.nsecsElapsed()) / 1e6);
    }
    std::sort(readings.begin(), readings.end());
    if (!readings.empty()) {
        bench.counters["median_ms"] = readings[readings.size() / 2];
        bench.counters["p90_ms"] = readings[(readings.size() - 1) * 9 / 10];
    }
    results::closeDatabase();
    config::LogFilePath.clear();
    results::setSettings(nullptr);
}
BENCHMARK_CAPTURE(BM_RecordAllElectrodeReading, SQLite, platform::DbBackend::SQLite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);
BENCHMARK_CAPTURE(BM_RecordAllElectrodeReading, PostgreSQL, platform::DbBackend::PostgreSQL)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

} // namespace
