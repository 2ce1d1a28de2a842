// The viewer's main window offscreen: no database at first, a database file
// of each kind of revision chosen in turn (the report-type, sort and
// condensed-report choices follow the revision), a file that is not a
// results database, the pages of a large list, the report-type filter kept
// across reloads, the full and condensed reports in report windows, exports
// from the list and from a report window, the SQL Server dialog, and
// closing the window. Files from outside: one whose queries never end, one
// with numbers beyond 32 bits, one that another program left in
// write-ahead mode.

#include "platform/DbConnection.h"
#include "platform/Report.h"
#include "platform/ScriptedPrompts.h"
#include "support/EndlessTable.h"
#include "support/PgTestDatabase.h"
#include "support/TempDataHome.h"
#include "support/WriteProtection.h"
#include "ui/viewer/ServerDialog.h"
#include "ui/viewer/ViewerMainWindow.h"
#include "ui/viewer/ViewerReportWindow.h"
#include "viewer/ViewerDataFolder.h"
#include "viewer/ViewerFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gmock/gmock.h>

using platform::DbBackend;
using platform::ShownPrompt;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testsupport::OldRevisionSeed;

namespace {

// A database file of the revision holding finished groups 1..groups, with
// the lot "LOT-<n>" where the revision keeps lots.
class ListFile {
public:
    ListFile(int revision, int groups)
    {
        platform::DbConnection db;
        db.createFile(path());
        testsupport::buildOldRevisionDatabase(db, revision, {groups, 1, 1});
        if (revision >= 14)
            db.execute("UPDATE TestGroups SET LotNumberSortField = 'LOT-' || GroupID");
    }
    QString path() const { return m_dir.filePath("ZAMO_Results.mdb"); }
    QString folder() const { return m_dir.path(); }
    std::unique_ptr<platform::DbConnection> connect() const
    {
        auto db = std::make_unique<platform::DbConnection>();
        db->openFile(path(), false);
        return db;
    }

private:
    QTemporaryDir m_dir;
};

class ViewerMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { prompts = platform::ScriptedPrompts::installNew(); }

    template <typename T>
    T* child(const char* name) const
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableWidget* grid() const { return child<QTableWidget>("ReportsFlexGrid"); }
    QComboBox* reportTypes() const { return child<QComboBox>("cmbReportTypes"); }

    void chooseFile(const QString& path)
    {
        prompts->fileAnswers.push_back(path);
        child<QPushButton>("cmdBrowse")->click();
    }
    QStringList items(QComboBox* combo) const
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < grid()->rowCount(); ++r)
            out << grid()->item(r, c)->text();
        return out;
    }
    void selectRow(int row) { grid()->selectRow(row); }
    void doubleClickRow(int row)
    {
        selectRow(row);
        emit grid()->cellDoubleClicked(row, 1);
    }

    // Every name in the folder, hidden ones too.
    static QStringList listing(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    testsupport::TempDataHome home;
    platform::ScriptedPrompts* prompts = nullptr;
    viewer::ViewerDatabase database;
    ui::ViewerMainWindow window{database};
};

