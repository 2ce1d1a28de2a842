// The local database file: never created by accident, foreign files
// recognised, read-only opens, the empty database built whole or not at all,
// statements stopped at a time limit, whole numbers read as stored.

#include "config/StationSettings.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "platform/Timer.h"
#include "results/ConnectionText.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "support/TempDataHome.h"
#include "support/WriteProtection.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

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
        platform::DbConnection c;
        try {
            c.openFile(file, readOnly);
        } catch (const platform::DbError& e) {
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
    const struct {
        const char* file;
        const char* says;
    } cases[] = {
        {"missing.mdb", "does not exist"},       {"notes.mdb", "not a database file"},
        {"empty.mdb", "not a database file"},    {"jet.mdb", "Jet database file"},
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
    ASSERT_FALSE(results::buildEmptyDatabase(path("r.mdb")).isEmpty());
    platform::DbConnection c;
    c.openFile(path("r.mdb"), true);
    EXPECT_EQ(c.execute("SELECT DBRevNumber FROM Version").value(0).toInt(), 14);
    EXPECT_THROW(c.execute("UPDATE Version SET DBRevNumber=15"), platform::DbError);
    EXPECT_THROW(platform::DbConnection().createFile(path("r.mdb")), platform::DbError)
        << "an existing file is never re-created";
}

TEST_F(LocalDatabaseFile, AClosedFileHoldsEveryRowByItself)
{
    ASSERT_FALSE(results::buildEmptyDatabase(path("live.mdb")).isEmpty());
    {
        platform::DbConnection c;
        c.openFile(path("live.mdb"), false);
        c.execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (5)");
    }
    // A copy of the file alone, as backups and archives make, has the row.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"live.mdb"});
    ASSERT_TRUE(QFile::copy(path("live.mdb"), path("copy.mdb")));
    platform::DbConnection copy;
    copy.openFile(path("copy.mdb"), true);
    EXPECT_EQ(copy.execute("SELECT UniqueGroupID FROM TestGroups").value(0).toInt(), 5);
}

// The station writes every run to its database: a file, or a folder for the
// journal, that cannot be written is refused at the open with the cause,
// while a read-only open (a report) still reads it.
TEST_F(LocalDatabaseFile, AFileOrFolderThatCannotBeWrittenIsRefusedForWriting)
{
    QDir().mkpath(path("shelf"));
    ASSERT_FALSE(results::buildEmptyDatabase(path("shelf/ZAMO_Results.mdb")).isEmpty());
    ASSERT_FALSE(results::buildEmptyDatabase(path("locked.mdb")).isEmpty());
    {
        ZAMO_WRITE_PROTECT(file, path("locked.mdb"));
        EXPECT_THAT(openError(path("locked.mdb"), false).toStdString(),
                    ::testing::MatchesRegex("Cannot open database \".*/locked.mdb\": the file is read-only \\(.*\\), "
                                            "and the station must write its results to it"));
        EXPECT_EQ(openError(path("locked.mdb"), true), QString());
    }
    {
        ZAMO_WRITE_PROTECT(folder, path("shelf"));
        EXPECT_THAT(openError(path("shelf/ZAMO_Results.mdb"), false).toStdString(),
                    ::testing::HasSubstr("its folder \"" + path("shelf").toStdString() + "\" cannot be written ("));
        EXPECT_EQ(openError(path("shelf/ZAMO_Results.mdb"), true), QString());
    }
    EXPECT_EQ(openError(path("locked.mdb"), false), QString()) << "writable again";
}

// A file that another program left in write-ahead mode becomes one file
// again; while that program keeps it open so, the station's rows are still
// folded into the file itself when it closes.
TEST_F(LocalDatabaseFile, AFileLeftInWriteAheadModeIsWrittenIntoItself)
{
    ASSERT_FALSE(results::buildEmptyDatabase(path("live.mdb")).isEmpty());
    const auto journalMode = [](platform::DbConnection& c) {
        return c.execute("PRAGMA journal_mode").value(0).toString();
    };
    {
        platform::DbConnection other;
        other.openFile(path("live.mdb"), false);
        other.execute("PRAGMA journal_mode = WAL");
        other.execute("SELECT COUNT(*) FROM TestGroups"); // it now reads through the log
        platform::DbConnection station;
        station.openFile(path("live.mdb"), false);
        EXPECT_EQ(journalMode(station), "wal") << "the other program still has it open";
        station.execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (7)");
        station.close();
        ASSERT_TRUE(QFile::copy(path("live.mdb"), path("copy1.mdb")));
    }
    platform::DbConnection copy;
    copy.openFile(path("copy1.mdb"), true);
    EXPECT_EQ(copy.execute("SELECT UniqueGroupID FROM TestGroups").value(0).toInt(), 7);

    platform::DbConnection station;
    station.openFile(path("live.mdb"), false);
    EXPECT_EQ(journalMode(station), "delete");
    station.close();
    EXPECT_EQ(QDir(folder()).entryList({"live.mdb*"}, QDir::Files | QDir::Hidden), QStringList{"live.mdb"});
}

// A statement on a connection with a time limit is stopped once it runs past
// it, whether its rows are read all at once or one at a time with other
// statements in between, and says so; the connection goes on.
TEST_F(LocalDatabaseFile, AStatementPastItsTimeLimitIsStoppedAndTheConnectionGoesOn)
{
    ASSERT_FALSE(results::buildEmptyDatabase(path("outside.mdb")).isEmpty());
    platform::DbConnection c;
    c.setStatementTimeLimit(300);
    c.openFile(path("outside.mdb"), true);
    const QString counting = "WITH RECURSIVE Counting(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM Counting) ";
    const auto stopped = [](const std::function<void()>& statement) {
        try {
            statement();
        } catch (const DbError& e) {
            EXPECT_TRUE(e.overTime()) << e.text().toStdString();
            return e.cause();
        }
        return QString("not stopped");
    };
    EXPECT_EQ(stopped([&] { c.execute(counting + "SELECT COUNT(*) FROM Counting"); }),
              "the query ran longer than 0.3 s and was stopped");
    EXPECT_EQ(c.execute("SELECT DBRevNumber FROM Version").value(0).toInt(), 14);

    // Three rows at once, then none for ever.
    platform::DbRowReader rows = c.read(counting + "SELECT n FROM Counting WHERE n <= 3 OR n < 0");
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(rows.next());
        EXPECT_EQ(rows.toInt(0), n);
        EXPECT_EQ(c.execute("SELECT COUNT(*) FROM TestGroups").value(0).toInt(), 0);
    }
    EXPECT_EQ(stopped([&] { rows.next(); }), "the query ran longer than 0.3 s and was stopped");
    EXPECT_EQ(c.execute("SELECT COUNT(*) FROM Version").value(0).toInt(), 1);
}

