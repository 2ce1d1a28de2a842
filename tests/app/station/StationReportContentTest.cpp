// What the report of a run holds, end to end: an ACZ list run from the main
// test window on a simulated unit, with [Diagnostics] Enabled, the lot and
// notes typed in the pre-test details window, and the group's full report
// exported and printed from what the station stored.

#include "config/IniKeys.h"
#include "platform/DbConnection.h"
#include "platform/Report.h"
#include "support/PdfText.h"
#include "support/ReportPages.h"
#include "support/StationHarness.h"
#include "ui/reports/ReportPrinter.h"
#include "ui/reports/ReportView.h"
#include "ui/reports/TestReportWindow.h"

#include <QDir>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using testsupport::pdfText;

class StationReportContent : public ::testing::Test {
protected:
    // Runs the list on simulated unit 1 and returns the group's number.
    qint32 run(bool zamo80, const QString& lot, const QString& notes)
    {
        QDir().mkpath(station.dataFolder());
        config::iniWrite("Diagnostics", "Enabled", "1", station.dataFolder() + "/settings.ini");
        EXPECT_TRUE(station.start());
        ui::TestWindow& form = station.testWindow();
        station.connectSimulatedUnit(1, 2, zamo80);
        EXPECT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
        station.useTestList("A1-B1", {"ACZ,A1-B1,1"});
        testsupport::StationHarness::startNextRunWithLot(lot, notes);
        form.testListPanel().runButton()->click();
        EXPECT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 120000));
        EXPECT_TRUE(station.windows().commBuffer().contains("* Tests Completed"))
            << station.windows().commBuffer().toStdString();
        platform::DbConnection db;
        db.openFile(station.stationSettings().paths.databaseFile, true);
        return db.execute("SELECT UniqueGroupID FROM TestGroups").value(0).toInt();
    }

    QString exportAs(qint32 group, const QString& format, const QString& name)
    {
        ui::TestReportWindow form(station.stationSettings());
        form.setDatabasePath(station.stationSettings().paths.databaseFile);
        const QString path = station.dataFolder() + "/" + name;
        EXPECT_TRUE(form.exportReport(group, path, format, false, false)) << station.logText().toStdString();
        return path;
    }

    // The unit diagnostics in the text export of the group's full report.
    QString diagnosticsSection(qint32 group)
    {
        QFile file(exportAs(group, "TAB", "report.txt"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return testsupport::textSection(QString::fromUtf8(file.readAll()), "Unit Diagnostics", "Tests");
    }

    testsupport::StationHarness station;
};

// Every word of the texts among the words of the PDF, and each unbroken
// word whole once the line breaks, the page foot and the labels repeated
// over the pages are taken out.
void expectEveryCharacter(const QString& pdf, const QStringList& texts)
{
    const QStringList tokens = pdf.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    const QSet<QString> found(tokens.begin(), tokens.end());
    QString joined = QString(pdf).remove(QRegularExpression("\\s+"));
    joined.remove(QRegularExpression("TestReport|Page\\d+of\\d+|LotNumber|Notes"));
    for (const QString& text : texts) {
        QStringList words = text.split(' ', Qt::SkipEmptyParts);
        const QString unbroken = words.takeLast();
        QStringList missing;
        for (const QString& w : words)
            if (!found.contains(w))
                missing << w;
        EXPECT_TRUE(missing.isEmpty()) << missing.size() << " of " << words.size() << " words missing, such as "
                                       << missing.value(0).toStdString();
        EXPECT_TRUE(joined.contains(unbroken)) << unbroken.toStdString();
    }
}

TEST_F(StationReportContent, ALotOf4999CharactersAndANoteOf10000ReachThePdfAndThePrintoutWholeClearOfThePageFoot)
{
    const QString lot = testsupport::words('L', 4999, 600);
    const QString notes = testsupport::words('N', 10000, 900);
    const qint32 group = run(false, lot, notes);

    expectEveryCharacter(pdfText(exportAs(group, "PDF", "report.pdf")), {lot, notes});

    ui::TestReportWindow form(station.stationSettings());
    form.setDatabasePath(station.stationSettings().paths.databaseFile);
    form.setReportGroupID(group);
    form.show();
    ASSERT_NE(form.report(), nullptr);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(station.dataFolder() + "/printed.pdf");
    form.viewer()->reportPrinter()->printOut(printer);
    expectEveryCharacter(pdfText(station.dataFolder() + "/printed.pdf"), {lot, notes});

    const QList<platform::ReportPage>& pages = form.report()->pages();
    EXPECT_GT(pages.size(), 4);
    testsupport::expectClearOfTheFoot(pages);
}

// The simulated unit answers the diagnostics query with
// "[D0629,0234,0362,0362,0174,1,1,1,01010]" whatever its model.
TEST_F(StationReportContent, TheDiagnosticsOfABaseUnitShowItsTemperatureAndItsSupplyFlagsAndNoLid)
{
    EXPECT_EQ(diagnosticsSection(run(false, "LOT-D", "")).toStdString(),
              "Unit Diagnostics\n"
              "Unit\tFirmware\t10 Hz Peak\tTemperature\tVcc\t+5 V\t-5 V\t5 V Reference\t200 V On\t200 V Off\n"
              "1\t010.10\t0.768\t39.6\t4.861\t4.861\t-4.901\tYes\tYes\tYes\n");
}

TEST_F(StationReportContent, TheDiagnosticsOfAZamo80ShowItsLidAndItsThirtyKilohertzPeakAndNo200VSupply)
{
    EXPECT_EQ(diagnosticsSection(run(true, "LOT-D", "")).toStdString(),
              "Unit Diagnostics\n"
              "Unit\tFirmware\t10 Hz Peak\t30 kHz Peak\tVcc\t+5 V\t-5 V\t5 V Reference\tLid Closed\n"
              "1\t010.10\t0.768\t0.000\t4.861\t4.861\t-4.901\tYes\tNo\n");
}

} // namespace
