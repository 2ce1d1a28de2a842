// The main window's report actions: export file names, and the automatic
// exports at the end of a run written through the report window.

#include "config/EmbeddedFile.h"
#include "platform/Report.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupEnd.h"
#include "run/ResultsDatabaseAccess.h"
#include "run/RunRecording.h"
#include "run/UnitResultHandler.h"
#include "support/FixtureGroupWriter.h"
#include "support/PdfText.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/reports/TestReportWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationReportActions.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindowFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

TEST(ReportExportFileName, IsTheGroupStartInTheExportFolderUnlessAFileIsGivenWhichGetsTheExtensionItLacks)
{
    const QDateTime march7(QDate(2024, 3, 7), QTime(9, 5, 2));
    const QDateTime newYear(QDate(2025, 1, 1), QTime(0, 0, 0));
    const struct {
        const char* folder;
        QDateTime date;
        const char* format;
        const char* fileName;
        const char* expected;
    } cases[] = {
        {"/srv/reports", march7, "PDF", "", "/srv/reports/TestReport_20240307-090502.PDF"},
        {"/srv/reports/", march7, "XLS", "", "/srv/reports/TestReport_20240307-090502.XLS"},
        {"/srv/reports", march7, "TAB", "", "/srv/reports/TestReport_20240307-090502.TXT"},
        {"/srv/reports", newYear, "PDF", "", "/srv/reports/TestReport_20250101-000000.PDF"},
        {"/srv/reports", march7, "TAB", "/tmp/mine.dat", "/tmp/mine.dat"},
        {"", march7, "PDF", "/tmp/mine", "/tmp/mine.PDF"},
        {"", march7, "XLS", "/tmp/rep1_XLS", "/tmp/rep1_XLS.XLS"},
        {"/srv/reports", march7, "TAB", "/tmp/lot.7/rep1", "/tmp/lot.7/rep1.TXT"},
        {"", march7, "PDF", "/tmp/mine.pdf", "/tmp/mine.pdf"},
        {"", march7, "PDF", "", ""},
        {"/srv/reports", march7, "DOC", "", ""},
        {"/srv/reports", march7, "DOC", "/tmp/mine.doc", ""},
    };
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    ui::StationWindows windows{settings, database};
    const ui::TestWindowReportActions actions(settings, windows, [] { return run::ConnectedUnitsMode::Base; });
    for (const auto& c : cases) {
        settings.reports.exportPath = c.folder;
        EXPECT_EQ(actions.exportFileName(c.date, c.format, c.fileName), QString(c.expected))
            << c.folder << " " << c.format << " " << c.fileName;
    }
}

// The main window over a live database holding group 1005, the group that
// the run's recording double names for its group 5.
class StationReports : public TestWindowFixture {
protected:
    void SetUp() override
    {
        TestWindowFixture::SetUp();
        QDir().mkpath(home.stationFolder());
        settings.database.useLocalDatabase = true;
        settings.paths.databaseFile = home.stationFolder() + "/ZAMO_Results.mdb";
        ASSERT_EQ(results::buildEmptyDatabase(settings.paths.databaseFile), settings.paths.databaseFile);
        config::extractReportFiles(settings.paths, settings.diagnostics.enabled);
        platform::DbConnection db;
        db.openFile(settings.paths.databaseFile, false);
        testsupport::FixtureGroupWriter w(db);
        const QDateTime start = recorder->getGroupDateExecuted(5);
        const qint64 group = w.group({1005, "LOT-RUN", "", start, start.addSecs(60), false, false});
        w.electrodes(group, 1, "AB", start);
        const qint64 unit = w.testUnit(w.test(group, "ACZ", start), 1, 1);
        w.measurement(unit, "20", 20, {{'A', 812.5}, {'B', 4100}});
        w.results(unit, {{'A', "PASS"}, {'B', "FAIL"}});
    }

    void TearDown() override
    {
        stationWindows.destroyAll();
        database.closeDatabase();
        TestWindowFixture::TearDown();
    }

    results::ResultsDatabase database{settings};
    results::TestGroupEnd groupEnds{database};
};

