#include "platform/DbError.h"
#include "results/SqliteRowChunks.h"
#include "results/SqliteTableRebuild.h"
#include "support/ScratchDatabase.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using platform::DbBackend;
using platform::DbParameter;

class SqliteRowsInRanges : public ::testing::Test {
protected:
    testsupport::ScratchDatabase scratch{DbBackend::SQLite};
    std::unique_ptr<platform::DbConnection> db = scratch.connect();

    qint64 scalar(const QString& sql) { return db->execute(sql).value(0).toLongLong(); }
};

// Every row is reached once, in rowid order, never more rows between two
// turns than a range holds, whatever the keys and the range size.
TEST_F(SqliteRowsInRanges, ReachEveryRowOnceWithATurnAfterEachRange)
{
    db->execute("CREATE TABLE Rows (ID INTEGER PRIMARY KEY, Seen INTEGER DEFAULT 0, SeenAt INTEGER)");
    const QList<qint64> keys{std::numeric_limits<qint64>::min(), -5, 1, 2, 3, 10, 11, 1000, 1001,
                             std::numeric_limits<qint64>::max()};
    for (qint64 key : keys)
        db->execute(QStringLiteral("INSERT INTO Rows (ID) VALUES (%1)").arg(key));

    for (int size : {1, 2, 3, 4, 9, 10, 100}) {
        SCOPED_TRACE(size);
        db->execute("UPDATE Rows SET Seen = 0, SeenAt = NULL");
        int turns = 0;
        qint64 seenBefore = 0;
        results::runInRowidRanges(
            *db, "Rows", "UPDATE Rows SET Seen = Seen + 1, SeenAt = ? WHERE %1 AND SeenAt IS NULL",
            {DbParameter::fromValue(0)},
            [&] {
                const qint64 seen = scalar("SELECT COUNT(*) FROM Rows WHERE Seen > 0");
                EXPECT_LE(seen - seenBefore, size);
                EXPECT_GT(seen, seenBefore);
                seenBefore = seen;
                db->execute("UPDATE Rows SET SeenAt = ? WHERE Seen > 0 AND SeenAt = 0",
                            {DbParameter::fromValue(++turns)});
            },
            size);
        db->execute("UPDATE Rows SET SeenAt = ? WHERE SeenAt = 0",
                    {DbParameter::fromValue(turns + 1)}); // the last range
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM Rows WHERE Seen = 1"), keys.size());
        EXPECT_GE(turns, (keys.size() - 1) / size);
        // The rows of an earlier range all have lower keys than those of a later one.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM Rows a JOIN Rows b ON a.ID < b.ID WHERE a.SeenAt > b.SeenAt"), 0);
    }
}

class SqliteTableRebuild : public SqliteRowsInRanges {
protected:
    static constexpr int Rows = results::RowsPerChunk * 2 + 7;

    void SetUp() override
    {
        db->execute("CREATE TABLE Readings (ReadingID INTEGER PRIMARY KEY AUTOINCREMENT, UnitID INTEGER, "
                    "Value DOUBLE DEFAULT 0)");
        db->execute("CREATE INDEX Readings_UnitID on Readings (UnitID)");
        db->transaction();
        for (int i = 0; i < Rows; ++i)
            db->execute("INSERT INTO Readings (UnitID, Value) VALUES (?, ?)",
                        {DbParameter::fromValue(i % 7), DbParameter::fromValue(i * 0.5)});
        db->execute("DELETE FROM Readings WHERE ReadingID = ?",
                    {DbParameter::fromValue(Rows)}); // a key handed out once
        db->commit();
    }

    QList<results::SqliteColumn> withoutDefault()
    {
        QList<results::SqliteColumn> columns = results::sqliteColumns(*db, "Readings");
        for (results::SqliteColumn& column : columns)
            column.defaultValue.clear();
        return columns;
    }

    QString rowsText()
    {
        return db
            ->execute("SELECT group_concat(ReadingID || ':' || UnitID || ':' || Value, ',') FROM "
                      "(SELECT * FROM Readings ORDER BY ReadingID)")
            .value(0)
            .toString();
    }
    QString indexText()
    {
        return db->execute("SELECT group_concat(name || ' ' || tbl_name, ',') FROM sqlite_master WHERE type = 'index'")
            .value(0)
            .toString();
    }
};

TEST_F(SqliteTableRebuild, CopiesInRangesKeepingRowsIndexesAndTheNextKey)
{
    const QString rows = rowsText();
    int turns = 0;
    db->transaction();
    results::rebuildSqliteTable(*db, "Readings", withoutDefault(), [&] { ++turns; });
    db->commit();

    EXPECT_GE(turns, 2);
    EXPECT_EQ(rowsText(), rows);
    EXPECT_EQ(indexText(), "Readings_UnitID Readings");
    EXPECT_EQ(results::sqliteColumns(*db, "Readings").at(2).defaultValue, "");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Readings INDEXED BY Readings_UnitID WHERE UnitID = 3"), (Rows - 1 + 3) / 7);
    db->execute("INSERT INTO Readings (UnitID) VALUES (1)");
    EXPECT_EQ(db->lastInsertKey(), Rows + 1);
}

TEST_F(SqliteTableRebuild, AFailureBetweenRangesLeavesTheTableAsItWasOnceRolledBack)
{
    const QString rows = rowsText();
    db->transaction();
    EXPECT_THROW(results::rebuildSqliteTable(*db, "Readings", withoutDefault(),
                                             [] { throw platform::DbError("the disk is full"); }),
                 platform::DbError);
    db->rollback();

    EXPECT_EQ(rowsText(), rows);
    EXPECT_EQ(indexText(), "Readings_UnitID Readings");
    EXPECT_EQ(results::sqliteColumns(*db, "Readings").at(2).defaultValue, "0");
}

} // namespace
