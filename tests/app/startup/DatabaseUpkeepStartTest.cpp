// The database checks through the station's own start-up: a new file, its
// backup and upgrade at the next start (in their progress windows), a file
// the station cannot use kept and replaced, the fall-back to the default
// folder, the server's revision check and its update offer, and the database
// options window from the frame's menu, which tells folders apart by letter
// case as the file system does.

#include "StationStartFixture.h"
#include "platform/DbConnection.h"
#include "support/OldRevisionDatabase.h"
#include "support/PgTestDatabase.h"
#include "support/ServerDatabaseSettings.h"
#include "ui/database/UpkeepProgressWindow.h"
#include "ui/options/DatabaseOptionsWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Notes every upkeep progress window that shows, and the values of its bar.
class UpkeepWindowSpy : public QObject {
public:
    QStringList shown;                // captions, in order
    QMap<QString, QList<int>> values; // caption -> bar values after it showed

    UpkeepWindowSpy() { qApp->installEventFilter(this); }
    ~UpkeepWindowSpy() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<ui::UpkeepProgressWindow*>(watched);
        if (window && event->type() == QEvent::Show) {
            const QString caption = window->windowTitle();
            shown << caption;
            if (!m_watched.contains(window)) {
                m_watched << window;
                connect(window->progressBar(), &QProgressBar::valueChanged, this,
                        [this, caption](int value) { values[caption] << value; });
            }
        }
        return false;
    }

private:
    QList<QObject*> m_watched;
};

class DatabaseUpkeepStartTest : public StationStartFixture {
protected:
    QString databaseFile() const { return folder + "/ZAMO_Results.mdb"; }
    QString archiveFolder() const { return folder + "/Archive/"; }
    QStringList archiveFiles() const { return QDir(archiveFolder()).entryList(QDir::Files); }
    int revision(const QString& path) { return station.database.getDBRevNumber(path); }

    void makeOldFile(int revision, const QString& change = QString())
    {
        QDir().mkpath(folder);
        platform::DbConnection db;
        db.createFile(databaseFile());
        testsupport::buildOldRevisionDatabase(db, revision, {20});
        if (!change.isEmpty())
            db.execute(change);
    }
    // The log lines of the latest start from its first database line on.
    QStringList databaseLines() const
    {
        QStringList lines;
        for (const QString& m : logMessages())
            if (m.startsWith("Database") || m.startsWith("Creating") || m.startsWith("Applying") || m.startsWith("SQL")
                || m.startsWith("Loading SQL") || m.startsWith("Resetting") || m.startsWith("Unable")
                || m.startsWith("Exiting"))
                lines << m;
        return lines;
    }
    // A folder the station cannot make: its parent is a file.
    QString blockedFolder() const
    {
        QFile blocker(home.path() + "/blocked");
        blocker.open(QIODevice::WriteOnly);
        return home.path() + "/blocked/db";
    }
    QString offerOfDefaultFolder(const QString& file) const
    {
        return "Unable to access database file.  Possible corruption, folder access, or permissions issue.\r\n\r\n"
               "Click OK to revert to the default application data folder, or CANCEL to terminate the application "
               "and check the database file:\r\n   "
               + file;
    }
};

