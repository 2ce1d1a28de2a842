// The viewer's list through its own start-up, of a file of 100,000 groups
// in lots of seven or eight, sorted by lot, descending: the lots from the
// highest down, the groups of each lot ascending, every group on exactly
// one of the hundred pages (the page past them repeats the last), and the
// dates as the station's list writes them.

#include "app/viewer/ViewerStartUp.h"
#include "platform/DbConnection.h"
#include "platform/ScriptedPrompts.h"
#include "support/ListPages.h"
#include "support/OldRevisionDatabase.h"
#include "support/TempDataHome.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ViewerLotOrder, AHundredThousandGroupsByLotDescendingPageByPage)
{
    testsupport::TempDataHome home;
    platform::ScriptedPrompts* prompts = platform::ScriptedPrompts::installNew();
    QTemporaryDir dir;
    const QString path = dir.filePath("ZAMO_Results.mdb");
    {
        platform::DbConnection db;
        db.createFile(path);
        testsupport::buildOldRevisionDatabase(db, 15, {0});
        testsupport::addListedGroups(db, testsupport::hundredThousandInLots());
    }

    app::ViewerStartUp viewer;
    ASSERT_TRUE(viewer.start());
    QWidget* window = viewer.mainWindow();
    ASSERT_NE(window, nullptr);
    prompts->fileAnswers.push_back(path);
    window->findChild<QPushButton*>("cmdBrowse")->click();
    auto* sortBy = window->findChild<QComboBox*>("cmbSortBy");
    ASSERT_TRUE(sortBy->isEnabled());
    sortBy->setCurrentIndex(sortBy->findText("Lot"));
    window->findChild<QRadioButton*>("SortDscOption")->click();

    testsupport::expectHundredThousandByLotDescending(testsupport::everyListPage(
        window->findChild<QComboBox*>("PagesComboBox"), window->findChild<QTableWidget*>("ReportsFlexGrid")));
    EXPECT_EQ(prompts->messages(), QStringList());
}

} // namespace
