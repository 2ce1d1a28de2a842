// The report windows through the station's own start-up: the Reports menu
// shows the one live list, and a list opened during a run on a full local
// database leaves the database to the run and archives it once the run is
// over, the run's group with it; a list of 100,000 groups sorted by lot,
// descending, page by page.

#include "support/ListPages.h"
#include "support/StationHarness.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/TextGrid.h"
#include "ui/reportlists/ReportListOpeners.h"
#include "ui/reportlists/ReportListWindow.h"
#include "ui/testwindow/TestListPanel.h"

#include <QComboBox>
#include <QMdiSubWindow>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

QStringList archiveFiles(const testsupport::StationHarness& station)
{
    return QDir(station.stationSettings().paths.archiveFolder).entryList({"ZAMO_Results-*.mdb"}, QDir::Files);
}

TEST(ReportListStation, TheMenuShowsOneListAndARunOnAFullDatabaseDefersTheArchive)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.start());
    station.stationSettings().database.maxRecords = 1;
    station.connectSimulatedUnit(1, 2);
    station.useTestList("A1-B1", {"ACZ,A1-B1,1"});
    ui::TestWindow& form = station.testWindow();
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));

    testsupport::StationHarness::startNextRunWithLot("Lot 7");
    form.testListPanel().runButton()->click();
    ASSERT_TRUE(form.testRunning());
    ASSERT_TRUE(station.choose("Report Viewer"));
    ui::ReportListWindow* list = ui::liveReportListWindow(station.windows());
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->windowTitle(), "Test Reports");
    EXPECT_TRUE(list->archivePending()) << "the run's group fills the database";
    EXPECT_TRUE(archiveFiles(station).isEmpty());

    ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 10 * 60 * 1000, 250));
    EXPECT_TRUE(archiveFiles(station).isEmpty()) << "nothing happens behind the operator's back";
    list->descendingOption()->click();
    EXPECT_FALSE(list->archivePending());
    const QStringList archives = archiveFiles(station);
    ASSERT_EQ(archives.size(), 1);
    EXPECT_EQ(list->reportGrid()->rowCount(), 0) << "the new database is empty";
    {
        platform::DbConnection archive;
        archive.openFile(QDir(station.stationSettings().paths.archiveFolder).filePath(archives[0]), true);
        EXPECT_EQ(archive.execute("SELECT LotNumber, Completed FROM TestGroups").getString("|", "\n"), "Lot 7|True\n");
    }

    // The menu again: the same window, raised as it is; closed, it opens anew.
    ASSERT_TRUE(station.choose("Report Viewer"));
    EXPECT_EQ(ui::liveReportListWindow(station.windows()), list);
    EXPECT_TRUE(list->descendingOption()->isChecked());
    ui::MdiChild::outerWidget(list)->close();
    ASSERT_TRUE(station.choose("Report Viewer"));
    EXPECT_EQ(ui::liveReportListWindow(station.windows()), list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->ascendingOption()->isChecked());
}

// 100,000 groups in lots of seven or eight, sorted by lot, descending: the
// lots from the highest down, the groups of each lot ascending, every group
// on exactly one of the hundred pages (the page past them repeats the last),
// and the dates as the station writes them.
TEST(ReportListStation, AHundredThousandGroupsByLotDescendingPageByPage)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.start());
    station.stationSettings().database.maxRecords = 1000000; // no archive on opening
    {
        platform::DbConnection db;
        db.openFile(station.stationSettings().paths.databaseFile, false);
        testsupport::addListedGroups(db, testsupport::hundredThousandInLots());
    }
    ASSERT_TRUE(station.choose("Report Viewer"));
    ui::ReportListWindow* list = ui::liveReportListWindow(station.windows());
    ASSERT_TRUE(list);
    const int lot = list->sortByList()->findText("Lot");
    list->sortByList()->setCurrentIndex(lot);
    emit list->sortByList()->activated(lot);
    list->descendingOption()->click();

    testsupport::expectHundredThousandByLotDescending(
        testsupport::everyListPage(list->pagesList(), list->reportGrid()));
}

} // namespace
