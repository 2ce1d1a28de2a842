// Recording readings on the local database file on disk: one measurement
// row with its new-key read, and the 32 rows of one reading of every
// electrode of two units in a row, as a poll tick of 150 ms must allow.

#include "config/StationSettings.h"
#include "platform/DbCommand.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "support/TempDataHome.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

// One measurement row of one channel, as the recording writes it, and its key.
qint64 insertReading(results::ResultsDatabase& database, int testUnitId, int channel, double value)
{
    platform::DbConnection* db = database.openedConnection();
    if (!db)
        return 0;
    const QString column = QChar('A' + channel % 16) + QStringLiteral("_Value");
    platform::DbCommand cmd(db, QStringLiteral("INSERT INTO TestMeasurements (TestUnitID, TimeInterval, ") + column
                                    + QStringLiteral(", TimeIntervalInt) VALUES (?, ?, ?, ?)"));
    cmd.appendParameter({QStringLiteral("TestUnitID"), platform::DbType::Integer, 0, testUnitId});
    cmd.appendParameter({QStringLiteral("TimeInterval"), platform::DbType::VarChar, 50, QStringLiteral("30")});
    cmd.appendParameter({QStringLiteral("Value"), platform::DbType::Double, 0, value});
    cmd.appendParameter({QStringLiteral("TimeIntervalInt"), platform::DbType::Integer, 0, 30});
    cmd.execute();
    return db->execute(QStringLiteral("SELECT @@IDENTITY as ID")).value(0).toLongLong();
}

class LocalDatabase {
public:
    LocalDatabase()
    {
        QDir().mkpath(home.stationFolder());
        settings.database.useLocalDatabase = true;
        settings.paths.databaseFile = results::buildEmptyDatabase(home.stationFolder() + "/ZAMO_Results.mdb");
    }
    ~LocalDatabase() { connection.closeDatabase(); }

private:
    testsupport::TempDataHome home;
    config::StationSettings settings;

public:
    results::ResultsDatabase connection{settings};
};

void BM_InsertOneReadingWithNewKey(benchmark::State& state)
{
    LocalDatabase database;
    for (auto _ : state)
        benchmark::DoNotOptimize(insertReading(database.connection, 1, 0, 12.5));
}
BENCHMARK(BM_InsertOneReadingWithNewKey)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Insert32ReadingsInARow(benchmark::State& state)
{
    LocalDatabase database;
    for (auto _ : state)
        for (int electrode = 0; electrode < 32; ++electrode)
            benchmark::DoNotOptimize(insertReading(database.connection, 1 + electrode / 16, electrode, 12.5));
}
BENCHMARK(BM_Insert32ReadingsInARow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