TEST_F(StationReports, TheThreeExportsOfARunLandInTheExportFolderUnderTheirNamesAndHoldThatRun)
{
    form->services().recorder =
        std::make_unique<run::RunRecording>(form->state(), form->sequencer().schedule(), *form, settings, database,
                                            groupEnds, testLists, std::array<unit::Unit*, 2>{&unit1, &unit2});
    form->services().database = std::make_unique<run::ResultsDatabaseAccess>(database);
    form->services().reports = std::make_unique<ui::TestWindowReportActions>(settings, stationWindows,
                                                                             [this] { return form->checkZAMOMode(); });
    const QString folder = home.path() + "/exports";
    QDir().mkpath(folder);
    settings.reports.exportPath = folder;
    settings.reports.exportPdfEnabled = settings.reports.exportExcelEnabled = settings.reports.exportTabEnabled = true;
    details->answer.lotNumber = "LOT-E2E";

    unit1.plug(2);
    addStep("ACZ");
    form->startFirstTestSequence(true);
    ASSERT_TRUE(form->testRunning());
    form->state().startPhase = false;
    run::UnitResultHandler& handlers = *form->services().results;
    handlers.handle({1, 0, unit::AczReading{100, 500, 0, 300, 100, true, 1.0, 812.5, 5.0, false}});
    handlers.handle({1, 1, unit::AczReading{100, 500, 0, 300, 100, true, 1.0, 4100.0, 5.0, false}});
    runToEnd();
    ASSERT_FALSE(form->testRunning());

    const QStringList files = QDir(folder).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 3) << files.join(' ').toStdString();
    const QString base = QFileInfo(files.first()).completeBaseName();
    EXPECT_EQ(base, "TestReport_20260302-100000") << "the run started at 10:00:00 on 2 March 2026";
    EXPECT_EQ(files, QStringList({base + ".PDF", base + ".TXT", base + ".XLS"}));

    QFile text(folder + "/" + base + ".TXT");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString tab = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(tab.contains("\nLot Number\tLOT-E2E\n")) << tab.toStdString();
    EXPECT_TRUE(tab.contains("A1\t812.500\tPassed\nB1\t4100.000\tFailed\n")) << tab.toStdString();
    EXPECT_TRUE(testsupport::pdfText(folder + "/" + base + ".PDF").contains("LOT-E2E"));
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].text, "Test report automatically exported to PDF file.\r\n"
                                      "Test report automatically exported to XLS file.\r\n"
                                      "Test report automatically exported to TXT file.\r\n");
}

TEST_F(StationReports, EachViewIsANewReportWindowInTheFramePlacedByItsSize)
{
    ui::MainFrame* frame = stationWindows.frame();
    ui::TestWindowReportActions actions(settings, stationWindows, [] { return run::ConnectedUnitsMode::Base; });
    actions.openTestReport(1005, false, QString(), false);
    actions.openTestReport(1005, false, QString(), false);

    const QList<QMdiSubWindow*> windows = frame->mdiArea()->subWindowList();
    QList<ui::TestReportWindow*> reports;
    for (QMdiSubWindow* sub : windows)
        if (auto* form = qobject_cast<ui::TestReportWindow*>(sub->widget()))
            reports << form;
    ASSERT_EQ(reports.size(), 2);
    EXPECT_NE(reports[0]->report(), reports[1]->report());
    for (ui::TestReportWindow* form : reports) {
        ASSERT_NE(form->report(), nullptr);
        EXPECT_TRUE(form->report()->content().blocks.first().text == "Test Report");
        const QRect placed = ui::MdiChild::geometryTwips(form);
        EXPECT_EQ(placed.topLeft(), QPoint(ui::Twips::fromPixels(ui::Twips::toPixels(200)),
                                           ui::Twips::fromPixels(ui::Twips::toPixels(200))));
        EXPECT_EQ(placed.width(), ui::Twips::fromPixels(ui::Twips::toPixels((frame->widthInTwips() - 200) * 2 / 3)));
        EXPECT_EQ(placed.height(), ui::Twips::fromPixels(ui::Twips::toPixels(frame->heightInTwips() - 1500)));
    }
    EXPECT_TRUE(prompts->shown.isEmpty());
}

} // namespace