// A whole number is read as stored, beyond 32 bits too; a value that is no
// whole number, or does not fit the type asked for, is refused, never cut or
// rounded to another number.
TEST_F(LocalDatabaseFile, WholeNumbersAreReadAsStoredOrRefused)
{
    ASSERT_FALSE(results::buildEmptyDatabase(path("numbers.mdb")).isEmpty());
    platform::DbConnection c;
    c.openFile(path("numbers.mdb"), true);
    const std::optional<qint64> refused;
    const struct {
        const char* value;
        std::optional<qint64> as64;
        std::optional<qint64> as32;
    } cases[] = {
        {"7", 7, 7},
        {"-2147483648", -2147483648LL, -2147483648LL},
        {"2147483648", 2147483648LL, refused},
        {"99999999999", 99999999999LL, refused},
        {"15.0", 15, 15},
        {"'15'", 15, 15},
        {"NULL", 0, 0},
        {"14.5", refused, refused},
        {"1e20", refused, refused},
        {"'abc'", refused, refused},
        {"x'01'", refused, refused},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.value);
        platform::DbRowReader rows = c.read(QStringLiteral("SELECT %1").arg(t.value));
        ASSERT_TRUE(rows.next());
        if (t.as64)
            EXPECT_EQ(rows.toInt64(0), *t.as64);
        else
            EXPECT_THROW(rows.toInt64(0), DbError);
        if (t.as32)
            EXPECT_EQ(rows.toInt(0), *t.as32);
        else
            EXPECT_THROW(rows.toInt(0), DbError);
    }
}

TEST_F(LocalDatabaseFile, EmptyDatabaseIsBuiltWholeOrNotAtAll)
{
    // An existing file is replaced by a complete new one.
    write("ZAMO_Results.mdb", "old contents");
    ASSERT_EQ(results::buildEmptyDatabase(path("ZAMO_Results.mdb")), path("ZAMO_Results.mdb"));
    platform::DbConnection c;
    c.openFile(path("ZAMO_Results.mdb"), true);
    EXPECT_EQ(c.execute("SELECT COUNT(*) FROM TestTypes").value(0).toInt(), 11);
    c.close();

    // When the file cannot be put in place, nothing is left behind.
    QDir().mkpath(path("busy.mdb/inside"));
    EXPECT_EQ(results::buildEmptyDatabase(path("busy.mdb")), QString());
    EXPECT_EQ(results::buildEmptyDatabase(path("no/such/folder/ZAMO_Results.mdb")), QString());
    EXPECT_TRUE(QDir(path("busy.mdb/inside")).exists());
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"ZAMO_Results.mdb"});
}

TEST(ConnectionDescription, ServerSettingsAreSetOneByOneAndLoggedMasked)
{
    config::StationSettings settings;
    settings.database.serverHost = "bench-db";
    settings.database.serverInstance = "";
    settings.database.serverDatabaseName = "ZAMO_Results";
    settings.database.username = "station";
    settings.database.password = "se;cret";
    EXPECT_EQ(results::ConnectionDescription::serverText(settings.database),
              "server=bench-db;database=ZAMO_Results;uid=station;pwd=********;");
    const platform::DbServerAddress a = results::ConnectionDescription::serverAddress(settings.database);
    EXPECT_EQ(a.port, 0);
    EXPECT_EQ(a.password, "se;cret");
    EXPECT_EQ(a.connectTimeoutSeconds, 10);
    settings.database.serverInstance = "5433";
    EXPECT_EQ(results::ConnectionDescription::serverAddress(settings.database).port, 5433);
    EXPECT_EQ(results::ConnectionDescription::serverText(settings.database),
              "server=bench-db:5433;database=ZAMO_Results;uid=station;pwd=********;");
    settings.database.serverInstance = "SQLEXPRESS";
    EXPECT_THROW(results::ConnectionDescription::serverAddress(settings.database), platform::DbError);
}

} // namespace