// A file whose list, whose revision or whose report reads a table that never
// ends: the statement is stopped at the time limit of a file from outside,
// the file (or the report) is refused with a message, and the window is
// usable at once. A refused file is read no more.
TEST_F(ViewerMainWindowTest, AFileWhoseQueryNeverEndsIsStoppedAndRefusedWithAMessage)
{
    const int limit = platform::DbConnection::OutsideFileTimeLimitMilliseconds;
    const struct {
        const char* table;
        bool listed; // only its report reads the table
    } cases[] = {{"TestGroups", false}, {"Version", false}, {"Tests", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        prompts->shown.clear();
        ListFile file(15, 3);
        testsupport::makeTableEndless(*file.connect(), c.table);
        QElapsedTimer took;
        took.start();
        chooseFile(file.path());
        if (c.listed) {
            EXPECT_EQ(window.status(), "Version 15 Database Selected");
            ASSERT_EQ(grid()->rowCount(), 3);
            doubleClickRow(0);
        }
        EXPECT_LT(took.elapsed(), 3 * limit) << "ended by the time limit";
        ASSERT_EQ(prompts->messages().size(), 1);
        if (c.listed) {
            EXPECT_TRUE(window.reportWindows().isEmpty());
            EXPECT_THAT(prompts->messages()[0].toStdString(), HasSubstr("Unable to show the report of group 1: "));
            EXPECT_THAT(prompts->messages()[0].toStdString(),
                        HasSubstr("the query ran longer than 5 s and was stopped"));
        } else {
            EXPECT_EQ(window.status(), "No Database Selected");
            EXPECT_EQ(grid()->rowCount(), 0);
            EXPECT_EQ(prompts->messages()[0], "Unable to read " + file.path()
                                                  + " as a results database: the query ran longer than 5 s and "
                                                    "was stopped.");
            took.restart();
            child<QCheckBox>("ShowAllReportsCheckBox")->click();
            EXPECT_LT(took.elapsed(), limit) << "nothing more is read from it";
            EXPECT_EQ(prompts->messages().size(), 1);
            EXPECT_EQ(window.status(), "No Database Selected");
        }

        ListFile good(15, 2);
        chooseFile(good.path());
        EXPECT_EQ(window.status(), "Version 15 Database Selected");
        EXPECT_EQ(column(1), QStringList({"1", "2"}));
    }
}

// Numbers are read as stored: a revision number that no station wrote (one
// beyond 32 bits) is refused with a message, never cut to one the viewer
// knows; a group number beyond 32 bits is listed and its report asked for as
// it is.
TEST_F(ViewerMainWindowTest, NumbersBeyond32BitsAreReadAsStoredOrRefused)
{
    for (const QString revision : {"9999999999", "4294967310", "-4294967281", "14.5"}) {
        SCOPED_TRACE(revision.toStdString());
        prompts->shown.clear();
        ListFile file(15, 3);
        file.connect()->execute("UPDATE Version SET DBRevNumber = " + revision);
        chooseFile(file.path());
        EXPECT_EQ(window.status(), "No Database Selected");
        EXPECT_EQ(grid()->rowCount(), 0);
        ASSERT_EQ(prompts->messages().size(), 1);
        EXPECT_EQ(prompts->messages()[0], "Unable to read " + file.path()
                                              + " as a results database: The revision "
                                                "number \""
                                              + revision
                                              + "\" of the database is not one that any "
                                                "station wrote.");
    }

    prompts->shown.clear();
    ListFile file(15, 3);
    file.connect()->execute("UPDATE TestGroups SET UniqueGroupID = 99999999999 WHERE GroupID = 3");
    chooseFile(file.path());
    EXPECT_EQ(column(1), QStringList({"1", "2", "99999999999"}));
    doubleClickRow(2);
    EXPECT_EQ(window.selectedGroupId(), 99999999999);
    ASSERT_EQ(window.reportWindows().size(), 1);
    EXPECT_EQ(window.reportWindows()[0]->groupId(), 99999999999);
    EXPECT_EQ(prompts->messages(), QStringList());
}

// A file that another program turned to write-ahead mode is read as it
// stands, its list and its report, and its folder is left as it was: no log
// or shared-memory file is made beside it. Where that program still has it
// open, its log is read with the files it keeps; a log with changes but
// without its shared-memory file cannot be read without making one, and the
// file is refused with a message that says so.
TEST_F(ViewerMainWindowTest, AFileInWriteAheadModeIsReadAndItsFolderLeftAsItWas)
{
    ListFile file(15, 3);
    {
        platform::DbConnection other;
        other.openFile(file.path(), false);
        other.execute("PRAGMA journal_mode = WAL");
    }
    const QStringList closed = listing(file.folder());
    ASSERT_EQ(closed, QStringList({"ZAMO_Results.mdb"}));
    chooseFile(file.path());
    EXPECT_EQ(column(1), QStringList({"1", "2", "3"}));
    doubleClickRow(0);
    EXPECT_EQ(window.reportWindows().size(), 1);
    EXPECT_EQ(listing(file.folder()), closed);

    // The other program writes a group into its log and keeps the file open.
    platform::DbConnection other;
    other.openFile(file.path(), false);
    other.execute("PRAGMA journal_mode = WAL");
    other.execute("INSERT INTO TestGroups (UniqueGroupID, DateExecuted, DateCompleted, Cancelled, Zamo80, Zamo24) "
                  "SELECT 4, DateExecuted, DateCompleted, Cancelled, Zamo80, Zamo24 FROM TestGroups WHERE GroupID = 1");
    const QStringList open = listing(file.folder());
    ASSERT_EQ(open, QStringList({"ZAMO_Results.mdb", "ZAMO_Results.mdb-shm", "ZAMO_Results.mdb-wal"}));
    chooseFile(file.path());
    EXPECT_EQ(column(1), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(listing(file.folder()), open);

    // The file and its log, without the shared-memory file.
    QTemporaryDir copy;
    ASSERT_TRUE(QFile::copy(file.path(), copy.filePath("ZAMO_Results.mdb")));
    ASSERT_TRUE(QFile::copy(file.path() + "-wal", copy.filePath("ZAMO_Results.mdb-wal")));
    const QStringList copied = listing(copy.path());
    prompts->shown.clear();
    chooseFile(copy.filePath("ZAMO_Results.mdb"));
    EXPECT_EQ(window.status(), "No Database Selected");
    EXPECT_EQ(grid()->rowCount(), 0);
    ASSERT_EQ(prompts->messages().size(), 1);
    EXPECT_THAT(prompts->messages()[0].toStdString(),
                HasSubstr("it is in write-ahead mode and changes to it wait in \"ZAMO_Results.mdb-wal\", which "
                          "cannot be read without making a shared-memory file beside it"));
    EXPECT_EQ(listing(copy.path()), copied);
}

// In a folder the viewer may not write, a file in write-ahead mode is read
// all the same.
TEST_F(ViewerMainWindowTest, AFileInWriteAheadModeIsReadInAFolderThatCannotBeWritten)
{
    ListFile file(15, 3);
    {
        platform::DbConnection other;
        other.openFile(file.path(), false);
        other.execute("PRAGMA journal_mode = WAL");
    }
    ZAMO_WRITE_PROTECT(folder, file.folder());
    chooseFile(file.path());
    EXPECT_EQ(window.status(), "Version 15 Database Selected");
    EXPECT_EQ(column(1), QStringList({"1", "2", "3"}));
    EXPECT_EQ(prompts->messages(), QStringList());
    EXPECT_EQ(listing(file.folder()), QStringList({"ZAMO_Results.mdb"}));
}

TEST_F(ViewerMainWindowTest, WithoutADatabaseTheListIsEmptyAndAnExportAsksForAReport)
{
    EXPECT_EQ(window.status(), "No Database Selected");
    EXPECT_EQ(grid()->rowCount(), 0);
    QStringList headers;
    for (int c = 0; c < grid()->columnCount(); ++c)
        headers << grid()->horizontalHeaderItem(c)->text();
    EXPECT_EQ(headers, QStringList({"", "ID", "Lot Number", "Start Date", "Completion Date"}));

    // A reload with nothing chosen keeps the window as it is.
    child<QCheckBox>("ShowAllReportsCheckBox")->click();
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(window.status(), "No Database Selected");

    child<QPushButton>("ExportSelectedReportButton")->click();
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].text, "No report to export!");
    EXPECT_EQ(prompts->shown[0].title, "Error");
    child<QPushButton>("cmdViewCondensedReport")->click();
    EXPECT_TRUE(window.reportWindows().isEmpty());
}

