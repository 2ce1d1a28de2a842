// The local database file: never created by accident, foreign files
// recognised, read-only opens, the empty database built whole or not at all.

#include "core/Globals.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/ConnectionDescription.h"
#include "results/EmptyDatabase.h"
#include "results/modDatabase.h"
#include "support/TempDataHome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using platform::DbConnection;
using platform::DbError;

namespace {

class LocalDatabaseFile : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(folder()); }
    QString folder() const { return home.stationFolder(); }
    QString path(const QString& name) const { return folder() + "/" + name; }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QString openError(const QString& file, bool readOnly)
    {
        DbConnection c;
        try {
            c.openFile(file, readOnly);
        } catch (const DbError& e) {
            return e.text();
        }
        return {};
    }

    testsupport::TempDataHome home;
};

TEST_F(LocalDatabaseFile, FilesThatAreNotDatabasesAreRecognisedAndLeftAlone)
{
    write("notes.mdb", "These are not the rows you are looking for.\n");
    write("empty.mdb", "");
    write("jet.mdb", QByteArray("\0\x01\0\0Standard Jet DB\0", 20) + QByteArray(200, '\0'));
    write("damaged.mdb", QByteArray("SQLite format 3\0", 16) + QByteArray(2000, '\x55'));
    const struct { const char* file; const char* says; } cases[] = {
        {"missing.mdb", "does not exist"},
        {"notes.mdb", "not a database file"},
        {"empty.mdb", "not a database file"},
        {"jet.mdb", "Jet database file"},
        {"damaged.mdb", "Cannot open database"},
    };
    for (const auto& c : cases)
        for (bool readOnly : {true, false})
            EXPECT_THAT(openError(path(c.file), readOnly).toStdString(), ::testing::HasSubstr(c.says))
                << c.file << (readOnly ? " read-only" : " read-write");
    EXPECT_FALSE(QFile::exists(path("missing.mdb")));
    QFile notes(path("notes.mdb"));
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), "These are not the rows you are looking for.\n");
}

TEST_F(LocalDatabaseFile, ReadOnlyOpenCannotWrite)
{
    ASSERT_FALSE(modDatabase::BuildEmptyDatabase(path("r.mdb")).isEmpty());
    DbConnection c;
    c.openFile(path("r.mdb"), true);
    EXPECT_EQ(c.execute("SELECT DBRevNumber FROM Version").value(0).toInt(), 14);
    EXPECT_THROW(c.execute("UPDATE Version SET DBRevNumber=15"), DbError);
    EXPECT_THROW(DbConnection().createFile(path("r.mdb")), DbError) << "an existing file is never re-created";
}

TEST_F(LocalDatabaseFile, AClosedFileHoldsEveryRowByItself)
{
    ASSERT_FALSE(modDatabase::BuildEmptyDatabase(path("live.mdb")).isEmpty());
    {
        DbConnection c;
        c.openFile(path("live.mdb"), false);
        c.execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (5)");
    }
    // A copy of the file alone, as backups and archives make, has the row.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"live.mdb"});
    ASSERT_TRUE(QFile::copy(path("live.mdb"), path("copy.mdb")));
    DbConnection copy;
    copy.openFile(path("copy.mdb"), true);
    EXPECT_EQ(copy.execute("SELECT UniqueGroupID FROM TestGroups").value(0).toInt(), 5);
}

TEST_F(LocalDatabaseFile, EmptyDatabaseIsBuiltWholeOrNotAtAll)
{
    // An existing file is replaced by a complete new one.
    write("ZAMO_Results.mdb", "old contents");
    ASSERT_EQ(modDatabase::BuildEmptyDatabase(path("ZAMO_Results.mdb")), path("ZAMO_Results.mdb"));
    DbConnection c;
    c.openFile(path("ZAMO_Results.mdb"), true);
    EXPECT_EQ(c.execute("SELECT COUNT(*) FROM TestTypes").value(0).toInt(), 11);
    c.close();

    // When the file cannot be put in place, nothing is left behind.
    QDir().mkpath(path("busy.mdb/inside"));
    EXPECT_EQ(modDatabase::BuildEmptyDatabase(path("busy.mdb")), QString());
    EXPECT_EQ(modDatabase::BuildEmptyDatabase(path("no/such/folder/ZAMO_Results.mdb")), QString());
    EXPECT_TRUE(QDir(path("busy.mdb/inside")).exists());
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"ZAMO_Results.mdb"});
}

TEST(ConnectionDescription, ServerSettingsAreSetOneByOneAndLoggedMasked)
{
    Globals::SQLServerHost = "bench-db";
    Globals::SQLServerInstance = "";
    Globals::SQLServerDatabaseName = "ZAMO_Results";
    Globals::SQLUsername = "station";
    Globals::SQLPassword = "se;cret";
    EXPECT_EQ(ConnectionDescription::ServerText(), "server=bench-db;database=ZAMO_Results;uid=station;pwd=********;");
    const platform::DbServerAddress a = ConnectionDescription::ServerAddress();
    EXPECT_EQ(a.port, 0);
    EXPECT_EQ(a.password, "se;cret");
    EXPECT_EQ(a.connectTimeoutSeconds, 10);
    Globals::SQLServerInstance = "5433";
    EXPECT_EQ(ConnectionDescription::ServerAddress().port, 5433);
    EXPECT_EQ(ConnectionDescription::ServerText(), "server=bench-db:5433;database=ZAMO_Results;uid=station;pwd=********;");
    Globals::SQLServerInstance = "SQLEXPRESS";
    EXPECT_THROW(ConnectionDescription::ServerAddress(), DbError);
    Globals::SQLServerInstance = "";
    Globals::SQLPassword = "";
}

} // namespace
