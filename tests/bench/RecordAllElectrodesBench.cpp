// Recording one reading of every electrode of two units, as the result
// handlers do at a time point: 32 measurements and 32 verdicts through the
// run's recording, written together at the end of the turn of the event
// loop, with the log file written line by line. On the local database file
// on disk, and on the PostgreSQL test server when scripts/test.sh runs one
// (ZAMO_TEST_PG*). One poll tick of 150 ms must hold it easily.
//
// Beside each reading the same four rows (two measurement rows, two result
// rows of 16 electrodes each) go into a database of their own the plainest
// way: statements prepared once, bound and run in one transaction on a
// connection of the same durability (the station connection's journal mode
// and synchronous level on the file). The two alternate, so that the disk's
// moods fall on both alike.
//
// Counters, in milliseconds: median_ms and p90_ms of the readings, plain_*
// of the plain inserts, and p90_ratio; on the file also the syncs (fsync and
// fdatasync) of a reading and of a plain insert (syncs_per_reading,
// plain_syncs). A PostgreSQL server syncs its log once per commit, out of
// sight of this program: a reading is one commit there.

#include "SyncCounter.h"
#include "config/StationSettings.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "run/MeasurementSchedule.h"
#include "run/RunDoubles.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "support/InstalledLog.h"
#include "support/PgTestDatabase.h"
#include "support/ServerDatabaseSettings.h"
#include "support/TempDataHome.h"
#include "testlists/StationTestLists.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using platform::DbBackend;