// Each choice replaces the database before it, and the window offers what
// the new one's revision knows.
TEST_F(ViewerMainWindowTest, EachFileChosenSetsTheChoicesOfItsRevision)
{
    const struct {
        int revision;
        QStringList types;
        QString type;
        bool typesEnabled;
        bool sortEnabled;
        bool lots;
    } cases[] = {
        {5, {"ALL", "ZAMO", "ZAMO80"}, "ZAMO", false, false, false},
        {10, {"ALL", "ZAMO", "ZAMO80"}, "ALL", true, false, false},
        {12, {"ALL", "ZAMO", "ZAMO80", "ZAMO2-4"}, "ALL", true, false, false},
        {14, {"ALL", "ZAMO", "ZAMO80", "ZAMO2-4"}, "ALL", true, true, true},
        {10, {"ALL", "ZAMO", "ZAMO80"}, "ALL", true, false, false},
        {15, {"ALL", "ZAMO", "ZAMO80", "ZAMO2-4"}, "ALL", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.revision);
        ListFile file(c.revision, 3);
        chooseFile(file.path());
        EXPECT_EQ(window.status(), QStringLiteral("Version %1 Database Selected").arg(c.revision));
        EXPECT_EQ(items(reportTypes()), c.types);
        EXPECT_EQ(reportTypes()->currentText(), c.type);
        EXPECT_EQ(reportTypes()->isEnabled(), c.typesEnabled);
        EXPECT_EQ(child<QPushButton>("cmdViewCondensedReport")->isEnabled(), c.typesEnabled);
        EXPECT_EQ(child<QComboBox>("cmbSortBy")->isEnabled(), c.sortEnabled);
        EXPECT_EQ(column(1), QStringList({"1", "2", "3"}));
        EXPECT_EQ(column(2), c.lots ? QStringList({"LOT-1", "LOT-2", "LOT-3"}) : QStringList({"", "", ""}));
        EXPECT_THAT(column(3).first().toStdString(),
                    ::testing::MatchesRegex("[0-9]{1,2}/[0-9]{1,2}/[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2} [AP]M"));
        EXPECT_EQ(items(child<QComboBox>("PagesComboBox")), QStringList({"1"}));
        EXPECT_EQ(child<QLabel>("PagesLabel")->text(), "of 1");
        EXPECT_EQ(window.selectedGroupId(), 0);
    }
    EXPECT_EQ(prompts->messages(), QStringList());
}

