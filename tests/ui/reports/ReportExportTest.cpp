// The report of a fixture group exported as text, PDF and workbook, on both
// database back ends.

#include "ReportFixture.h"
#include "XlsxCells.h"
#include "platform/WholeFile.h"
#include "support/FixtureGroupWriter.h"
#include "support/ReportPages.h"
#include "ui/reports/TestReportWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <string>

namespace {

using ReportExport = ReportTest;

const char* const kFullReport = "Test Report\n"
                                "\n"
                                "Test Group 40001\n"
                                "Lot Number\tLOT-7781\n"
                                "Started\t2026-03-02 09:00:00\n"
                                "Completed\t2026-03-02 09:30:00\n"
                                "Run\tCompleted\n"
                                "Unit Model\tZAMO\n"
                                "User\toperator\n"
                                "Computer\tBENCH-01\n"
                                "Software Version\t1.0.0\n"
                                "Demo Mode\tNo\n"
                                "Limits\tDCO 100 mV, ACZ 3000 Ohms\n"
                                "Warnings\tDCO 100 mV, ACZ 2000 Ohms\n"
                                "Notes\tSecond shift recheck B1\n"
                                "\n"
                                "Electrodes\n"
                                "\n"
                                "Unit 1\n"
                                "Electrode\tSerial Number\tFirmware\tCalibration Date\tLot Number\n"
                                "A1\tSA1\tF1.2\t2026-01-15 00:00:00\tL-A\n"
                                "B1\tSB1\tF1.2\t2026-01-15 00:00:00\tL-B\n"
                                "C1\tSC1\tF1.2\t2026-01-15 00:00:00\tL-C\n"
                                "\n"
                                "Tests\n"
                                "\n"
                                "ACZ, Unit 1, Iteration 1, started 2026-03-02 09:01:00\n"
                                "Readings: Impedance (Ohms)\n"
                                "Electrode\t20\tVerdict\n"
                                "A1\t1234.500\tPassed\n"
                                "B1\t2100.250\tMarginal Pass\n"
                                "C1\t3500.000\tFailed\n"
                                "\n"
                                "DCO, Unit 1, Iteration 1, started 2026-03-02 09:05:00\n"
                                "Readings: DCO (mV)\n"
                                "Electrode\t30\t61\tVerdict\n"
                                "A1\t12.500\t13.000\tPassed with Expired Channel\n"
                                "B1\t-3.250\t-3.500\tERR\n"
                                "C1\t0.004\t0.013\tFAIL_O\n";

TEST_P(ReportExport, TabTextHoldsTheGroupTheElectrodesAndEveryReadingWithItsVerdict)
{
    const QString file = exportReport("TAB", "report.txt");
    ASSERT_FALSE(file.isEmpty()) << log.join("\n").toStdString();
    EXPECT_EQ(readText(file), QString::fromUtf8(kFullReport));
    EXPECT_TRUE(prompts->shown.isEmpty());
}

TEST_P(ReportExport, PdfShowsTheGroupAndEveryReadingAndVerdictAndDiagnosticsOnlyWhereTheTemplateHasThem)
{
    for (const bool diagnostics : {false, true}) {
        SCOPED_TRACE(diagnostics ? "with diagnostics" : "without diagnostics");
        extractTemplates(diagnostics);
        const QString file = exportReport("PDF", "report.pdf");
        ASSERT_FALSE(file.isEmpty());
        const QString text = pdfText(file);
        for (const char* expected : {"Test Report",   "Test Group 40001",
                                     "LOT-7781",      "Second shift",
                                     "SA1",           "SC1",
                                     "1234.500",      "2100.250",
                                     "3500.000",      "12.500",
                                     "-3.250",        "0.004",
                                     "13.000",        "-3.500",
                                     "0.013",         "Passed",
                                     "Marginal Pass", "Passed with Expired Channel",
                                     "Failed",        "ERR",
                                     "FAIL_O",        "Page 1 of"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
        EXPECT_FALSE(text.contains("77.700")) << "a test hidden from reports";
        EXPECT_EQ(text.contains("Unit Diagnostics"), diagnostics);
        EXPECT_EQ(text.contains("31.5"), diagnostics);
    }
}

TEST_P(ReportExport, WorkbookHoldsTheCellsOfTheTextExportWithNumbersAsNumbers)
{
    extractTemplates(true);
    const QString tab = exportReport("TAB", "report.txt");
    const QString xls = exportReport("XLS", "report.XLS");
    ASSERT_FALSE(tab.isEmpty());
    ASSERT_FALSE(xls.isEmpty());
    QFile raw(xls);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.read(2), QByteArray("PK")) << "a current workbook, whatever the name says";

    const QStringList lines = readText(tab).split('\n');
    const QList<QList<xlsxcells::Cell>> rows = xlsxcells::read(xls);
    ASSERT_EQ(rows.size(), lines.size() - 1); // the text ends with a line break
    int numbers = 0;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const xlsxcells::Cell cell = rows[r].value(c);
            bool isNumber = false;
            const double value = cells[c].toDouble(&isNumber);
            if (cell.number) {
                ++numbers;
                EXPECT_TRUE(isNumber) << cells[c].toStdString();
                EXPECT_DOUBLE_EQ(cell.text.toDouble(), value) << "row " << r << " column " << c;
            } else {
                // The text export puts spaces for the line breaks and tabs in a cell.
                EXPECT_EQ(cell.text.simplified(), cells[c]) << "row " << r << " column " << c;
            }
        }
    }
    EXPECT_EQ(numbers, 9 + 6) << "every reading, and the unit diagnostics with their unit number";
    EXPECT_TRUE(rows[lines.indexOf("Electrode\t20\tVerdict") + 1].value(1).number);
}