TEST_F(DatabaseUpkeepStartTest, AMissingFileIsMadeAndTheNextStartBacksItUpOnceAndRaisesIt)
{
    UpkeepWindowSpy spy;
    ASSERT_TRUE(start());
    EXPECT_TRUE(databaseLines().contains("Creating new default database file"));
    EXPECT_EQ(revision(databaseFile()), 14);
    EXPECT_TRUE(archiveFiles().isEmpty());
    EXPECT_TRUE(spy.shown.isEmpty());

    // The next start at 23:05:08; the backup runs a second after its window opens.
    station.database.closeDatabase();
    platform::Clock::setNow(QDateTime(QDate(2024, 1, 15), QTime(23, 4, 8)));
    ASSERT_TRUE(start());
    EXPECT_EQ(archiveFiles(), QStringList{"Backup-ZAMO_Results-20240115-230509.mdb"});
    EXPECT_EQ(spy.shown, (QStringList{"Backing-up Database File ...", "Upgrading Database ..."}));
    EXPECT_EQ(spy.values["Backing-up Database File ..."].last(), 100);
    EXPECT_EQ(spy.values["Upgrading Database ..."].last(), 100);
    const QStringList lines = databaseLines();
    const qsizetype detected = lines.indexOf("Database version 14 detected");
    ASSERT_GE(detected, 0) << lines.join(" | ").toStdString();
    EXPECT_EQ(lines[detected + 1], "Applying database updates");
    EXPECT_TRUE(
        lines.contains("Database file backed up to " + archiveFolder() + "Backup-ZAMO_Results-20240115-230509.mdb"));
    EXPECT_TRUE(lines.contains("Database upgrade to Rev 15"));
    EXPECT_EQ(revision(databaseFile()), 15);

    spy.shown.clear();
    ASSERT_TRUE(start());
    EXPECT_TRUE(databaseLines().contains("Database version 15 detected"));
    EXPECT_EQ(archiveFiles().size(), 1);
    EXPECT_TRUE(spy.shown.isEmpty());
    EXPECT_TRUE(prompts->messages().isEmpty()) << prompts->messages().join(" | ").toStdString();
}

TEST_F(DatabaseUpkeepStartTest, AFileOfAnUnknownRevisionIsKeptInTheArchiveFolderAndReplaced)
{
    const struct {
        int built;
        int stated;
    } cases[] = {{4, 3}, {15, 16}};
    for (const auto& c : cases) {
        QDir(folder).removeRecursively();
        makeOldFile(c.built, QString("UPDATE Version SET DBRevNumber = %1 WHERE ID = 1").arg(c.stated));
        const QByteArray original = readAll(databaseFile());
        prompts->shown.clear();

        ASSERT_TRUE(start()) << c.stated;
        ASSERT_EQ(archiveFiles().size(), 1);
        const QString kept = archiveFolder() + archiveFiles()[0];
        EXPECT_EQ(readAll(kept), original) << "the old file is kept whole";
        EXPECT_EQ(prompts->messages(),
                  QStringList{QString("The database file could not be used (its revision %1 is not one the station "
                                      "can use) and has been replaced by a new, empty database file.\r\n\r\nThe old "
                                      "file is kept as:\r\n   ")
                                  .arg(c.stated)
                              + kept});
        EXPECT_EQ(revision(databaseFile()), 14) << c.stated;
        station.database.closeDatabase();
    }
}

TEST_F(DatabaseUpkeepStartTest, AFolderOutsideTheDefaultThatCannotBeUsedOffersTheDefaultFolder)
{
    QDir().mkpath(folder);
    const QString unreachable = blockedFolder();
    config::iniWrite("Database", "LocalDatabaseFolder", unreachable, folder + "/settings.ini");

    ASSERT_TRUE(start());
    EXPECT_EQ(prompts->messages(), QStringList{offerOfDefaultFolder(unreachable + "/ZAMO_Results.mdb")});
    EXPECT_EQ(prompts->shown[0].title, "Database Error");
    EXPECT_TRUE(databaseLines().contains("Resetting to default database folder"));
    EXPECT_EQ(config::iniRead("Database", "LocalDatabaseFolder", folder + "/settings.ini"), config::getAppDataFolder());
    EXPECT_EQ(settings.paths.databaseFile, databaseFile());
    EXPECT_EQ(revision(databaseFile()), 14);
    EXPECT_TRUE(QFile::exists(folder + "/" + TemplateFiles[0]));
}