TEST_F(ViewerMainWindowTest, AFileThatIsNoResultsDatabaseLeavesNoDatabaseSelectedAndSaysWhy)
{
    ListFile results(15, 3);
    chooseFile(results.path());
    ASSERT_EQ(grid()->rowCount(), 3);

    QTemporaryDir dir;
    const QString text = dir.filePath("notes.mdb");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database\n");
    file.close();
    chooseFile(text);
    EXPECT_EQ(window.status(), "No Database Selected");
    EXPECT_EQ(grid()->rowCount(), 0);
    ASSERT_EQ(prompts->messages().size(), 1);
    EXPECT_THAT(prompts->messages()[0].toStdString(), HasSubstr("Unable to read " + text.toStdString()));

    // The dialog cancelled: still none.
    chooseFile(QString());
    EXPECT_EQ(window.status(), "No Database Selected");
    EXPECT_EQ(prompts->messages().size(), 1);
}

TEST_F(ViewerMainWindowTest, ALargeListIsShownAPageOf1000AtATime)
{
    ListFile file(15, 2500);
    chooseFile(file.path());
    EXPECT_EQ(items(child<QComboBox>("PagesComboBox")), QStringList({"1", "2", "3"}));
    EXPECT_EQ(child<QLabel>("PagesLabel")->text(), "of 3");
    EXPECT_EQ(grid()->rowCount(), 1000);
    EXPECT_EQ(grid()->item(0, 1)->text(), "1");
    const int endOfFirstPage = grid()->item(999, 1)->text().toInt();

    // The last page shows the last 1000 finished groups.
    child<QComboBox>("PagesComboBox")->setCurrentIndex(2);
    EXPECT_EQ(grid()->rowCount(), 1000);
    EXPECT_GT(grid()->item(0, 1)->text().toInt(), endOfFirstPage);
    const QString last = grid()->item(999, 1)->text();

    // A new order starts again at its first page.
    child<QRadioButton>("SortDscOption")->click();
    EXPECT_EQ(child<QComboBox>("PagesComboBox")->currentText(), "1");
    EXPECT_EQ(grid()->item(0, 1)->text(), last);
}

// The list is read with the type the window shows, also after a reload
// that comes from another choice.
TEST_F(ViewerMainWindowTest, TheReportTypeChosenFiltersTheListAndStaysChosen)
{
    ListFile file(12, 6);
    file.connect()->execute("UPDATE TestGroups SET Zamo24 = 1 WHERE GroupID IN (4, 6)");
    chooseFile(file.path());
    reportTypes()->setCurrentText("ZAMO2-4");
    EXPECT_EQ(column(1), QStringList({"4", "6"}));
    child<QRadioButton>("SortDscOption")->click();
    EXPECT_EQ(reportTypes()->currentText(), "ZAMO2-4");
    EXPECT_EQ(column(1), QStringList({"6", "4"}));
}

