// Recording one reading of every electrode of two units, as the result
// handlers do at a time point: 32 measurements and 32 verdicts through the
// run's recording, on the local database file on disk, with the log file
// written line by line. One poll tick of 150 ms must hold it easily.

#include "core/Globals.h"
#include "core/modMain.h"
#include "execution/RunHost.h"
#include "execution/RunRecording.h"
#include "execution/RunState.h"
#include "execution/UnitLink.h"
#include "results/EmptyDatabase.h"
#include "results/modDatabase.h"
#include "support/TempDataHome.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace {

class SilentHost : public RunHost {
public:
    void WriteToCommTextBox(const QString& text, bool vRecordToLog, bool) override
    {
        if (vRecordToLog)
            modMain::WriteLog(text);
    }
    void UpdateProgress(int, int) override {}
    void AdvanceProgress() override {}
    void SetCompletionCaption(const QString&) override {}
    void SetRunLockedControls(bool) override {}
    void ShowDischargeWarning() override {}
    void PlayTestsCompletedSound() override {}
    void RollChannel(qint16) override {}
};

void BM_RecordAllElectrodeReading(benchmark::State& bench)
{
    testsupport::TempDataHome home;
    QDir().mkpath(home.stationFolder());
    modMain::InitLogFile();
    Globals::UseLocalDatabase = true;
    Globals::DatabaseFilePath = modDatabase::BuildEmptyDatabase(home.stationFolder() + "/ZAMO_Results.mdb");

    RunState state;
    SilentHost host;
    RunRecording recording(state, host, {nullptr, nullptr});
    state.Keys.CurrentGroupID = recording.CreateTestGroupRecord();
    state.Keys.CurrentTestUnitID = {0, 1, 2};
    int interval = 0;
    for (auto _ : bench) {
        ++interval;
        state.Keys.CurrentMeasurementID = {};
        state.Keys.CurrentResultID = {};
        for (int unit = 1; unit <= 2; ++unit)
            for (int channel = 0; channel < 16; ++channel) {
                recording.RecordChannelMeasurement(unit, channel, QString::number(interval), 12.5 + channel, false, 0, 0,
                                                   false, true, interval);
                recording.RecordChannelResult(unit, channel, QStringLiteral("PASS"), true);
            }
    }
    modDatabase::CloseDatabase();
    modMain::LogFilePath.clear();
}
BENCHMARK(BM_RecordAllElectrodeReading)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
