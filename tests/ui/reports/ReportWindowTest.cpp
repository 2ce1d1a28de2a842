// The report window: template choice, the condensed reports, the window
// shown with its menus, printing, and failures that write and show nothing.

#include "ReportFixture.h"
#include "config/StationSettings.h"
#include "platform/Report.h"
#include "support/FixtureGroupWriter.h"
#include "ui/reports/ReportPrinter.h"
#include "ui/reports/ReportView.h"
#include "ui/reports/TestReportWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>

#include <iterator>

namespace {

using ReportWindow = ReportTest;

TEST(ReportTemplateChoice, FollowsTheBackEndAndTheTwoFlags)
{
    testsupport::TempDataHome home;
    config::StationSettings settings;
    settings.paths.placeInDataFolder();
    const struct {
        bool local, condensed, zamo80;
        const char* file;
    } cases[] = {
        {true, false, false, "ElectrodeTestReport.rpt"},
        {true, false, true, "ElectrodeTestReport.rpt"},
        {true, true, false, "CondensedElectrodeTestReport.rpt"},
        {true, true, true, "Zamo80CondensedElectrodeTestReport.rpt"},
        {false, false, true, "sqlElectrodeTestReport.rpt"},
        {false, true, false, "sqlCondensedElectrodeTestReport.rpt"},
        {false, true, true, "sqlZamo80CondensedElectrodeTestReport.rpt"},
    };
    for (const auto& c : cases) {
        settings.database.useLocalDatabase = c.local;
        EXPECT_EQ(ui::TestReportWindow::templatePath(settings, c.condensed, c.zamo80),
                  home.stationFolder() + "/" + c.file);
    }
}

TEST_P(ReportWindow, CondensedReportsGiveOneLinePerElectrodeWithItsVerdictInEachTest)
{
    testsupport::FixtureGroupWriter w(*db);
    const QDate day(2026, 3, 3);
    const qint64 source =
        w.group({40002, "LOT-80", "", QDateTime(day, QTime(8, 0)), QDateTime(day, QTime(9, 0)), true, false});
    w.electrodes(source, 1, "AB", QDateTime(QDate(2026, 1, 15), QTime(0, 0)));
    const qint64 parent = w.test(source, "ACZ", QDateTime(day, QTime(8, 1)));
    const qint64 condensed = w.group({40003, "", "", QDateTime(), QDateTime(), true, false});
    w.linkCondensed(source, 40002, condensed);
    const qint64 unit = w.testUnit(w.test(condensed, "ACZ", QDateTime(day, QTime(8, 1)), parent), 1, 1);
    w.measurement(unit, "20", 20, {{'A', 1000}, {'B', 1100}});
    w.results(unit, {{'A', "PASS"}, {'B', "FAIL"}});

    const QString zamo80 = readText(exportReport("TAB", "z80.txt", true, true, 40002));
    EXPECT_TRUE(zamo80.contains("Test Group 40002\n")) << zamo80.toStdString();
    EXPECT_TRUE(zamo80.contains("Unit Model\tZAMO80\n"));
    EXPECT_TRUE(zamo80.contains("Unit 1\n"
                                "Electrode\tSerial Number\tLot Number\tACZ 1\n"
                                "A1\tSA1\tL-A\tPassed\n"
                                "B1\tSB1\tL-B\tFailed\n"));

    const QString plain = readText(exportReport("TAB", "condensed.txt", true, false));
    EXPECT_TRUE(plain.contains("Unit 1\n"
                               "Electrode\tSerial Number\tLot Number\tACZ 1\tDCO 1\n"
                               "A1\tSA1\tL-A\tPassed\tPassed with Expired Channel\n"
                               "B1\tSB1\tL-B\tMarginal Pass\tERR\n"
                               "C1\tSC1\tL-C\tFailed\tFAIL_O\n"))
        << plain.toStdString();
    EXPECT_FALSE(plain.contains("NOISE"));
}

TEST_P(ReportWindow, AnExportThatCannotBeMadeWritesNothingAndShowsNothing)
{
    const QStringList formats{"PDF", "XLS", "TAB"};
    for (const QString& format : formats)
        EXPECT_TRUE(exportReport(format, "missing." + format, false, false, 99999).isEmpty()) << "no such group";
    EXPECT_TRUE(exportReport("DOC", "report.doc").isEmpty()) << "unknown format";

    QFile broken(settings.database.useLocalDatabase ? settings.paths.electrodeTestReport
                                                    : settings.paths.sqlElectrodeTestReport);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("<report name=\"x\"><band query=\"SELECT * FROM TestGroups WHERE UniqueGroupID = $TestGroups."
                 "UniqueGroupID\"><heading>{NoSuchField}</heading></band></report>");
    broken.close();
    for (const QString& format : formats)
        EXPECT_TRUE(exportReport(format, "broken." + format).isEmpty()) << "broken template";

    EXPECT_EQ(QDir(home.stationFolder()).entryList({"missing.*", "report.doc", "broken.*", "*.part"}), QStringList());
    EXPECT_TRUE(prompts->shown.isEmpty());
    EXPECT_EQ(logCount("Test report export"), 7) << "each failure is logged";

    ui::TestReportWindow shown(settings);
    shown.setDatabasePath(databasePath);
    shown.setReportGroupID(kGroup);
    shown.show();
    EXPECT_EQ(shown.report(), nullptr);
    EXPECT_EQ(shown.viewer()->pageCount(), 0);
    EXPECT_FALSE(shown.viewer()->printAction()->isEnabled());
    EXPECT_TRUE(prompts->shown.isEmpty());
}

TEST_P(ReportWindow, ShownReportIsExportedFromItsMenusWithTheFormatsExtensionAddedWhereTypedWithoutAndPrints)
{
    ui::TestReportWindow form(settings);
    form.setDatabasePath(databasePath);
    form.setReportGroupID(kGroup);
    form.resize(1000, 700);
    form.show();
    ASSERT_NE(form.report(), nullptr);
    EXPECT_EQ(form.windowTitle(), "Test Report");
    EXPECT_GE(form.viewer()->pageCount(), 1);
    EXPECT_TRUE(form.viewer()->printAction()->isEnabled());
    const QImage shot = form.grab().toImage();
    if (const QByteArray folder = qgetenv("ZAMO_REPORT_SCREENSHOTS"); !folder.isEmpty())
        shot.save(QString::fromLocal8Bit(folder) + "/report-window.png");

    const struct {
        const char* menu;
        const char* typed;
        const char* written;
    } exports[] = {
        {"mExportToPDF", "rep1", "rep1.PDF"},         {"mExportToXLS", "rep1_XLS", "rep1_XLS.XLS"},
        {"mExportToTAB", "rep1_TAB", "rep1_TAB.TXT"}, {"mExportToTAB", "kept.dat", "kept.dat"},
        {"mExportToPDF", "closing.", "closing.PDF"},
    };
    for (const auto& e : exports)
        prompts->fileAnswers.push_back(path(e.typed));
    prompts->fileAnswers.push_back(QString());
    for (const auto& e : exports)
        form.findChild<QAction*>(e.menu)->trigger();
    form.findChild<QAction*>("mExportToPDF")->trigger(); // cancelled
    ASSERT_EQ(prompts->shown.size(), std::size(exports) + 1);
    EXPECT_EQ(prompts->shown[0].kind, "save");
    EXPECT_EQ(prompts->shown[0].text, "Export Report");
    QStringList written;
    for (const auto& e : exports)
        written << e.written;
    written.sort();
    EXPECT_EQ(QDir(home.stationFolder()).entryList({"rep1*", "kept*", "closing*"}, QDir::Files, QDir::Name), written);
    EXPECT_TRUE(readText(path("rep1_TAB.TXT")).startsWith("Test Report\n"));
    EXPECT_TRUE(readText(path("kept.dat")).startsWith("Test Report\n"));
    QFile pdf(path("rep1.PDF"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    form.viewer()->reportPrinter()->printOut(printer);
    const QString printed = pdfText(path("printed.pdf"));
    EXPECT_TRUE(printed.contains("Test Group 40001"));
    EXPECT_TRUE(printed.contains("Passed with Expired Channel"));
}

TEST_P(ReportWindow, ReportsOfTheSameGroupOpenTwiceAreIndependent)
{
    ui::TestReportWindow first(settings);
    ui::TestReportWindow second(settings);
    for (ui::TestReportWindow* form : {&first, &second}) {
        form->setDatabasePath(databasePath);
        form->setReportGroupID(kGroup);
        form->setShowCondensedReport(form == &second);
        form->show();
    }
    ASSERT_NE(first.report(), nullptr);
    ASSERT_NE(second.report(), nullptr);
    EXPECT_NE(first.report(), second.report());
    EXPECT_GT(first.report()->content().blocks.size(), second.report()->content().blocks.size());
}

INSTANTIATE_ON_BOTH_BACKENDS(ReportWindow);

} // namespace
