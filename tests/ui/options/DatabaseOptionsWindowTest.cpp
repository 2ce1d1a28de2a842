// The database options window: new settings are tried with a real open before
// they are kept; only those that open reach settings.ini (seven keys, in their
// order) and run the database check again; a folder change offers the copy of
// the current database file; the connection test against the private server.

#include "config/StationSettings.h"
#include "platform/DbConnection.h"
#include "platform/IniFile.h"
#include "platform/ScriptedPrompts.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "support/PgTestDatabase.h"
#include "support/ServerDatabaseSettings.h"
#include "ui/options/DatabaseOptionsWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::MsgResult;

namespace {

class DatabaseOptionsWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString current = dir.filePath("current");
    QString other = dir.filePath("other");
    QString settingsFile = dir.filePath("settings.ini");
    config::StationSettings settings;
    results::ResultsDatabase database{settings};
    platform::ScriptedPrompts* prompts = nullptr;
    int checks = 0;
    std::unique_ptr<ui::DatabaseOptionsWindow> window;

    void SetUp() override
    {
        prompts = platform::ScriptedPrompts::installNew();
        settings.paths.settingsFile = settingsFile;
        settings.database.localDatabaseFolder = current;
        settings.paths.placeDatabase(current);
        QDir().mkpath(current);
        QDir().mkpath(other);
        ASSERT_FALSE(results::buildEmptyDatabase(settings.paths.databaseFile).isEmpty());
        {
            QFile ini(settingsFile);
            ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write("[Reports]\r\nPrintReport=0\r\n");
        }
        window = std::make_unique<ui::DatabaseOptionsWindow>(settings, database, [this] { ++checks; });
    }
    void TearDown() override
    {
        window.reset();
        database.closeDatabase();
    }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray databaseSection(bool local, const QString& host, const QString& instance, const QString& name,
                                      const QString& user, const QString& password, const QString& folder)
    {
        return QString("[Database]\r\nUseLocalDatabase=%1\r\nSQLServerHost=%2\r\nSQLServerInstance=%3\r\n"
                       "SQLServerDatabaseName=%4\r\nSQLUsername=%5\r\nSQLPassword=%6\r\nLocalDatabaseFolder=%7\r\n")
            .arg(local ? "1" : "0", host, instance, name, user, password, folder)
            .toUtf8();
    }
};

TEST_F(DatabaseOptionsWindowTest, ShowsTheSettingsInForceAndEnablesTheFieldsOfTheChosenKind)
{
    EXPECT_EQ(window->windowTitle(), "Database Options");
    EXPECT_TRUE(window->localDatabaseButton->isChecked());
    EXPECT_EQ(window->folderEdit->text(), current);
    EXPECT_EQ(window->databaseNameEdit->text(), "ZAMO_Results");
    EXPECT_TRUE(window->selectFolderButton->isEnabled());
    EXPECT_FALSE(window->serverHostEdit->isEnabled());
    EXPECT_TRUE(window->testStatusLabel->text().isEmpty());
    window->serverDatabaseButton->click();
    EXPECT_FALSE(window->selectFolderButton->isEnabled());
    for (QLineEdit* box : {window->serverHostEdit, window->serverInstanceEdit, window->databaseNameEdit,
                           window->usernameEdit, window->passwordEdit})
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_EQ(window->folderEdit->text(), current) << "the folder box stays as it was";
    EXPECT_EQ(window->passwordEdit->echoMode(), QLineEdit::Password);
}

TEST_F(DatabaseOptionsWindowTest, SavingWritesTheSevenKeysInOrderAndRunsTheCheckAgain)
{
    window->serverHostEdit->setText("bench-server");
    window->usernameEdit->setText("tester");
    window->saveButton->click();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(bytes(settingsFile),
              "[Reports]\r\nPrintReport=0\r\n"
                  + databaseSection(true, "bench-server", "", "ZAMO_Results", "tester", "", current));
    EXPECT_EQ(settings.database.serverHost, "bench-server");
    EXPECT_NE(database.sharedConnection(), nullptr) << "the test open stays for the check";
    EXPECT_TRUE(prompts->shown.isEmpty());
}

