#include "ReportFixture.h"

#include "config/EmbeddedFile.h"
#include "config/StationSettings.h"
#include "support/FixtureGroupWriter.h"
#include "support/PdfText.h"
#include "ui/reports/TestReportWindow.h"

#include <QDir>
#include <QFile>

void ReportTest::SetUp()
{
    DatabaseBackendTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    prompts = platform::ScriptedPrompts::installNew();
    QDir().mkpath(home.stationFolder());
    settings.paths.placeInDataFolder();
    extractTemplates(false);

    db = openDirect();
    testsupport::FixtureGroupWriter w(*db);
    const QDate day(2026, 3, 2);
    groupID = w.group({kGroup, "LOT-7781", "Second shift\r\n\trecheck B1", QDateTime(day, QTime(9, 0)),
                       QDateTime(day, QTime(9, 30)), false, false});
    w.electrodes(groupID, 1, "ABC", QDateTime(QDate(2026, 1, 15), QTime(0, 0)));
    w.diagnostics(groupID, 1);

    const qint64 acz = w.testUnit(w.test(groupID, "ACZ", QDateTime(day, QTime(9, 1))), 1, 1);
    w.measurement(acz, "20", 20, {{'A', 1234.5}, {'B', 2100.25}, {'C', 3500}});
    w.results(acz, {{'A', "PASS"}, {'B', "PASS?"}, {'C', "FAIL"}});

    const qint64 dco = w.testUnit(w.test(groupID, "DCO", QDateTime(day, QTime(9, 5))), 1, 1);
    w.measurement(dco, "30", 30, {{'A', 12.5}, {'B', -3.25}, {'C', 0.004}});
    w.measurement(dco, "61", 61, {{'A', 13}, {'B', -3.5}, {'C', 0.0125}});
    w.results(dco, {{'A', "PASS*"}, {'B', "ERR"}, {'C', "FAIL_O"}});

    const qint64 hidden = w.testUnit(w.test(groupID, "NOISE", QDateTime(day, QTime(9, 7)), 0, false), 1, 1);
    w.measurement(hidden, "360", 360, {{'A', 77.7}});
    w.results(hidden, {{'A', "PASS"}});
}

void ReportTest::TearDown()
{
    db.reset();
    DatabaseBackendTest::TearDown();
}

void ReportTest::extractTemplates(bool diagnostics)
{
    settings.diagnostics.enabled = diagnostics;
    config::extractReportFiles(settings.paths, settings.diagnostics.enabled);
}

QString ReportTest::exportReport(const QString& format, const QString& name, bool condensed, bool zamo80, qint32 group)
{
    ui::TestReportWindow form(settings);
    form.setDatabasePath(databasePath);
    return form.exportReport(group, path(name), format, condensed, zamo80) ? path(name) : QString();
}

QString ReportTest::readText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QString ReportTest::pdfText(const QString& path)
{
    return testsupport::pdfText(path, true);
}
