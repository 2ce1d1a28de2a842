// The viewer's list through its own start-up, of a file of 100,000 groups
// in lots of seven or eight, sorted by lot, descending: the lots from the
// highest down, the groups of each lot ascending, every group on exactly
// one of the hundred pages (the page past them repeats the last), and the
// dates as the station's list writes them.

#include "app/ViewerStartUp.h"
#include "platform/DbConnection.h"
#include "platform/ScriptedPrompts.h"
#include "support/ListPages.h"
#include "support/ListedGroups.h"
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
    const QList<testsupport::ListedGroup> groups = testsupport::groupsInLots(100000, 13999);
    {
        platform::DbConnection db;
        db.createFile(path);
        testsupport::buildOldRevisionDatabase(db, 15, {0});
        testsupport::addListedGroups(db, groups);
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

    const QList<testsupport::ListPage> pages = testsupport::everyListPage(
        window->findChild<QComboBox*>("PagesComboBox"), window->findChild<QTableWidget*>("ReportsFlexGrid"));
    ASSERT_EQ(pages.size(), 101);
    EXPECT_EQ(testsupport::groupNumbers(pages.mid(0, 100)), testsupport::byLotDescending(groups));
    EXPECT_EQ(pages[100], pages[99]);
    // Lot LOT-13998 first; group 300, of lot LOT-00300, started at 2 PM.
    EXPECT_EQ(pages[0][0].mid(0, 2), (QStringList{"13998", "LOT-13998"}));
    QStringList group300;
    for (const testsupport::ListPage& page : pages)
        for (const QStringList& row : page)
            if (row[0] == "300")
                group300 = row;
    EXPECT_EQ(group300, (QStringList{"300", "LOT-00300", "3/2/2026 2:00:00 PM", "3/2/2026 2:30:00 PM"}));
    EXPECT_EQ(prompts->messages(), QStringList());
}

} // namespace