TEST_P(ReportExport, ANoteLongerThanACellHoldsGoesOnInTheCellsBelowItEveryCharacterInOrder)
{
    // 70,001 characters: words, then an unbroken run of characters outside
    // the Basic Multilingual Plane (two each) longer than a cell holds.
    const QString note =
        testsupport::words('N', 36000, 600) + ' ' + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(17000);
    testsupport::FixtureGroupWriter w(*db);
    const QDateTime start(QDate(2026, 3, 4), QTime(8, 0));
    w.group({40005, "LOT-N", note, start, start.addSecs(600), false, false});
    const QString tab = exportReport("TAB", "notes.txt", false, false, 40005);
    const QString xls = exportReport("XLS", "notes.XLS", false, false, 40005);
    ASSERT_FALSE(xls.isEmpty()) << log.join("\n").toStdString();

    const QStringList lines = readText(tab).split('\n');
    const qsizetype notesLine = lines.indexOf(QRegularExpression("^Notes\t.*"));
    ASSERT_GE(notesLine, 0);
    const QList<QList<xlsxcells::Cell>> rows = xlsxcells::read(xls);
    qsizetype r = notesLine;
    ASSERT_EQ(rows.value(r).value(0).text, "Notes");
    QString joined;
    QList<qsizetype> sizes;
    for (; r < rows.size() && !rows[r].value(1).text.isEmpty(); ++r) {
        EXPECT_TRUE(r == notesLine || rows[r].value(0).text.isEmpty()) << "row " << r;
        sizes << rows[r][1].text.size();
        joined += rows[r][1].text;
    }
    EXPECT_TRUE(joined == note) << joined.size() << " characters of " << note.size();
    // Cut after the last word that fits, after the last word, and inside the
    // run where the cell is full but for half a character.
    EXPECT_EQ(sizes, (QList<qsizetype>{32766, 3235, 32766, 1234}));

    // The rest of the report follows the note's last piece.
    ASSERT_EQ(rows.size() - r, lines.size() - 1 - (notesLine + 1));
    for (qsizetype i = notesLine + 1; r < rows.size(); ++i, ++r)
        EXPECT_EQ(rows[r].value(0).text, lines[i].section('\t', 0, 0)) << "row " << r;
}

