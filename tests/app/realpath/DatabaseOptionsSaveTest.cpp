// Database Options as an operator uses them on the station's own start-up,
// with settings.ini gone when Save comes: a log-on or folder that settings.ini
// would give back otherwise is refused with the reason and nothing is saved;
// what is saved is what was tested, in a settings.ini made again for its
// owner alone, and the next start uses exactly that.

#include "platform/DbConnection.h"
#include "platform/IniFile.h"
#include "support/FakeSerialTree.h"
#include "support/PgTestDatabase.h"
#include "support/QtPrinters.h"
#include "support/ServerDatabaseSettings.h"
#include "support/StationHarness.h"
#include "ui/options/DatabaseOptionsWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace {

class DatabaseOptionsSave : public ::testing::Test {
protected:
    // What the operator does in the window.
    using Operator = std::function<void(ui::DatabaseOptionsWindow&)>;

    QString ini() const { return station->dataFolder() + "/settings.ini"; }

    // Starts the station and takes its settings.ini away, as another
    // program or a careless hand might while it runs.
    void startAndLoseTheSettingsFile()
    {
        ASSERT_TRUE(station->start());
        ASSERT_TRUE(QFile::remove(ini()));
        station->prompts().shown.clear();
    }

    // "Database Options..." from the File menu, the operator's work in it,
    // and the window's end.
    void useDatabaseOptions(const Operator& work)
    {
        bool shown = false;
        station->whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<ui::DatabaseOptionsWindow*>(modal);
            if (!window)
                return;
            shown = true;
            work(*window);
            if (window->isVisible())
                window->reject();
        });
        ASSERT_TRUE(station->choose("Database Options..."));
        ASSERT_TRUE(shown);
    }

    // Clicks Save; what the window's own message said (empty when none).
    QString save(ui::DatabaseOptionsWindow& window)
    {
        const qsizetype before = station->prompts().shown.size();
        window.saveButton->click();
        QStringList said;
        for (const platform::ShownPrompt& p : station->prompts().shown.mid(before))
            if (p.title == "Database Options")
                said << p.text;
        return said.join("\n");
    }

    static QString refusal(const QString& box, const QString& why)
    {
        return "The text in \"" + box + "\" cannot be saved in settings.ini as typed: " + why
               + ".\r\nNothing was saved.";
    }

    // The [Database] keys as the file on disk holds them.
    std::map<QString, QString> databaseKeys() const
    {
        std::map<QString, QString> keys;
        for (const char* key : {"UseLocalDatabase", "SQLServerHost", "SQLServerInstance", "SQLServerDatabaseName",
                                "SQLUsername", "SQLPassword", "LocalDatabaseFolder"})
            keys[key] = platform::IniFile::read(ini(), "Database", key);
        return keys;
    }
    QFile::Permissions mode() const { return QFile::permissions(ini()) & QFile::Permissions(0x7077); }

    // The station ended and started again on its data folder.
    void startAgain()
    {
        const std::shared_ptr<testsupport::TempDataHome> home = station->home();
        station.reset();
        station = std::make_unique<testsupport::StationHarness>(testsupport::StationHarness::RealTime{}, home);
        ASSERT_TRUE(station->start());
    }

    static constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;
    static constexpr const char* Blank = "it begins or ends with a blank, which the file does not keep";
    static constexpr const char* TooLong =
        "it is longer than 255 characters, of which the file keeps only the first 255";

    testsupport::FakeSerialTree tree; // no units
    std::unique_ptr<testsupport::StationHarness> station =
        std::make_unique<testsupport::StationHarness>(testsupport::StationHarness::RealTime{});
};

// A login role of the test's own on the server, dropped at the end.
class ServerRole {
public:
    ServerRole(const platform::DbServerAddress& server, const QString& name, const QString& password)
        : m_server(server), m_name(name)
    {
        m_server.database = QStringLiteral("postgres");
        run(QStringLiteral("DROP ROLE IF EXISTS %1").arg(m_name));
        run(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(m_name, password));
    }
    ~ServerRole()
    {
        try {
            run(QStringLiteral("DROP ROLE IF EXISTS %1").arg(m_name));
        } catch (...) {
        }
    }
    ServerRole(const ServerRole&) = delete;
    ServerRole& operator=(const ServerRole&) = delete;

    void run(const QString& sql) const
    {
        platform::DbConnection db;
        db.openServer(m_server);
        db.execute(sql);
    }

private:
    platform::DbServerAddress m_server;
    QString m_name;
};

