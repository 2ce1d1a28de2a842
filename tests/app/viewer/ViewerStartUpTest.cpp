// The report viewer's start-up as its program runs it: the main window with
// its caption and "No Database Selected", nothing read or written at start
// (no settings file, no log, no data folder), and the program ending when
// the main window closes, whatever report windows are open.

#include "app/viewer/ViewerStartUp.h"
#include "config/AppVersion.h"
#include "platform/DbConnection.h"
#include "platform/ScriptedPrompts.h"
#include "support/OldRevisionDatabase.h"
#include "support/TempDataHome.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ViewerStartUpTest : public ::testing::Test {
protected:
    void SetUp() override { prompts = platform::ScriptedPrompts::installNew(); }

    testsupport::TempDataHome home;
    platform::ScriptedPrompts* prompts = nullptr;
};

TEST_F(ViewerStartUpTest, TheMainWindowComesUpWithNoDatabaseAndNothingWritten)
{
    app::ViewerStartUp viewer;
    ASSERT_TRUE(viewer.start());
    ui::ViewerMainWindow* window = viewer.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "ZAMO Report Viewer v" + config::AppVersion::number());
    EXPECT_EQ(window->status(), "No Database Selected");
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(prompts->shown.isEmpty());
}

// The program's own loop: a database chosen, a report opened, and the main
// window closed ends the program with exit code 0.
TEST_F(ViewerStartUpTest, TheProgramEndsWhenTheMainWindowCloses)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ZAMO_Results.mdb");
    {
        platform::DbConnection db;
        db.createFile(path);
        testsupport::buildOldRevisionDatabase(db, 15, {2, 1, 1});
    }
    prompts->fileAnswers.push_back(path);
    int reportWindows = 0;
    QTimer::singleShot(0, [&] {
        QWidget* main = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "ManageReportsForm" && w->isVisible())
                main = w;
        ASSERT_NE(main, nullptr);
        main->findChild<QPushButton*>("cmdBrowse")->click();
        auto* grid = main->findChild<QTableWidget*>("ReportsFlexGrid");
        grid->selectRow(0);
        emit grid->cellDoubleClicked(0, 1);
        for (QWidget* w : QApplication::topLevelWidgets())
            reportWindows += w->objectName() == "TestReportForm" && w->isVisible();
        main->close();
    });
    EXPECT_EQ(app::ViewerStartUp::run(), 0);
    EXPECT_EQ(reportWindows, 1);
    EXPECT_EQ(prompts->messages(), QStringList());
    // Only the template used is written, into the viewer's own folder.
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"ZAMO Report Viewer"}));
}

} // namespace