TEST_F(ViewerMainWindowTest, TheFullAndTheCondensedReportOpenInWindowsOfTheirOwnAndChangeNothingStored)
{
    OldDatabase old(DbBackend::SQLite, 9);
    const QByteArray before = old.bytes();
    chooseFile(old.path());
    ASSERT_GE(grid()->rowCount(), 1);
    ASSERT_EQ(grid()->item(0, 1)->text(), "1");

    // The header row, nothing selected: nothing opens.
    emit grid()->cellDoubleClicked(-1, 1);
    EXPECT_TRUE(window.reportWindows().isEmpty());

    doubleClickRow(0);
    ASSERT_EQ(window.reportWindows().size(), 1);
    ui::ViewerReportWindow* full = window.reportWindows()[0];
    EXPECT_TRUE(full->isVisible());
    EXPECT_EQ(full->windowTitle(), "Test Report");
    EXPECT_EQ(full->groupId(), 1);
    EXPECT_GE(full->report()->pages().size(), 1);

    // Group 1 has a condensed ZAMO80 group: the diagnostics box has no say there.
    child<QCheckBox>("chkDiagnostics")->setChecked(true);
    child<QPushButton>("cmdViewCondensedReport")->click();
    ASSERT_EQ(window.reportWindows().size(), 2);
    const QDir folder(viewer::ViewerDataFolder::path());
    EXPECT_THAT(folder.entryList(QDir::Files),
                ElementsAre("ElectrodeTestReport_2092.rpt", "ElectrodeTestReport_2094.rpt"));
    EXPECT_EQ(prompts->messages(), QStringList());
    EXPECT_EQ(old.bytes(), before);

    // Closing the main window closes its report windows.
    QSignalSpy closed(&window, &ui::ViewerMainWindow::closed);
    window.show();
    window.close();
    EXPECT_EQ(closed.size(), 1);
    for (ui::ViewerReportWindow* w : window.findChildren<ui::ViewerReportWindow*>())
        EXPECT_FALSE(w->isVisible());
}

TEST_F(ViewerMainWindowTest, AReportThatCannotBeReadSaysWhyAndOpensNoWindow)
{
    ListFile file(15, 3);
    chooseFile(file.path());
    file.connect()->execute("DROP TABLE Tests");
    doubleClickRow(0);
    EXPECT_TRUE(window.reportWindows().isEmpty());
    ASSERT_EQ(prompts->messages().size(), 1);
    EXPECT_THAT(prompts->messages()[0].toStdString(), HasSubstr("Unable to show the report of group 1: "));
}

TEST_F(ViewerMainWindowTest, ARevisionWithoutATemplateShowsNoReportAndNoMessage)
{
    ListFile file(15, 3);
    file.connect()->execute("UPDATE Version SET DBRevNumber = 16 WHERE ID = 1");
    chooseFile(file.path());
    EXPECT_EQ(window.status(), "Version 16 Database Selected");
    doubleClickRow(0);
    EXPECT_TRUE(window.reportWindows().isEmpty());
    EXPECT_EQ(prompts->messages(), QStringList());
}

TEST_F(ViewerMainWindowTest, AnExportWritesTheFullReportWhereTheOperatorChoseAndSaysWhere)
{
    OldDatabase old(DbBackend::SQLite, 15, OldRevisionSeed{3, 1, 1});
    chooseFile(old.path());
    QTemporaryDir dir;
    const struct {
        const char* format;
        const char* typed;
        const char* written;
    } cases[] = {{"XLS", "report", "report.XLS"}, {"PDF", "report.pdf", "report.pdf"}};
    selectRow(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        prompts->shown.clear();
        child<QComboBox>("ExportFormatComboBox")->setCurrentText(c.format);
        prompts->fileAnswers.push_back(dir.filePath(c.typed));
        child<QPushButton>("ExportSelectedReportButton")->click();
        ASSERT_EQ(prompts->shown.size(), 2);
        EXPECT_EQ(prompts->shown[0].kind, "save");
        EXPECT_EQ(prompts->shown[0].text, "Export Report");
        EXPECT_EQ(prompts->shown[1].text, "Report exported to " + dir.filePath(c.written));
        EXPECT_EQ(prompts->shown[1].title, "Report Export");
        EXPECT_GT(QFileInfo(dir.filePath(c.written)).size(), 0);
    }

    // Cancelled: nothing written, nothing said.
    prompts->shown.clear();
    child<QPushButton>("ExportSelectedReportButton")->click();
    EXPECT_EQ(prompts->messages(), QStringList());

    // A folder that is not there: the operator is told that no file was written.
    prompts->fileAnswers.push_back(dir.filePath("missing/report"));
    child<QPushButton>("ExportSelectedReportButton")->click();
    ASSERT_EQ(prompts->messages().size(), 1);
    EXPECT_THAT(prompts->messages()[0].toStdString(), HasSubstr("Unable to export the report"));
}