// Folders are told apart as the file system tells them: letter case counts,
// a spelling of the same folder does not.
TEST_F(DatabaseOptionsWindowTest, AFolderIsAChangeWhenTheFileSystemHoldsItApart)
{
    QDir().mkpath(dir.filePath("CURRENT"));
    ASSERT_TRUE(QFile::link(current, dir.filePath("link")));
    const struct {
        QString choice;
        bool change;
    } cases[] = {
        {current, false},
        {current + "/", false},
        {dir.filePath("other/../current"), false},
        {dir.filePath("link"), false}, // a link to the folder in use
        {dir.filePath("CURRENT"), true},
        {dir.filePath("Current"), true}, // not there yet
        {other, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice.toStdString());
        database.closeDatabase();
        settings.database.localDatabaseFolder = current;
        settings.paths.placeDatabase(current);
        window = std::make_unique<ui::DatabaseOptionsWindow>(settings, database, [this] { ++checks; });
        prompts->shown.clear();
        prompts->fileAnswers = {c.choice};
        prompts->messageAnswers = {MsgResult::Cancel};
        window->selectFolderButton->click();
        EXPECT_EQ(window->folderEdit->text(), c.choice);
        ASSERT_TRUE(window->save());
        QStringList boxes;
        for (const platform::ShownPrompt& p : prompts->shown)
            if (p.kind == "message")
                boxes << p.title;
        EXPECT_EQ(boxes, c.change ? QStringList{"Copy Database?"} : QStringList());
    }
}

TEST_F(DatabaseOptionsWindowTest, ANewFolderOffersTheCopyOfTheCurrentFile)
{
    const QString copyOffer = "A new database folder has been specified.  Click OK to copy the current database to "
                              "the new location, \r\nor click CANCEL to load the database found in the new "
                              "location.  If no database is found, a new blank database file will be created.";
    const QString currentFile = settings.paths.databaseFile;
    const QString otherFile = other + "/ZAMO_Results.mdb";
    {
        platform::DbConnection db;
        db.openFile(currentFile, false);
        db.execute("CREATE TABLE Marker (Id INTEGER)");
    }

    // Cancel: the new folder gets a new, empty database, as the prompt says.
    prompts->fileAnswers = {other};
    prompts->messageAnswers = {MsgResult::Cancel};
    window->selectFolderButton->click();
    ASSERT_TRUE(window->save());
    EXPECT_EQ(prompts->messages(), QStringList{copyOffer});
    EXPECT_EQ(prompts->shown.last().title, "Copy Database?");
    EXPECT_EQ(database.getDBRevNumber(otherFile), 14);
    EXPECT_EQ(settings.paths.databaseFile, otherFile);
    EXPECT_TRUE(bytes(settingsFile).endsWith("LocalDatabaseFolder=" + other.toUtf8() + "\r\n"));

    // OK: the file in force (now the new, empty one) is copied over the
    // marked one there.
    database.closeDatabase();
    window->load();
    prompts->shown.clear();
    prompts->fileAnswers = {current};
    prompts->messageAnswers = {MsgResult::Ok};
    const QByteArray otherBytes = bytes(otherFile);
    window->selectFolderButton->click();
    ASSERT_TRUE(window->save());
    EXPECT_EQ(prompts->messages(), QStringList{copyOffer});
    EXPECT_EQ(bytes(currentFile), otherBytes);
    EXPECT_EQ(settings.paths.databaseFile, currentFile);
    EXPECT_EQ(checks, 2);
}

TEST_F(DatabaseOptionsWindowTest, AFailedCopyReloadsTheOriginalDatabase)
{
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unreachable = dir.filePath("blocked/db");
    prompts->fileAnswers = {unreachable};
    prompts->messageAnswers = {MsgResult::Ok, MsgResult::Ok};
    window->selectFolderButton->click();
    ASSERT_TRUE(window->save());
    ASSERT_EQ(prompts->messages().size(), 2);
    EXPECT_EQ(prompts->messages()[1], "Error copying database file to " + unreachable
                                          + "/ZAMO_Results.mdb.\r\nReloading original database.\r\n\r\n"
                                            "[Error #20 - Not a directory]");
    EXPECT_EQ(settings.paths.databaseFile, current + "/ZAMO_Results.mdb");
    EXPECT_EQ(settings.database.localDatabaseFolder, current + "/");
    EXPECT_TRUE(bytes(settingsFile).endsWith("LocalDatabaseFolder=" + current.toUtf8() + "/\r\n"));
}