// A server role whose password ends with a blank: settings.ini would keep
// it without, so Save refuses it, as it refuses one of 300 characters, and
// keeps nothing. Once the role's password is one the file keeps, Save tests
// it, makes settings.ini again for its owner alone with the log-on as typed,
// and the next start logs on with it.
TEST_F(DatabaseOptionsSave, AServerLogOnIsSavedAsItWasTestedOrRefused)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    std::unique_ptr<ServerRole> owner; // outlives its database
    const testsupport::PgTestDatabase results;
    const QString roleName = "bench_" + results.name();
    owner = std::make_unique<ServerRole>(results.address(), roleName, "bench pass ");
    const ServerRole& role = *owner;
    role.run("ALTER DATABASE " + results.name() + " OWNER TO " + roleName);
    platform::DbServerAddress address = results.address();
    address.user = roleName;
    address.password = "bench pass ";
    {
        config::DatabaseSettings made;
        testsupport::useServerDatabase(made, address); // the schema, made by the role
    }

    startAndLoseTheSettingsFile();
    if (HasFatalFailure())
        return;
    QStringList told;
    useDatabaseOptions([&](ui::DatabaseOptionsWindow& window) {
        window.serverDatabaseButton->click();
        window.serverHostEdit->setText(address.host);
        window.serverInstanceEdit->setText(QString::number(address.port));
        window.databaseNameEdit->setText(address.database);
        window.usernameEdit->setText(roleName);
        window.passwordEdit->setText("bench pass ");
        told << save(window);
        window.passwordEdit->setText(QString(300, 'p'));
        told << save(window);
        told << (QFile::exists(ini()) ? "settings.ini made" : "");

        role.run("ALTER ROLE " + roleName + " PASSWORD 'bench pass'");
        window.passwordEdit->setText("bench pass");
        told << save(window);
    });
    EXPECT_EQ(told, (QStringList{refusal("Password", Blank), refusal("Password", TooLong), "", ""}));
    EXPECT_TRUE(station->logText().contains("Loading SQL Database"));

    ASSERT_TRUE(QFile::exists(ini()));
    EXPECT_EQ(mode(), OwnerOnly);
    EXPECT_EQ(databaseKeys(), (std::map<QString, QString>{
                                  {"UseLocalDatabase", "0"},
                                  {"SQLServerHost", address.host},
                                  {"SQLServerInstance", QString::number(address.port)},
                                  {"SQLServerDatabaseName", address.database},
                                  {"SQLUsername", roleName},
                                  {"SQLPassword", "bench pass"},
                                  {"LocalDatabaseFolder", station->stationSettings().database.localDatabaseFolder},
                              }));

    startAgain();
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(station->prompts().messages().isEmpty()) << station->prompts().messages().join("\n").toStdString();
    EXPECT_EQ(station->stationSettings().database.password, "bench pass");
    ASSERT_TRUE(station->station().database.openDatabase(false));
    EXPECT_EQ(station->station().database.sharedConnection()->backend(), platform::DbBackend::PostgreSQL);
    EXPECT_EQ(mode(), OwnerOnly);
    station->station().database.closeDatabase();
}

// A folder whose name ends with a blank, and one of 296 characters, are
// refused with the reason; the folder with the blank inside its name is
// tested, saved as chosen in a settings.ini made again for its owner
// alone, and the next start keeps its results there.
TEST_F(DatabaseOptionsSave, ALocalFolderIsSavedAsItWasTestedOrRefused)
{
    const QString base = station->home()->path();
    const QString trailing = base + "/bench data ";
    const QString inner = base + "/bench data";
    QString deep = base;
    while (deep.size() < 296)
        deep += "/" + QString(std::min<qsizetype>(100, 295 - deep.size()), 'f');
    ASSERT_EQ(deep.size(), 296);
    for (const QString& folder : {trailing, inner, deep})
        ASSERT_TRUE(QDir().mkpath(folder));

    startAndLoseTheSettingsFile();
    if (HasFatalFailure())
        return;
    const QString startFile = station->stationSettings().paths.databaseFile;
    QStringList told;
    useDatabaseOptions([&](ui::DatabaseOptionsWindow& window) {
        station->prompts().fileAnswers = {trailing};
        window.selectFolderButton->click();
        told << save(window);
        window.folderEdit->setText(deep);
        told << save(window);
        told << (QFile::exists(ini()) ? "settings.ini made" : "");
        told << (station->stationSettings().paths.databaseFile == startFile ? "" : "another database in use");

        station->prompts().fileAnswers = {inner};
        station->prompts().messageAnswers = {platform::MsgResult::Cancel}; // no copy: a new, empty database
        window.selectFolderButton->click();
        told << save(window);
    });
    EXPECT_EQ(told, (QStringList{refusal("Folder Path", Blank), refusal("Folder Path", TooLong), "", "", ""}));
    EXPECT_EQ(station->prompts().shown.last().title, "Copy Database?");
    EXPECT_EQ(station->stationSettings().paths.databaseFile, inner + "/ZAMO_Results.mdb");

    ASSERT_TRUE(QFile::exists(ini()));
    EXPECT_EQ(mode(), OwnerOnly);
    EXPECT_EQ(databaseKeys()["LocalDatabaseFolder"], inner);
    EXPECT_EQ(databaseKeys()["UseLocalDatabase"], "1");

    startAgain();
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(station->prompts().messages().isEmpty()) << station->prompts().messages().join("\n").toStdString();
    EXPECT_EQ(station->stationSettings().paths.databaseFile, inner + "/ZAMO_Results.mdb");
    EXPECT_TRUE(QFile::exists(inner + "/ZAMO_Results.mdb"));
    EXPECT_TRUE(QDir(trailing).isEmpty());
    EXPECT_TRUE(QDir(deep).isEmpty());
    EXPECT_EQ(mode(), OwnerOnly);
}

} // namespace