TEST_F(ViewerMainWindowTest, AReportWindowExportsTheReportItShows)
{
    OldDatabase old(DbBackend::SQLite, 15, OldRevisionSeed{3, 1, 1});
    chooseFile(old.path());
    doubleClickRow(1);
    ASSERT_EQ(window.reportWindows().size(), 1);
    QTemporaryDir dir;
    prompts->fileAnswers.push_back(dir.filePath("shown.txt"));
    window.reportWindows()[0]->findChild<QAction*>("mExportToTAB")->trigger();
    EXPECT_EQ(prompts->messages(), QStringList({"Report exported to " + dir.filePath("shown.txt.TAB")}));
    QFile tab(dir.filePath("shown.txt.TAB"));
    ASSERT_TRUE(tab.open(QIODevice::ReadOnly));
    EXPECT_THAT(tab.readAll().toStdString(), HasSubstr("Test Group 3"));
}

TEST_F(ViewerMainWindowTest, AFailedServerConnectionKeepsTheDialogOpenAndTheFileInForce)
{
    ListFile file(15, 3);
    chooseFile(file.path());
    child<QPushButton>("cmdSQLServer")->click();
    ui::ServerDialog* dialog = window.serverDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "SQL Server Settings");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtDatabaseName")->text(), "ZAMO_Results");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtServerIP")->text(), "");

    // Nothing listens on port 1 of this machine.
    dialog->findChild<QLineEdit*>("txtServerIP")->setText("127.0.0.1");
    dialog->findChild<QLineEdit*>("txtSQLInstance")->setText("1");
    dialog->findChild<QPushButton*>("cmdConnect")->click();
    EXPECT_EQ(dialog->status(), "Database connection failed!");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(window.status(), "No Database Selected");
    // The file stays the database in force for the next reload.
    child<QRadioButton>("SortDscOption")->click();
    EXPECT_EQ(column(1), QStringList({"3", "2", "1"}));

    dialog->findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ViewerMainWindowTest, AServerDatabaseIsListedAfterItsConnection)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    OldDatabase old(DbBackend::PostgreSQL, 15, OldRevisionSeed{3, 1, 1});
    const viewer::ServerLogOn logOn = old.logOn();
    child<QPushButton>("cmdSQLServer")->click();
    ui::ServerDialog* dialog = window.serverDialog();
    dialog->findChild<QLineEdit*>("txtServerIP")->setText(logOn.host);
    dialog->findChild<QLineEdit*>("txtSQLInstance")->setText(logOn.instance);
    dialog->findChild<QLineEdit*>("txtDatabaseName")->setText(logOn.databaseName);
    dialog->findChild<QLineEdit*>("txtUsername")->setText(logOn.username);
    dialog->findChild<QLineEdit*>("txtPassword")->setText(logOn.password);
    dialog->findChild<QPushButton*>("cmdConnect")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window.status(), "Version 15 SQL Database Selected.");
    // Group 2 is the condensed group, which has no start date.
    EXPECT_EQ(column(1), QStringList({"1", "3"}));
    doubleClickRow(0);
    EXPECT_EQ(window.reportWindows().size(), 1);
    EXPECT_TRUE(QFile::exists(viewer::ViewerDataFolder::path() + "/ElectrodeTestReport_2156.rpt"));

    // Opened again, the dialog shows the values in force.
    child<QPushButton>("cmdSQLServer")->click();
    EXPECT_EQ(dialog->values().host, logOn.host);
    EXPECT_EQ(dialog->status(), "");
}

} // namespace