TEST_P(ReportExport, AnExportOnAFullDiskLeavesTheOldFileWholeAndTellsTheOperatorWhoAskedForIt)
{
    for (const QString& format : {QString("PDF"), QString("XLS"), QString("TAB")}) {
        const QString file = path("old." + format);
        {
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("last week's report");
        }
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC, "old." + format);
        EXPECT_TRUE(exportReport(format, "old." + format).isEmpty()) << format.toStdString();
        EXPECT_EQ(readText(file), "last week's report") << format.toStdString();
    }
    EXPECT_EQ(logCount("No space left on device"), 3);
    EXPECT_TRUE(prompts->shown.isEmpty()) << "exports after a run are logged only";

    ui::TestReportWindow form(settings);
    form.setDatabasePath(databasePath);
    form.setReportGroupID(kGroup);
    form.show();
    prompts->fileAnswers = {path("old.PDF")};
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        form.findChild<QAction*>("mExportToPDF")->trigger();
    }
    ASSERT_EQ(prompts->messages().size(), 1);
    EXPECT_EQ(prompts->messages().first(),
              "Unable to export the report: Cannot write " + path("old.PDF") + ": No space left on device");
    EXPECT_EQ(prompts->shown.last().title, "Test Report");
    EXPECT_EQ(readText(path("old.PDF")), "last week's report");
}

// A name as long as the file system allows (255 bytes) is an export's as
// well as a shorter one: each format lands under it, with nothing beside.
TEST_P(ReportExport, AnExportTakesANameAsLongAsTheFileSystemAllows)
{
    for (const QString& format : {QString("PDF"), QString("XLS"), QString("TAB")}) {
        for (const int bytes : {251, 255}) {
            SCOPED_TRACE(format.toStdString() + ", " + std::to_string(bytes) + " bytes");
            const QString name = QString(bytes - 4, 'r') + "." + format;
            const QString file = exportReport(format, name);
            ASSERT_FALSE(file.isEmpty()) << log.join("\n").toStdString();
            EXPECT_GT(QFileInfo(file).size(), 0);
            EXPECT_EQ(QDir(QFileInfo(file).path()).entryList({"r*"}, QDir::Files | QDir::Hidden | QDir::CaseSensitive),
                      QStringList{name});
            QFile::remove(file);
        }
    }
}

TEST_P(ReportExport, UnitDiagnosticsShowWhatEachModelReportsAndNothingElse)
{
    extractTemplates(true);
    testsupport::FixtureGroupWriter w(*db);
    const QDateTime start(QDate(2026, 3, 3), QTime(8, 0));
    const qint64 zamo80 = w.group({40004, "LOT-80", "", start, start.addSecs(600), true, false});
    w.diagnostics(zamo80, 1, true);
    w.diagnostics(zamo80, 2, true);
    const struct {
        qint32 group;
        const char* section;
    } cases[] = {
        {kGroup, "Unit Diagnostics\n"
                 "Unit\tFirmware\t10 Hz Peak\tTemperature\tVcc\t+5 V\t-5 V\t5 V Reference\t200 V On\t200 V Off\n"
                 "1\tU2.1\t1.250\t31.5\t3.300\t5.010\t-4.990\tYes\tYes\tNo\n"},
        {40004, "Unit Diagnostics\n"
                "Unit\tFirmware\t10 Hz Peak\t30 kHz Peak\tVcc\t+5 V\t-5 V\t5 V Reference\tLid Closed\n"
                "1\tU8.1\t1.250\t0.500\t3.300\t5.010\t-4.990\tYes\tYes\n"
                "2\tU8.1\t1.250\t0.500\t3.300\t5.010\t-4.990\tYes\tYes\n"},
    };
    for (const auto& c : cases) {
        const QString text =
            readText(exportReport("TAB", QString("diagnostics-%1.txt").arg(c.group), false, false, c.group));
        EXPECT_EQ(testsupport::textSection(text, "Unit Diagnostics", "Tests").toStdString(), c.section);
    }
}

INSTANTIATE_ON_BOTH_BACKENDS(ReportExport);

} // namespace