TEST_F(DatabaseUpkeepStartTest, ASecondFailureInTheDefaultFolderEndsTheProgramAndDeletesNothing)
{
    QDir().mkpath(folder);
    const QString unreachable = blockedFolder();
    config::iniWrite("Database", "LocalDatabaseFolder", unreachable, folder + "/settings.ini");
    QDir().mkpath(databaseFile()); // a folder where the default file would be

    EXPECT_FALSE(start());
    EXPECT_TRUE(platform::ProgramEnd::requested());
    ASSERT_FALSE(prompts->messages().isEmpty());
    EXPECT_EQ(prompts->messages().first(), offerOfDefaultFolder(unreachable + "/ZAMO_Results.mdb"));
    EXPECT_EQ(prompts->messages().last(), "Unable to resolve database access error.  Exiting application.");
    EXPECT_TRUE(databaseLines().contains("Unable to resolve database access error. Exiting application"));
    EXPECT_TRUE(QFileInfo(databaseFile()).isDir()) << "nothing is deleted";
    EXPECT_FALSE(QFile::exists(folder + "/" + TemplateFiles[0]));
}

TEST_F(DatabaseUpkeepStartTest, AServerDatabaseAtRevision14IsOfferedItsUpdateAndRaised)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    testsupport::PgTestDatabase server;
    config::DatabaseSettings database;
    testsupport::useServerDatabase(database, server.address());
    QDir().mkpath(folder);
    const QString ini = folder + "/settings.ini";
    config::iniWrite("Database", "UseLocalDatabase", "0", ini);
    config::iniWrite("Database", "SQLServerHost", database.serverHost, ini);
    config::iniWrite("Database", "SQLServerInstance", database.serverInstance, ini);
    config::iniWrite("Database", "SQLServerDatabaseName", database.serverDatabaseName, ini);
    config::iniWrite("Database", "SQLUsername", database.username, ini);
    config::iniWrite("Database", "SQLPassword", database.password, ini);

    ASSERT_TRUE(start());
    EXPECT_EQ(prompts->messages(),
              QStringList{"Database Update Required!  Click OK to proceed with automatic SQL update, or CANCEL to "
                          "exit and apply the updates manually.\r\n\r\n  NOTE for Automatic Updates:  Automatic SQL "
                          "updates will be applied to the live database.  Ensure that you have a recent backup "
                          "before proceeding.\r\n  NOTE for Manual Updates:     The current database version is "
                          "14.  Execute the v14 to v15 SQL update script in the SQL Manager to update the database "
                          "manually."});
    EXPECT_EQ(prompts->shown[0].title, "Database Update Required");
    const QStringList lines = databaseLines();
    EXPECT_TRUE(lines.contains("Loading SQL Database"));
    EXPECT_TRUE(lines.contains("SQL database version 14 detected. Applying SQL Database updates"));
    EXPECT_TRUE(lines.contains("SQL Database upgrade to Rev 15"));
    EXPECT_FALSE(QFile::exists(databaseFile())) << "no database file is made for a server";
    EXPECT_EQ(revision(QString()), 15);

    prompts->shown.clear();
    ASSERT_TRUE(start());
    EXPECT_TRUE(prompts->messages().isEmpty()) << prompts->messages().join(" | ").toStdString();
    station.database.closeDatabase();
}

TEST_F(DatabaseUpkeepStartTest, AServerDatabaseTooOldToRaiseSendsTheOperatorToTheDatabaseOptions)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    testsupport::PgTestDatabase server;
    config::DatabaseSettings database;
    testsupport::useServerDatabase(database, server.address());
    {
        platform::DbConnection db;
        db.openServer(server.address());
        db.execute("UPDATE Version SET DBRevNumber = 12 WHERE ID = 1");
    }
    QDir().mkpath(folder);
    config::iniWrite("Database", "UseLocalDatabase", "0", folder + "/settings.ini");
    config::iniWrite("Database", "SQLServerHost", database.serverHost, folder + "/settings.ini");
    config::iniWrite("Database", "SQLServerInstance", database.serverInstance, folder + "/settings.ini");
    config::iniWrite("Database", "SQLServerDatabaseName", database.serverDatabaseName, folder + "/settings.ini");
    config::iniWrite("Database", "SQLUsername", database.username, folder + "/settings.ini");
    config::iniWrite("Database", "SQLPassword", database.password, folder + "/settings.ini");

    // The options window comes up modal after the box; it is noted and closed.
    QString hostShown;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* window = qobject_cast<ui::DatabaseOptionsWindow*>(QApplication::activeModalWidget())) {
            hostShown = window->serverHostEdit->text();
            window->reject();
        }
    });
    watch.start();
    ASSERT_TRUE(start()) << "the options closed, the start goes on";
    EXPECT_EQ(prompts->messages(),
              QStringList{"Click OK to reconfigure database settings, or Cancel to exit application."});
    EXPECT_EQ(prompts->shown[0].title, "Database Connection Error");
    EXPECT_TRUE(logMessages().contains("Invalid SQL Database version."));
    EXPECT_EQ(hostShown, database.serverHost);
    station.database.closeDatabase();
}

