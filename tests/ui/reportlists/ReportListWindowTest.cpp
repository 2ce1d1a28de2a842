// The live report list window on both back ends: the page list and the
// pages, no selection after a load, the open rules by report type, the
// export, Archive Now by database and command line, and the automatic
// archive at MaxRecords, which waits while a run is active.

#include "ReportListFixture.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "results/ResultsDatabase.h"
#include "ui/reportlists/StationDatabaseArchiving.h"
#include "ui/shell/StationWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using testsupport::GroupModel;
using testsupport::GroupState;
using testsupport::idRange;

namespace {

using ReportListWindowOnBoth = ReportListWindowTest;

TEST_P(ReportListWindowOnBoth, PagesOfAThousandWithThePageListAndNoSelectionAfterALoad)
{
    testsupport::addListedGroups(*db, testsupport::finishedGroups(1, 2500));
    auto window = liveWindow();
    // While the database is read, "Loading..." covers the whole grid; then the grid shows again.
    int readsUnderLoading = 0;
    host->live = [&, live = host->live] {
        const QGroupBox* loading = window->loadingFrame();
        if (!loading->isHidden() && loading->geometry() == window->reportGrid()->rect()
            && loading->findChild<QLabel*>()->text() == "Loading...")
            ++readsUnderLoading;
        return live();
    };
    window->resize(900, 700);
    ASSERT_TRUE(window->load());
    EXPECT_GT(readsUnderLoading, 0);
    EXPECT_TRUE(window->loadingFrame()->isHidden());

    EXPECT_EQ(window->reportType(), "ZAMO") << "no units connected";
    EXPECT_EQ(window->sortByList()->currentText(), "ID");
    EXPECT_TRUE(window->ascendingOption()->isChecked());
    EXPECT_EQ(pageEntries(*window), QStringList({"1", "2", "3"}));
    EXPECT_EQ(window->pagesLabel()->text(), "of 3");
    EXPECT_EQ(gridIds(*window), idRange(1, 1000));
    EXPECT_EQ(window->reportGrid()->text(0, 3), "3/2/2026 9:01:00 AM");
    EXPECT_EQ(window->reportGrid()->text(0, 4), "3/2/2026 9:31:00 AM");

    const struct {
        int page;
        qint32 first, last;
    } pages[] = {{2, 1001, 2000}, {3, 1501, 2500}, {1, 1, 1000}};
    for (const auto& p : pages) {
        choose(window->pagesList(), QString::number(p.page));
        EXPECT_EQ(gridIds(*window), idRange(p.first, p.last)) << "page " << p.page;
        EXPECT_EQ(window->pagesList()->currentText(), QString::number(p.page));
    }

    // Descending from its first page; no row selected, so nothing to export
    // or open until a row is clicked.
    window->descendingOption()->click();
    EXPECT_EQ(gridIds(*window), idRange(2500, 1501));
    EXPECT_EQ(window->pagesList()->currentText(), "1");
    window->exportButton()->click();
    EXPECT_THAT(prompts->messages(), ElementsAre("No report to export!"));
    EXPECT_EQ(prompts->shown[0].title, "Error");
    window->viewButton()->click();
    emit window->reportGrid()->cellDoubleClicked(-1, -1);
    EXPECT_TRUE(host->recorded.opened.isEmpty());
    selectRow(*window, 0);
    window->viewButton()->click();
    EXPECT_THAT(host->recorded.opened, ElementsAre(OpenedReport{2500, true, "", false}));

    // Exactly 2000 groups: three pages, the third shows the second again.
    db->execute("DELETE FROM TestGroups WHERE UniqueGroupID > 2000");
    window->ascendingOption()->click();
    EXPECT_EQ(pageEntries(*window), QStringList({"1", "2", "3"}));
    choose(window->pagesList(), "3");
    EXPECT_EQ(gridIds(*window), idRange(1001, 2000));
}

TEST_P(ReportListWindowOnBoth, TypeSortAndShowAllChooseTheRows)
{
    testsupport::addListedGroups(*db, {{1, GroupState::Finished, GroupModel::Base, QString("B")},
                                       {2, GroupState::Finished, GroupModel::Zamo80, QString("A")},
                                       {3, GroupState::Finished, GroupModel::Zamo24, QString("C")},
                                       {4, GroupState::Open, GroupModel::Base, QString("A")},
                                       {5, GroupState::Cancelled, GroupModel::Zamo80, QString("B")},
                                       {6, GroupState::Condensed, GroupModel::Zamo80}});
    host->mode = run::ConnectedUnitsMode::Zamo80;
    auto window = liveWindow();
    window->load();
    EXPECT_EQ(window->reportType(), "ZAMO80") << "ZAMO80 units connected";
    EXPECT_EQ(window->viewLabel()->text(), "View Selected Full Report");
    EXPECT_EQ(gridIds(*window), QList<qint32>({2}));

    choose(window->reportTypeList(), "ALL");
    EXPECT_EQ(window->viewLabel()->text(), "View Selected Condensed Report");
    EXPECT_EQ(gridIds(*window), QList<qint32>({1, 2, 3}));
    window->showAllBox()->click();
    EXPECT_EQ(gridIds(*window), QList<qint32>({1, 2, 3, 4, 5})) << "never the condensed group";
    EXPECT_EQ(window->reportGrid()->text(3, 4), "") << "an open group has no completion date";
    choose(window->sortByList(), "Lot");
    EXPECT_EQ(gridIds(*window), QList<qint32>({2, 4, 1, 5, 3}));
    window->descendingOption()->click();
    EXPECT_EQ(gridIds(*window), QList<qint32>({3, 1, 5, 2, 4}));
    EXPECT_EQ(window->reportGrid()->text(0, 2), "C");

    // A new opening starts from the units' type, sorted by group, ascending,
    // without Show All.
    host->mode = run::ConnectedUnitsMode::Zamo80;
    host->zamo24 = true;
    window->load();
    EXPECT_EQ(window->reportType(), "ZAMO2-4");
    EXPECT_FALSE(window->showAllBox()->isChecked());
    EXPECT_EQ(window->sortByList()->currentText(), "ID");
    EXPECT_TRUE(window->ascendingOption()->isChecked());
    EXPECT_EQ(gridIds(*window), QList<qint32>({3}));
}

TEST_P(ReportListWindowOnBoth, ReportsOpenAndExportByTheTypeShown)
{
    // Group 7 has a condensed ZAMO80 group (GroupID 40), group 8 none.
    testsupport::addListedGroups(*db, {{7, GroupState::Finished, GroupModel::Zamo80, QString("L"), 40},
                                       {8, GroupState::Finished, GroupModel::Zamo80}});
    const struct {
        const char* type;
        const char* before; // a change of the database first, or ""
        OpenedReport doubleClick, viewButton;
        bool exportZamo80;
    } cases[] = {
        {"ALL", "", {7, false, "", false}, {7, true, "", true}, false},
        {"ZAMO80", "", {7, true, "", true}, {7, false, "", false}, true},
        // condensed to view, full to export
        {"ZAMO2-4", "UPDATE TestGroups SET Zamo24 = (1 = 1)", {7, true, "", true}, {7, false, "", false}, false},
    };
    auto window = liveWindow();
    window->load();
    for (const auto& c : cases) {
        host->recorded = RecordingReports();
        if (*c.before)
            db->execute(c.before);
        choose(window->reportTypeList(), c.type);
        selectRow(*window, 0);
        emit window->reportGrid()->cellDoubleClicked(0, 1);
        window->viewButton()->click();
        EXPECT_THAT(host->recorded.opened, ElementsAre(c.doubleClick, c.viewButton)) << c.type;

        prompts->fileAnswers.push_back(home.path() + "/report");
        choose(window->exportFormatList(), "XLS");
        window->exportButton()->click();
        ASSERT_EQ(host->recorded.exported.size(), 1) << c.type;
        const ExportedReport& e = host->recorded.exported[0];
        EXPECT_EQ(e.id, 7);
        EXPECT_EQ(e.date, testsupport::listedGroupStart(7));
        EXPECT_EQ(e.format, "XLS");
        EXPECT_EQ(e.file, home.path() + "/report");
        EXPECT_EQ(e.databasePath, "");
        EXPECT_EQ(e.condensed, c.exportZamo80) << c.type;
        EXPECT_EQ(e.zamo80, c.exportZamo80) << c.type;
    }
    EXPECT_EQ(prompts->shown.last().text, "Export Report");
    EXPECT_EQ(window->exportFormatList()->currentText(), "XLS");

    // The group without a condensed group opens the plain condensed report.
    host->recorded = RecordingReports();
    choose(window->reportTypeList(), "ALL");
    selectRow(*window, 1);
    window->openSelectedCondensedReport();
    EXPECT_THAT(host->recorded.opened, ElementsAre(OpenedReport{8, true, "", false}));

    // A cancelled dialog exports nothing; a failed export says so.
    host->recorded = RecordingReports();
    window->exportButton()->click();
    EXPECT_TRUE(host->recorded.exported.isEmpty());
    host->recorded.exportWrites = false;
    prompts->fileAnswers.push_back(home.path() + "/report");
    const qsizetype before = prompts->messages().size();
    window->exportButton()->click();
    ASSERT_EQ(prompts->messages().size(), before + 1);
    EXPECT_EQ(prompts->messages().last(), "The report could not be exported to " + home.path() + "/report.PDF.");
}

TEST_P(ReportListWindowOnBoth, ArchiveNowOnlyForALocalDatabaseInServiceMode)
{
    const struct {
        const char* commandLine;
        bool shown; // with a local database
    } cases[] = {
        {"", false},      {"/rida1", false},     {"/rida2", true}, {"/RIDA2", true},
        {"/Vadov", true}, {"x /rida2 /x", true}, {"/rida", false},
    };
    for (const auto& c : cases) {
        platform::CommandLine::replaceText(c.commandLine);
        auto window = liveWindow();
        window->load();
        EXPECT_EQ(window->archiveNowButton()->isVisibleTo(window.get()), c.shown && local()) << c.commandLine;
        EXPECT_EQ(window->archiveNowButton()->isEnabled(), local());
        EXPECT_EQ(window->archivesFrame()->isEnabled(), local());
    }

    // The live database's archives: listed beside a local file, never from a server.
    db->execute("INSERT INTO Archive (Range, RangeStart, RangeEnd, FileName, ArchiveDate) VALUES "
                "('1-40', 1, 40, 'ZAMO_Results-20260101-080000.mdb', ?)",
                {{"d", platform::DbType::Date, 0, QDateTime(QDate(2026, 1, 1), QTime(8, 0))}});
    auto window = liveWindow();
    window->load();
    ASSERT_EQ(window->archiveGrid()->rowCount(), local() ? 1 : 0);
    if (local()) {
        EXPECT_EQ(window->archiveGrid()->text(0, 1), "1-40");
        EXPECT_EQ(window->archiveGrid()->text(0, 2), "ZAMO_Results-20260101-080000.mdb");
        EXPECT_EQ(window->archiveGrid()->text(0, 3), "1/1/2026 8:00:00 AM");
    }
}

TEST_P(ReportListWindowOnBoth, ArchiveNowAsksAndNeverArchivesUnderARun)
{
    platform::CommandLine::replaceText("/vadov");
    auto window = liveWindow();
    window->load();
    prompts->messageAnswers = {platform::MsgResult::No};
    window->archiveNow();
    EXPECT_EQ(host->archive.jobs, 0);
    EXPECT_EQ(prompts->shown.last().text, "Are you sure you want to Archive the current Database?");
    EXPECT_EQ(prompts->shown.last().title, "Archive Now?");

    host->running = true;
    prompts->messageAnswers = {platform::MsgResult::Yes};
    window->archiveNow();
    EXPECT_EQ(host->archive.jobs, 0);
    EXPECT_EQ(prompts->messages().last(), "Tests already active!  You must stop the active tests first.");

    host->running = false;
    prompts->messageAnswers = {platform::MsgResult::Yes};
    testsupport::addListedGroups(*db, testsupport::finishedGroups(1, 3));
    window->archiveNow();
    EXPECT_EQ(host->archive.jobs, 1);
    EXPECT_EQ(gridIds(*window), idRange(1, 3)) << "the list is loaded again";
}

INSTANTIATE_ON_BOTH_BACKENDS(ReportListWindowOnBoth);

// The archive itself is the local database's alone.
class ReportListWindowArchive : public ReportListWindowTest {
protected:
    void SetUp() override
    {
        ReportListWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        archiving = std::make_unique<ui::StationDatabaseArchiving>(settings, database, windows);
        host->archive.job = [this] { archiving->archiveDatabase(); };
    }
    ui::StationWindows windows{settings, database};
    std::unique_ptr<ui::StationDatabaseArchiving> archiving;
};

TEST_P(ReportListWindowArchive, OpeningAFullDatabaseArchivesItFirstButNeverUnderARun)
{
    settings.database.maxRecords = 5;
    testsupport::addListedGroups(
        *db, {{1}, {2}, {3, GroupState::Open}, {4, GroupState::Cancelled}, {5, GroupState::Condensed}});
    db.reset();

    // During a run: the list of the full database, and the archive waits.
    host->running = true;
    auto window = liveWindow();
    window->load();
    EXPECT_EQ(host->archive.jobs, 0);
    EXPECT_TRUE(window->archivePending());
    EXPECT_EQ(gridIds(*window), QList<qint32>({1, 2}));
    EXPECT_EQ(logCount("archive deferred until the run ends"), 1);
    window->loadReportList(1);
    EXPECT_EQ(host->archive.jobs, 0) << "still running";

    // The first reload after the run archives, then lists the new, empty database.
    host->running = false;
    window->descendingOption()->click();
    EXPECT_EQ(host->archive.jobs, 1);
    EXPECT_FALSE(window->archivePending());
    EXPECT_TRUE(gridIds(*window).isEmpty());
    const QStringList archives = QDir(settings.paths.archiveFolder).entryList(QDir::Files);
    ASSERT_EQ(archives.size(), 1);
    // Named by the moment of the job, a second after its window opened.
    EXPECT_EQ(archives[0], "ZAMO_Results-20260302-090001.mdb");
    ASSERT_EQ(window->archiveGrid()->rowCount(), 1);
    EXPECT_EQ(window->archiveGrid()->text(0, 1), "1-5");
    EXPECT_EQ(window->archiveGrid()->text(0, 2), archives[0]);

    // Opening with no run: straight away, before the list.
    platform::Clock::advance(1000);
    {
        platform::DbConnection live;
        live.openFile(databasePath, false);
        testsupport::addListedGroups(live, testsupport::finishedGroups(6, 10));
    }
    auto second = liveWindow();
    second->load();
    EXPECT_EQ(host->archive.jobs, 2);
    EXPECT_TRUE(gridIds(*second).isEmpty());
    EXPECT_EQ(second->archiveGrid()->rowCount(), 2);
}

TEST_P(ReportListWindowArchive, BelowMaxRecordsNothingIsArchived)
{
    settings.database.maxRecords = 6;
    testsupport::addListedGroups(*db, testsupport::finishedGroups(1, 5));
    auto window = liveWindow();
    window->load();
    EXPECT_EQ(host->archive.jobs, 0);
    EXPECT_FALSE(window->archivePending());
    EXPECT_EQ(gridIds(*window), idRange(1, 5));
}

INSTANTIATE_TEST_SUITE_P(Local, ReportListWindowArchive, ::testing::Values(platform::DbBackend::SQLite), backendName);

} // namespace