class SilentHost : public QuietRunHost {
public:
    void writeToCommTextBox(const QString& text, bool recordToLog, bool) override
    {
        if (recordToLog)
            config::writeLog(text);
    }
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

// The four rows of a reading, written the plainest way on a connection of
// its own: each statement prepared once, one transaction per reading.
class PlainInsert {
public:
    // database: a database of the station's schema; pragmas: the statements
    // that give the connection the station's durability.
    PlainInsert(const QString& driver, const std::function<void(QSqlDatabase&)>& address, const QStringList& pragmas)
    {
        m_db = QSqlDatabase::addDatabase(driver, QStringLiteral("plain-insert"));
        address(m_db);
        if (!m_db.open()) {
            m_error = m_db.lastError().text();
            return;
        }
        for (const QString& pragma : pragmas)
            QSqlQuery(m_db).exec(pragma);
        QStringList values;
        QStringList results;
        QStringList marks;
        for (int channel = 0; channel < 16; ++channel) {
            values << QChar('A' + channel) + QStringLiteral("_Value");
            results << QChar('A' + channel) + QStringLiteral("_Result");
            marks << QStringLiteral("?");
        }
        prepare(m_measurement, QStringLiteral("INSERT INTO TestMeasurements (TestUnitID, TimeInterval, "
                                              "TimeIntervalInt, %1) VALUES (?, ?, ?, %2)")
                                   .arg(values.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        prepare(m_result, QStringLiteral("INSERT INTO TestResults (TestUnitID, %1) VALUES (?, %2)")
                              .arg(results.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    }
    ~PlainInsert()
    {
        m_measurement = QSqlQuery();
        m_result = QSqlQuery();
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("plain-insert"));
    }

    QString error() const { return m_error; }

    void write(int interval)
    {
        m_db.transaction();
        for (int unit = 1; unit <= 2; ++unit) {
            m_measurement.bindValue(0, unit);
            m_measurement.bindValue(1, QString::number(interval));
            m_measurement.bindValue(2, interval);
            for (int channel = 0; channel < 16; ++channel)
                m_measurement.bindValue(3 + channel, 12.5 + channel);
            run(m_measurement);
            m_result.bindValue(0, unit);
            for (int channel = 0; channel < 16; ++channel)
                m_result.bindValue(1 + channel, QStringLiteral("PASS"));
            run(m_result);
        }
        if (!m_db.commit() && m_error.isEmpty())
            m_error = m_db.lastError().text();
    }

private:
    void prepare(QSqlQuery& query, const QString& sql)
    {
        query = QSqlQuery(m_db);
        if (!query.prepare(sql) && m_error.isEmpty())
            m_error = query.lastError().text();
    }
    void run(QSqlQuery& query)
    {
        if (!query.exec() && m_error.isEmpty())
            m_error = query.lastError().text();
    }

    QSqlDatabase m_db;
    QSqlQuery m_measurement;
    QSqlQuery m_result;
    QString m_error;
};

// The plain inserts' connection for the back end, on a database of its own
// of the station's schema, with the durability of the station's connection.
std::unique_ptr<PlainInsert> plainInsertBeside(platform::DbBackend backend, results::ResultsDatabase& database,
                                               const testsupport::TempDataHome& home,
                                               std::unique_ptr<testsupport::PgTestDatabase>& server)
{
    if (backend == platform::DbBackend::SQLite) {
        platform::DbConnection* station = database.sharedConnection();
        const QStringList pragmas{QStringLiteral("PRAGMA journal_mode = ")
                                      + station->execute(QStringLiteral("PRAGMA journal_mode")).value(0).toString(),
                                  QStringLiteral("PRAGMA synchronous = ")
                                      + station->execute(QStringLiteral("PRAGMA synchronous")).value(0).toString()};
        const QString file = results::buildEmptyDatabase(home.stationFolder() + "/Plain.mdb");
        return std::make_unique<PlainInsert>(
            QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) { db.setDatabaseName(file); }, pragmas);
    }
    server = std::make_unique<testsupport::PgTestDatabase>();
    const platform::DbServerAddress a = server->address();
    config::DatabaseSettings schema;
    testsupport::useServerDatabase(schema, a);
    return std::make_unique<PlainInsert>(
        QStringLiteral("QPSQL"),
        [&](QSqlDatabase& db) {
            db.setHostName(a.host);
            db.setPort(a.port > 0 ? a.port : -1);
            db.setDatabaseName(a.database);
            db.setUserName(a.user);
            db.setPassword(a.password);
        },
        QStringList());
}

double percentile(std::vector<double> times, int percent)
{
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    return times[(times.size() - 1) * std::size_t(percent) / 100];
}

void BM_RecordAllElectrodeReading(benchmark::State& bench, platform::DbBackend backend)
{
    testsupport::TempDataHome home;
    QDir().mkpath(home.stationFolder());
    testsupport::InstalledLog log;
    log.start();
    std::unique_ptr<testsupport::PgTestDatabase> server;
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    results::TestGroupEnd groupEnds{database};
    QString why;
    if (!useFreshDatabase(backend, home, settings, server, &why)) {
        bench.SkipWithError(why.toStdString().c_str());
        return;
    }

    run::RunState state;
    run::MeasurementSchedule schedule;
    SilentHost host;
    const testlists::StationTestLists testLists;
    run::RunRecording recording(state, schedule, host, settings, database, groupEnds, testLists, {nullptr, nullptr});
    recording.createTestGroupRecord();
    recording.keys().testUnitId[run::UnitIndex::first()] = 1;
    recording.keys().testUnitId[run::UnitIndex::second()] = 2;
    std::unique_ptr<testsupport::PgTestDatabase> plainServer;
    const std::unique_ptr<PlainInsert> plain = plainInsertBeside(backend, database, home, plainServer);
    std::vector<double> readings;
    std::vector<double> plainTimes;
    std::uint64_t readingSyncs = 0;
    std::uint64_t plainSyncs = 0;
    int interval = 0;
    for (auto _ : bench) {
        ++interval;
        recording.keys().measurementId = {};
        recording.keys().resultId = {};
        std::uint64_t syncs = bench::syncCalls();
        QElapsedTimer elapsed;
        elapsed.start();
        for (run::UnitIndex unit : run::UnitIndex::all())
            for (int channel = 0; channel < 16; ++channel) {
                recording.recordChannelMeasurement(unit, channel, QString::number(interval), 12.5 + channel, false, 0,
                                                   0, false, true, interval);
                recording.recordChannelResult(unit, channel, QStringLiteral("PASS"), true);
            }
        QCoreApplication::sendPostedEvents(); // the end of the turn: the reading is written
        readings.push_back(static_cast<double>(elapsed.nsecsElapsed()) / 1e6);
        readingSyncs += bench::syncCalls() - syncs;

        bench.PauseTiming();
        syncs = bench::syncCalls();
        elapsed.restart();
        plain->write(interval);
        plainTimes.push_back(static_cast<double>(elapsed.nsecsElapsed()) / 1e6);
        plainSyncs += bench::syncCalls() - syncs;
        bench.ResumeTiming();
    }
    if (!plain->error().isEmpty())
        bench.SkipWithError(("the plain insert failed: " + plain->error()).toStdString().c_str());
    if (!readings.empty()) {
        const auto count = double(readings.size());
        bench.counters["median_ms"] = percentile(readings, 50);
        bench.counters["p90_ms"] = percentile(readings, 90);
        bench.counters["plain_median_ms"] = percentile(plainTimes, 50);
        bench.counters["plain_p90_ms"] = percentile(plainTimes, 90);
        bench.counters["p90_ratio"] = percentile(readings, 90) / percentile(plainTimes, 90);
        if (backend == platform::DbBackend::SQLite) {
            bench.counters["syncs_per_reading"] = double(readingSyncs) / count;
            bench.counters["plain_syncs"] = double(plainSyncs) / count;
        }
    }
    database.closeDatabase();
    log.setPath(QString());
}
BENCHMARK_CAPTURE(BM_RecordAllElectrodeReading, SQLite, platform::DbBackend::SQLite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(400);
BENCHMARK_CAPTURE(BM_RecordAllElectrodeReading, PostgreSQL, platform::DbBackend::PostgreSQL)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(400);

} // namespace
