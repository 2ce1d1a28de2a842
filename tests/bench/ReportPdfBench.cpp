// Exporting the full report of a ZAMO80 run on two units: 32 electrodes,
// seven test types, each test step expanded into one test per electrode (224
// tests), with their readings, verdicts and diagnostics; as PDF and as
// tab-separated text, each set beside the report's queries run bare
// (BareStatements.h: read_ms, bare_ms, x_bare).

#include "BareStatements.h"
#include "config/EmbeddedFile.h"
#include "config/StationSettings.h"
#include "results/EmptyDatabase.h"
#include "support/FixtureGroupWriter.h"
#include "support/TempDataHome.h"
#include "ui/reports/TestReportWindow.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr qint32 kGroup = 50123;

class Zamo80RunDatabase {
public:
    Zamo80RunDatabase()
    {
        QDir().mkpath(home.stationFolder());
        settings.paths.placeInDataFolder();
        settings.database.useLocalDatabase = true;
        settings.diagnostics.enabled = true;
        config::extractReportFiles(settings.paths, settings.diagnostics.enabled);
        path = results::buildEmptyDatabase(home.stationFolder() + "/ZAMO_Results.mdb");
        platform::DbConnection db;
        db.openFile(path, false);
        db.transaction();
        write(db);
        db.commit();
    }

    testsupport::TempDataHome home;
    config::StationSettings settings;
    QString path;

private:
    static void write(platform::DbConnection& db)
    {
        testsupport::FixtureGroupWriter w(db);
        const QDateTime start(QDate(2026, 3, 2), QTime(8, 0));
        const qint64 group = w.group({kGroup, "LOT-Z80", "Bench run", start, start.addSecs(7200), true, false});
        const QString letters = "ABCDEFGHIJKLMNOP";
        const struct {
            const char* type;
            QList<std::pair<const char*, int>> intervals;
        } steps[] = {
            {"ACZ", {{"20", 20}}},
            {"ACZ30", {{"20", 20}}},
            {"DCO", {{"15", 15}, {"30", 30}, {"45", 45}, {"61", 61}}},
            {"SDR", {{"5", 5}, {"15", 15}, {"25", 25}, {"35", 35}}},
            {"NOISE", {{"360", 360}}},
            {"ACLG", {{"30", 30}, {"61", 61}}},
            {"DEFR", {{"4", 4}, {"60", 60}}},
        };
        for (int unit = 1; unit <= 2; ++unit) {
            w.electrodes(group, unit, letters, start);
            w.diagnostics(group, unit, true);
        }
        int minute = 0;
        for (const auto& step : steps) {
            const qint64 parent = w.test(group, step.type, start.addSecs(60 * minute), 0, false);
            for (int e = 0; e < 32; ++e) {
                const QChar letter = letters[e % 16];
                const qint64 test = w.test(group, step.type, start.addSecs(60 * minute++), parent);
                const qint64 unit = w.testUnit(test, e / 16 + 1, 1);
                double value = 100.0 + e;
                for (const auto& [label, seconds] : step.intervals)
                    w.measurement(unit, label, seconds, {{letter, value += 1.375}});
                w.results(unit, {{letter, e % 5 == 0 ? "PASS?" : "PASS"}});
            }
        }
    }
};

void BM_ExportFullZamo80Report(benchmark::State& state, const QString& format)
{
    Zamo80RunDatabase run;
    const QString target = run.home.path() + "/report." + format.toLower();
    benchsupport::BareStatements bare(run.path, benchsupport::BareStatements::sqliteFile(run.path));
    for (auto _ : state) {
        bare.beginRead();
        ui::TestReportWindow form(run.settings);
        form.setDatabasePath(run.path);
        if (!form.exportReport(kGroup, target, format, false, false)) {
            state.SkipWithError("the export failed");
            break;
        }
        bare.endRead(state);
    }
    bare.report(state);
    state.counters["bytes"] = static_cast<double>(QFile(target).size());
    state.counters["statements"] = bare.statements();
}
BENCHMARK_CAPTURE(BM_ExportFullZamo80Report, PDF, QStringLiteral("PDF"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportFullZamo80Report, TAB, QStringLiteral("TAB"))->Unit(benchmark::kMillisecond);

} // namespace
