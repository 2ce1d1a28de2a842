// What the report of a run holds, end to end: an ACZ list run from the main
// test window on a simulated unit, with [Diagnostics] Enabled, the lot and
// notes typed in the pre-test details window, and the group's full report
// exported and printed from what the station stored.

#include "config/IniKeys.h"
#include "platform/DbConnection.h"
#include "platform/Report.h"
#include "support/ReportPages.h"
#include "support/StationHarness.h"
#include "ui/reports/ReportPrinter.h"
#include "ui/reports/ReportView.h"
#include "ui/reports/TestReportWindow.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString PdfText(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class StationReportContent : public ::testing::Test {
protected:
    // Runs the list on simulated unit 1 and returns the group's number.
    qint32 Run(bool zamo80, const QString& lot, const QString& notes)
    {
        QDir().mkpath(station.DataFolder());
        modINIReadWrite::INIWrite("Diagnostics", "Enabled", "1", station.DataFolder() + "/settings.ini");
        EXPECT_TRUE(station.Start());
        MainForm& form = station.Form();
        station.ConnectSimulatedUnit(1, 2, zamo80);
        EXPECT_TRUE(station.RunUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
        station.UseTestList("A1-B1", {"ACZ,A1-B1,1"});
        testsupport::StationHarness::StartNextRunWithLot(lot, notes);
        form.testListPanel().runButton()->click();
        EXPECT_TRUE(station.RunUntil([&] { return !form.pTestRunning(); }, 120000));
        EXPECT_TRUE(StationWindows::CommBuffer().contains("* Tests Completed")) << StationWindows::CommBuffer().toStdString();
        platform::DbConnection db;
        db.openFile(station.Settings().paths.databaseFile, true);
        return db.execute("SELECT UniqueGroupID FROM TestGroups").value(0).toInt();
    }

    QString Export(qint32 group, const QString& format, const QString& name)
    {
        TestReportForm form(station.Settings());
        form.setDatabasePath(station.Settings().paths.databaseFile);
        const QString path = station.DataFolder() + "/" + name;
        EXPECT_TRUE(form.ExportReport(group, path, format, false, false)) << station.LogText().toStdString();
        return path;
    }

    // The unit diagnostics in the text export of the group's full report.
    QString DiagnosticsSection(qint32 group)
    {
        QFile file(Export(group, "TAB", "report.txt"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return testsupport::TextSection(QString::fromUtf8(file.readAll()), "Unit Diagnostics", "Tests");
    }

    testsupport::StationHarness station;
};

// Every word of the texts among the words of the PDF, and each unbroken
// word whole once the line breaks, the page foot and the labels repeated
// over the pages are taken out.
void ExpectEveryCharacter(const QString& pdf, const QStringList& texts)
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
    const QString lot = testsupport::Words('L', 4999, 600);
    const QString notes = testsupport::Words('N', 10000, 900);
    const qint32 group = Run(false, lot, notes);

    ExpectEveryCharacter(PdfText(Export(group, "PDF", "report.pdf")), {lot, notes});

    TestReportForm form(station.Settings());
    form.setDatabasePath(station.Settings().paths.databaseFile);
    form.setReportGroupID(group);
    form.show();
    ASSERT_NE(form.report(), nullptr);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(station.DataFolder() + "/printed.pdf");
    form.viewer()->reportPrinter()->printOut(printer);
    ExpectEveryCharacter(PdfText(station.DataFolder() + "/printed.pdf"), {lot, notes});

    const QList<platform::ReportPage>& pages = form.report()->pages();
    EXPECT_GT(pages.size(), 4);
    testsupport::ExpectClearOfTheFoot(pages);
}

// The simulated unit answers the diagnostics query with
// "[D0629,0234,0362,0362,0174,1,1,1,01010]" whatever its model.
TEST_F(StationReportContent, TheDiagnosticsOfABaseUnitShowItsTemperatureAndItsSupplyFlagsAndNoLid)
{
    EXPECT_EQ(DiagnosticsSection(Run(false, "LOT-D", "")).toStdString(),
              "Unit Diagnostics\n"
              "Unit\tFirmware\t10 Hz Peak\tTemperature\tVcc\t+5 V\t-5 V\t5 V Reference\t200 V On\t200 V Off\n"
              "1\t010.10\t0.768\t39.6\t4.861\t4.861\t-4.901\tYes\tYes\tYes\n");
}

TEST_F(StationReportContent, TheDiagnosticsOfAZamo80ShowItsLidAndItsThirtyKilohertzPeakAndNo200VSupply)
{
    EXPECT_EQ(DiagnosticsSection(Run(true, "LOT-D", "")).toStdString(),
              "Unit Diagnostics\n"
              "Unit\tFirmware\t10 Hz Peak\t30 kHz Peak\tVcc\t+5 V\t-5 V\t5 V Reference\tLid Closed\n"
              "1\t010.10\t0.768\t0.000\t4.861\t4.861\t-4.901\tYes\tNo\n");
}

} // namespace