TEST_F(DatabaseUpkeepStartTest, TheFrameOpensTheDatabaseOptionsWhoseSaveChecksTheDatabaseAgain)
{
    ASSERT_TRUE(start());
    ui::MainFrame* frame = station.windows.frame();
    QString folderShown;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<ui::DatabaseOptionsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Database Options");
        EXPECT_TRUE(window->localDatabaseButton->isChecked());
        folderShown = window->folderEdit->text();
        window->save();
    });
    frame->databaseOptionsAction->trigger();
    EXPECT_EQ(folderShown, settings.database.localDatabaseFolder);

    // The file made at the start is raised by the check that Save runs.
    QStringList written;
    for (const QString& m : logMessages())
        if (m.startsWith("INIWrite: Database, "))
            written << m.section(',', 1, 1).trimmed();
    EXPECT_EQ(written.mid(written.size() - 7),
              (QStringList{"UseLocalDatabase", "SQLServerHost", "SQLServerInstance", "SQLServerDatabaseName",
                           "SQLUsername", "SQLPassword", "LocalDatabaseFolder"}));
    EXPECT_TRUE(databaseLines().contains("Database upgrade to Rev 15"));
    EXPECT_EQ(revision(databaseFile()), 15);
    EXPECT_EQ(archiveFiles().size(), 1);
}

// /data/zamo in use, /data/ZAMO chosen: another folder, so the copy of the
// database is offered, and OK takes the current file there.
TEST_F(DatabaseUpkeepStartTest, AFolderThatDiffersOnlyInLetterCaseIsANewFolderAndOffersTheCopy)
{
    const QString lower = home.path() + "/data/zamo";
    const QString upper = home.path() + "/data/ZAMO";
    QDir().mkpath(lower);
    QDir().mkpath(upper);
    QDir().mkpath(folder);
    config::iniWrite("Database", "LocalDatabaseFolder", lower, folder + "/settings.ini");
    ASSERT_TRUE(start());
    ASSERT_EQ(settings.paths.databaseFile, lower + "/ZAMO_Results.mdb");
    {
        platform::DbConnection db;
        db.openFile(settings.paths.databaseFile, false);
        db.execute("INSERT INTO TestGroups (UniqueGroupID, LotNumber) VALUES (7, 'Lot 7')");
    }
    prompts->shown.clear();
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<ui::DatabaseOptionsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        prompts->fileAnswers = {upper};
        prompts->messageAnswers = {platform::MsgResult::Ok};
        window->selectFolderButton->click();
        window->save();
    });
    station.windows.frame()->databaseOptionsAction->trigger();

    QStringList boxes;
    for (const platform::ShownPrompt& p : prompts->shown)
        if (p.kind == "message")
            boxes << p.title;
    EXPECT_EQ(boxes, QStringList{"Copy Database?"});
    EXPECT_EQ(config::iniRead("Database", "LocalDatabaseFolder", folder + "/settings.ini"), upper);
    for (const QString& copy : {lower, upper}) {
        platform::DbConnection db;
        db.openFile(copy + "/ZAMO_Results.mdb", true);
        EXPECT_EQ(db.execute("SELECT LotNumber FROM TestGroups WHERE UniqueGroupID = 7").value(0).toString(), "Lot 7")
            << copy.toStdString();
    }
}

} // namespace