// What is saved is what was tested: a text that settings.ini would give
// back otherwise is refused before anything is tried, the operator told
// which box and why, and the connection, the settings and the file stay as
// they were. Up to 255 characters, inner blanks included, are kept.
TEST_F(DatabaseOptionsWindowTest, ATextThatSettingsWouldNotKeepAsTypedIsRefused)
{
    const QString blank = "it begins or ends with a blank, which the file does not keep";
    const QString tooLong = "it is longer than 255 characters, of which the file keeps only the first 255";
    const QString longFolder = dir.filePath(QString(295 - dir.path().size(), 'f'));
    ASSERT_EQ(longFolder.size(), 296);
    const struct {
        QLineEdit* box;
        QString text;
        const char* label;
        QString why;
    } cases[] = {
        {window->passwordEdit, "secret ", "Password", blank},
        {window->passwordEdit, QString(300, 'p'), "Password", tooLong},
        {window->usernameEdit, " zamo", "Username", blank},
        {window->databaseNameEdit, QString(256, 'd'), "Database", tooLong},
        {window->folderEdit, other + " ", "Folder Path", blank},
        {window->folderEdit, longFolder, "Folder Path", tooLong},
        {window->serverHostEdit, "bench\nserver", "Server IP/Hostname",
         "it holds a line break, which the file cannot hold"},
    };
    ASSERT_TRUE(database.openDatabase(false));
    const QByteArray before = bytes(settingsFile);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        window->load();
        prompts->shown.clear();
        c.box->setText(c.text);
        EXPECT_FALSE(window->save());
        EXPECT_EQ(prompts->messages(), QStringList{QString("The text in \"%1\" cannot be saved in settings.ini as "
                                                           "typed: %2.\r\nNothing was saved.")
                                                       .arg(c.label, c.why)});
        EXPECT_EQ(prompts->shown.last().title, "Database Options");
        EXPECT_EQ(bytes(settingsFile), before);
        EXPECT_EQ(settings.database.localDatabaseFolder, current);
        EXPECT_EQ(settings.database.password, "");
        EXPECT_NE(database.sharedConnection(), nullptr) << "the connection in use stays open";
        EXPECT_EQ(checks, 0);
    }

    window->load();
    prompts->shown.clear();
    window->usernameEdit->setText(QString(255, 'u'));
    window->passwordEdit->setText("pass word");
    ASSERT_TRUE(window->save());
    EXPECT_TRUE(prompts->shown.isEmpty());
    EXPECT_EQ(platform::IniFile::read(settingsFile, "Database", "SQLUsername"), QString(255, 'u'));
    EXPECT_EQ(platform::IniFile::read(settingsFile, "Database", "SQLPassword"), "pass word");
}

class ServerOptionsTest : public DatabaseOptionsWindowTest {
protected:
    void SetUp() override
    {
        DatabaseOptionsWindowTest::SetUp();
        ZAMO_REQUIRE_PG_TEST_SERVER();
        server = std::make_unique<testsupport::PgTestDatabase>();
        config::DatabaseSettings made;
        testsupport::useServerDatabase(made, server->address());
        window->serverDatabaseButton->click();
        window->serverHostEdit->setText(made.serverHost);
        window->serverInstanceEdit->setText(made.serverInstance);
        window->databaseNameEdit->setText(made.serverDatabaseName);
        window->usernameEdit->setText(made.username);
        window->passwordEdit->setText(made.password);
        serverSettings = made;
    }
    void TearDown() override
    {
        database.closeDatabase();
        DatabaseOptionsWindowTest::TearDown();
        server.reset();
    }
    std::unique_ptr<testsupport::PgTestDatabase> server;
    config::DatabaseSettings serverSettings;
};

TEST_F(ServerOptionsTest, AWrongPasswordKeepsEverythingAsItWas)
{
    const QByteArray before = bytes(settingsFile);
    window->passwordEdit->setText(serverSettings.password + "-wrong");
    window->saveButton->click();
    EXPECT_EQ(window->testStatusLabel->text(), "Database connection failed!");
    EXPECT_EQ(bytes(settingsFile), before);
    EXPECT_TRUE(settings.database.useLocalDatabase);
    EXPECT_EQ(settings.database.serverHost, "");
    EXPECT_EQ(settings.paths.databaseFile, current + "/ZAMO_Results.mdb");
    EXPECT_EQ(checks, 0);
    EXPECT_EQ(window->result(), QDialog::Rejected) << "the window stays";
    ASSERT_TRUE(database.openDatabase(false)) << "the station keeps using the local file";
    EXPECT_EQ(database.sharedConnection()->backend(), platform::DbBackend::SQLite);
}

TEST_F(ServerOptionsTest, ALoginThatOpensIsSaved)
{
    window->saveButton->click();
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(settings.database.useLocalDatabase);
    ASSERT_NE(database.sharedConnection(), nullptr);
    EXPECT_EQ(database.sharedConnection()->backend(), platform::DbBackend::PostgreSQL);
    EXPECT_TRUE(bytes(settingsFile)
                    .endsWith(databaseSection(false, serverSettings.serverHost, serverSettings.serverInstance,
                                              serverSettings.serverDatabaseName, serverSettings.username,
                                              serverSettings.password, current)));
}

} // namespace
