// The automatic exports at the end of a run, end to end: the export options
// and folder come from settings.ini [Reports], the standard list runs on a
// simulated base unit, and the three files land in the folder under the
// run's start time and hold that run.

#include "config/IniKeys.h"
#include "platform/DbConnection.h"
#include "support/StationHarness.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

QByteArray programOutput(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

TEST(StationReportExport, ARunWithTheThreeExportsOnLeavesThemInTheExportFolderUnderTheirNames)
{
    testsupport::StationHarness station;
    const QString folder = station.dataFolder() + "/Exports";
    QDir().mkpath(folder);
    const QString ini = station.dataFolder() + "/settings.ini";
    for (const char* key : {"ExportPDFEnabled", "ExportExcelEnabled", "ExportTabEnabled"})
        config::iniWrite("Reports", key, "1", ini);
    config::iniWrite("Reports", "ExportPath", folder, ini);
    ASSERT_TRUE(station.start());
    ui::TestWindow& form = station.testWindow();
    station.connectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000));

    testsupport::StationHarness::startNextRunWithLot("Lot 77");
    form.testListPanel().standardSequenceButton()->click();
    ASSERT_TRUE(form.testRunning());
    ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 30 * 60 * 1000, 250));

    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    const QDateTime started = db.execute("SELECT DateExecuted FROM TestGroups").dateValue("DateExecuted");
    const QString base = "TestReport_" + started.toString("yyyyMMdd-hhmmss");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({base + ".PDF", base + ".TXT", base + ".XLS"}));

    QFile text(folder + "/" + base + ".TXT");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString tab = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(tab.contains("\nLot Number\tLot 77\n")) << tab.toStdString();
    EXPECT_TRUE(tab.contains("\nSDR, Unit 1, Iteration 4, started ")) << tab.toStdString();
    EXPECT_TRUE(programOutput("pdftotext", {folder + "/" + base + ".PDF", "-"}).contains("Lot 77"));
    EXPECT_TRUE(
        programOutput("unzip", {"-p", folder + "/" + base + ".XLS", "xl/sharedStrings.xml"}).contains("Lot 77"));
}

} // namespace
