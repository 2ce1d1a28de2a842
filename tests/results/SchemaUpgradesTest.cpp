// The schema steps: every older revision, on a database file and on a
// server, rises step by step to exactly the schema of a new database, its
// rows kept; each step moves its bar through its fixed values and logs; a
// step that fails leaves the database as it was.

#include "platform/DbError.h"
#include "results/ResultsSchema.h"
#include "results/SchemaUpgrades.h"
#include "support/DatabaseCatalogue.h"
#include "support/OldRevisionDatabase.h"
#include "support/RecordingUpkeepObserver.h"
#include "support/ScratchDatabase.h"

#include <gtest/gtest.h>

using platform::DbBackend;
using platform::DbConnection;
using results::SchemaUpgrades;
using testsupport::RecordingUpkeepObserver;
using testsupport::ScratchDatabase;

namespace {

struct OldRevision {
    platform::DbBackend backend;
    int revision;
};

std::string name(const ::testing::TestParamInfo<OldRevision>& info)
{
    return (info.param.backend == platform::DbBackend::SQLite ? "SQLite_Rev" : "PostgreSQL_Rev")
           + std::to_string(info.param.revision);
}

void PrintTo(const OldRevision& r, std::ostream* os)
{
    *os << (r.backend == platform::DbBackend::SQLite ? "SQLite" : "PostgreSQL") << " revision " << r.revision;
}

bool local(platform::DbBackend backend)
{
    return backend == platform::DbBackend::SQLite;
}

std::string catalogue(platform::DbConnection& db)
{
    return testsupport::databaseCatalogue(db).toStdString();
}

// The catalogue of a new database at the current revision.
std::string newDatabaseCatalogue(platform::DbBackend backend)
{
    ScratchDatabase fresh(backend);
    auto db = fresh.connect();
    results::ResultsSchema::create(*db, results::ResultsSchema::CurrentRevision);
    return catalogue(*db);
}

int Revision(platform::DbConnection& db)
{
    return db.execute("SELECT DBRevNumber FROM Version WHERE ID=1").value(0).toInt();
}

int count(platform::DbConnection& db, const QString& sql)
{
    return db.execute(sql).value(0).toInt();
}

// Runs the steps from the revision up, a server's one per start as the station does.
bool upgradeFrom(results::SchemaUpgrades& upgrades, platform::DbBackend backend, int revision)
{
    if (local(backend))
        return upgrades.upgradeLocalFrom(revision);
    for (int next = revision + 1; next <= results::ResultsSchema::CurrentRevision; ++next)
        if (!upgrades.upgradeServerTo(next))
            return false;
    return true;
}

class EveryOldRevision : public ::testing::TestWithParam<OldRevision> {
protected:
    void SetUp() override
    {
        if (!local(GetParam().backend))
            ZAMO_REQUIRE_PG_TEST_SERVER();
    }
};

TEST_P(EveryOldRevision, RisesStepByStepToTheSchemaOfANewDatabaseWithItsRowsKept)
{
    const auto [backend, revision] = GetParam();
    ScratchDatabase old(backend);
    auto db = old.connect();
    testsupport::buildOldRevisionDatabase(*db, revision, {30});
    const QString seeded = testsupport::seededRowsText(*db, revision);
    ASSERT_NE(catalogue(*db), newDatabaseCatalogue(backend)) << "the old schema differs from the new one";

    RecordingUpkeepObserver observer;
    results::SchemaUpgrades upgrades(*db, observer);
    ASSERT_TRUE(upgradeFrom(upgrades, backend, revision)) << observer.logLines.join("\n").toStdString();

    QStringList expectedLog;
    for (int next = revision + 1; next <= results::ResultsSchema::CurrentRevision; ++next)
        expectedLog << (local(backend) ? "Database upgrade to Rev " : "SQL Database upgrade to Rev ")
                           + QString::number(next);
    EXPECT_EQ(observer.logLines, expectedLog);
    EXPECT_EQ(observer.events.count("shown"), expectedLog.size());
    EXPECT_EQ(observer.events.count("closed"), expectedLog.size());

    auto reopened = old.connect();
    EXPECT_EQ(catalogue(*reopened), newDatabaseCatalogue(backend));
    EXPECT_EQ(Revision(*reopened), 15);
    EXPECT_EQ(testsupport::seededRowsText(*reopened, revision), seeded);
    // What the steps fill in: group numbers (from 7), the sort field of the lot (from 14), the report flag (from 12).
    EXPECT_EQ(count(*reopened, "SELECT COUNT(*) FROM TestGroups WHERE UniqueGroupID = GroupID"), 30);
    EXPECT_EQ(count(*reopened, "SELECT LastUniqueGroupID FROM Globals WHERE ID=1"), 30);
    if (revision < 14) {
        EXPECT_EQ(count(*reopened, "SELECT COUNT(*) FROM TestGroups WHERE LotNumberSortField = LotNumber"), 30);
    }
    if (revision < 12) {
        EXPECT_EQ(count(*reopened,
                        "SELECT COUNT(*) FROM Tests WHERE ShowOnReport = " + reopened->dialect().booleanLiteral(true)),
                  60);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Upgrades, EveryOldRevision,
    ::testing::Values(OldRevision{platform::DbBackend::SQLite, 6}, OldRevision{platform::DbBackend::SQLite, 7},
                      OldRevision{platform::DbBackend::SQLite, 8}, OldRevision{platform::DbBackend::SQLite, 9},
                      OldRevision{platform::DbBackend::SQLite, 10}, OldRevision{platform::DbBackend::SQLite, 11},
                      OldRevision{platform::DbBackend::SQLite, 12}, OldRevision{platform::DbBackend::SQLite, 13},
                      OldRevision{platform::DbBackend::SQLite, 14}, OldRevision{platform::DbBackend::PostgreSQL, 13},
                      OldRevision{platform::DbBackend::PostgreSQL, 14}),
    name);

QStringList events(const char* spaced)
{
    return QString(spaced).split(' ', Qt::SkipEmptyParts);
}

TEST(SchemaSteps, EachMovesItsBarThroughItsOwnValues)
{
    const struct {
        int revision;
        const char* events;
    } steps[] = {
        {7, "shown 10 turn 20 turn 30 turn 40 turn 90 100 closed"},
        {8, "shown 30 turn 60 turn 90 100 closed"},
        {9, "shown 30 turn 90 turn 100 closed"},
        {10, "shown 10 100 closed"},
        {11, "shown 10 closed"},
        {12, "shown 10 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 30 50 100 closed"},
        {13, "shown 10 closed"},
        {14, "shown 10 closed"},
        {15, "shown 10 75 100 closed"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.revision);
        ScratchDatabase scratch(platform::DbBackend::SQLite);
        auto db = scratch.connect();
        testsupport::buildOldRevisionDatabase(*db, step.revision - 1, {3});
        RecordingUpkeepObserver observer;
        ASSERT_TRUE(SchemaUpgrades(*db, observer).upgradeLocalTo(step.revision));
        EXPECT_EQ(observer.events, events(step.events)
                                       << "log: Database upgrade to Rev " + QString::number(step.revision));
    }
}

TEST(SchemaSteps, ServerStepsMoveTheirBarsThroughTheirOwnValues)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    ScratchDatabase scratch(platform::DbBackend::PostgreSQL);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 13, {3});
    RecordingUpkeepObserver observer;
    results::SchemaUpgrades upgrades(*db, observer);
    ASSERT_TRUE(upgrades.upgradeServerTo(14));
    EXPECT_EQ(observer.events, events("shown 10 50 75 100 closed") << "log: SQL Database upgrade to Rev 14");
    observer.clear();
    ASSERT_TRUE(upgrades.upgradeServerTo(15));
    EXPECT_EQ(observer.events, events("shown 10 35 70 100 closed") << "log: SQL Database upgrade to Rev 15");
    // Columns that are whole-second dates already stay so.
    observer.clear();
    db->execute("UPDATE Version SET DBRevNumber=14 WHERE ID=1");
    EXPECT_TRUE(upgrades.upgradeServerTo(15)) << observer.logLines.join("\n").toStdString();
    EXPECT_EQ(Revision(*db), 15);
}

// The step to 7 numbers the groups in batches: one at every (count / 50)th
// GroupID, each raising the bar by one and letting the message loop run with
// the rows up to it written; 50 groups or fewer go in one write at the end.
TEST(SchemaSteps, GroupNumberingWritesItsBatchesAsTheBarRises)
{
    const struct {
        int groups;
        int batches; // turns of the message loop after the bar reached 40
    } cases[] = {{1000, 50}, {30, 0}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.groups);
        ScratchDatabase scratch(platform::DbBackend::SQLite);
        auto db = scratch.connect();
        testsupport::buildOldRevisionDatabase(*db, 6, {c.groups, 1, 1});
        RecordingUpkeepObserver observer;
        QList<int> numberedAtTurn;
        observer.whileEventsRun = [&] {
            numberedAtTurn << count(*db,
                                    "SELECT COALESCE(MAX(GroupID), 0) FROM TestGroups WHERE UniqueGroupID IS NOT NULL");
        };
        ASSERT_TRUE(SchemaUpgrades(*db, observer).upgradeLocalTo(7));

        QList<int> values = {10, 20, 30, 40};
        QList<int> numbered = {0, 0, 0, 0};
        for (int b = 1; b <= c.batches; ++b) {
            values << 40 + b;
            numbered << b * 20;
        }
        values << 90 << 100;
        EXPECT_EQ(observer.values, values);
        EXPECT_EQ(numberedAtTurn, numbered);
        EXPECT_EQ(count(*db, "SELECT COUNT(*) FROM TestGroups WHERE UniqueGroupID = GroupID"), c.groups);
        EXPECT_EQ(count(*db, "SELECT LastUniqueGroupID FROM Globals WHERE ID=1"), c.groups);
    }
}

TEST(SchemaSteps, ATableMadeAgainHandsOutNoKeyASecondTime)
{
    ScratchDatabase scratch(platform::DbBackend::SQLite);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 12, {30});
    db->execute("DELETE FROM TestGroups WHERE GroupID = 30");
    RecordingUpkeepObserver observer;
    ASSERT_TRUE(SchemaUpgrades(*db, observer).upgradeLocalTo(13)); // makes TestGroups again
    db->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (31)");
    EXPECT_EQ(db->lastInsertKey(), 31);
}

TEST(SchemaSteps, AStepThatFailsLeavesTheFileExactlyAsItWas)
{
    ScratchDatabase scratch(platform::DbBackend::SQLite);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 7, {40});
    // A column that the step to 8 adds is there already: its second table
    // fails, after the groups' table got new columns and was made again.
    db->execute("ALTER TABLE UnitMasterDiagnostics ADD COLUMN Zamo8030kPeak DOUBLE");
    const std::string shape = catalogue(*db);
    const QString rows = testsupport::seededRowsText(*db, 7);

    RecordingUpkeepObserver observer;
    EXPECT_FALSE(SchemaUpgrades(*db, observer).upgradeLocalFrom(7));
    ASSERT_EQ(observer.logLines.size(), 1);
    EXPECT_TRUE(observer.logLines[0].startsWith("Database upgrade to Rev 8 failed; the database is left at Rev 7 as it "
                                                "was: "))
        << observer.logLines[0].toStdString();
    EXPECT_EQ(observer.events.mid(0, 3), events("shown 30 turn"));
    EXPECT_EQ(observer.events.count("closed"), 1);

    auto reopened = scratch.connect();
    EXPECT_EQ(catalogue(*reopened), shape);
    EXPECT_EQ(testsupport::seededRowsText(*reopened, 7), rows);
    EXPECT_EQ(Revision(*reopened), 7);
}

// Asked to stop at a turn of the message loop (the station is being ended),
// a step is rolled back whole and no later step begins.
TEST(SchemaSteps, AStepAskedToStopAtATurnLeavesTheFileExactlyAsItWas)
{
    ScratchDatabase scratch(platform::DbBackend::SQLite);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 7, {40});
    const std::string shape = catalogue(*db);
    const QString rows = testsupport::seededRowsText(*db, 7);

    RecordingUpkeepObserver observer;
    // The step to 8 turns the loop first after its groups' table was made again.
    observer.whileEventsRun = [&] { observer.stop = true; };
    EXPECT_FALSE(SchemaUpgrades(*db, observer).upgradeLocalFrom(7));
    EXPECT_EQ(observer.events,
              events("shown 30 turn closed")
                  << "log: Database upgrade to Rev 8 stopped; the database is left at Rev 7 as it was");

    auto reopened = scratch.connect();
    EXPECT_EQ(catalogue(*reopened), shape);
    EXPECT_EQ(testsupport::seededRowsText(*reopened, 7), rows);
    EXPECT_EQ(Revision(*reopened), 7);
}

TEST(SchemaSteps, AServerStepThatFailsLeavesTheDatabaseAsItWas)
{
    ZAMO_REQUIRE_PG_TEST_SERVER();
    ScratchDatabase scratch(platform::DbBackend::PostgreSQL);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 14, {5});
    db->execute("ALTER TABLE UnitElectrodes DROP COLUMN P_CalibrationDate"); // the last date column
    const std::string shape = catalogue(*db);
    RecordingUpkeepObserver observer;
    EXPECT_FALSE(SchemaUpgrades(*db, observer).upgradeServerTo(15));
    EXPECT_EQ(observer.events.mid(0, 4), events("shown 10 35 70"));
    EXPECT_TRUE(observer.logLines.value(0).startsWith("SQL Database upgrade to Rev 15 failed"));
    auto reopened = scratch.connect();
    EXPECT_EQ(catalogue(*reopened), shape);
    EXPECT_EQ(Revision(*reopened), 14);
}

TEST(SchemaSteps, AStepRefusesAClosedConnectionOrTheOtherKindOfDatabase)
{
    ScratchDatabase scratch(platform::DbBackend::SQLite);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 13);
    RecordingUpkeepObserver observer;
    results::SchemaUpgrades upgrades(*db, observer);
    EXPECT_FALSE(upgrades.upgradeServerTo(14));
    EXPECT_TRUE(observer.logLines.value(0).contains("for a server database"))
        << observer.logLines.value(0).toStdString();
    EXPECT_FALSE(upgrades.upgradeLocalTo(16));
    EXPECT_FALSE(upgrades.upgradeLocalFrom(3));
    db->close();
    observer.clear();
    EXPECT_FALSE(upgrades.upgradeLocalTo(14));
    EXPECT_EQ(observer.events.first(), "shown");
    EXPECT_EQ(observer.events.count("closed"), 1);
    EXPECT_TRUE(observer.logLines.value(0).contains("The database connection is closed"));
    EXPECT_FALSE(upgrades.columnExists("TestGroups", "GroupID"));
    EXPECT_FALSE(upgrades.repairLegacyDemoModeColumn());
}

TEST(LegacyDemoModeColumn, MovesTheFlagToItsNewColumnOrLeavesAFileWithoutItAlone)
{
    ScratchDatabase scratch(platform::DbBackend::SQLite);
    auto db = scratch.connect();
    testsupport::buildOldRevisionDatabase(*db, 10, {30}, true);
    RecordingUpkeepObserver observer;
    results::SchemaUpgrades upgrades(*db, observer);
    ASSERT_TRUE(upgrades.columnExists("TestGroups", "VadovMode"));
    EXPECT_FALSE(upgrades.columnExists("TestGroups", "DemoMode"));
    EXPECT_FALSE(upgrades.columnExists("NoSuchTable", "GroupID"));

    ASSERT_TRUE(upgrades.repairLegacyDemoModeColumn());
    EXPECT_EQ(observer.events, events("shown 10 30 60 100 closed") << "log: Legacy column VadovMode moved to DemoMode");
    EXPECT_FALSE(upgrades.columnExists("TestGroups", "VadovMode"));
    EXPECT_EQ(count(*db, "SELECT COUNT(*) FROM TestGroups WHERE DemoMode = 1"), 10);
    EXPECT_EQ(count(*db, "SELECT COUNT(*) FROM TestGroups WHERE DemoMode = 1 AND GroupID % 3 = 0"), 10);

    // Repaired, the file is an ordinary revision-10 file.
    observer.clear();
    EXPECT_TRUE(upgrades.repairLegacyDemoModeColumn());
    EXPECT_TRUE(observer.events.isEmpty());
    ASSERT_TRUE(upgrades.upgradeLocalFrom(10));
    EXPECT_EQ(catalogue(*db), newDatabaseCatalogue(platform::DbBackend::SQLite));
}

TEST(NoiseTypeUnits, TheNoiseAxisTextIsSetBackAndNothingElseChanges)
{
    ScratchDatabase scratch(platform::DbBackend::SQLite);
    auto db = scratch.connect();
    results::ResultsSchema::create(*db, results::ResultsSchema::CurrentRevision);
    const std::string fresh = catalogue(*db);
    db->execute("UPDATE TestTypes SET TypeMeasurementUnits='Amplitude (uV)' WHERE TypeID=5");
    db->execute("UPDATE TestTypes SET TypeMeasurementUnits='Offset' WHERE TypeID=1");
    RecordingUpkeepObserver observer;
    results::SchemaUpgrades upgrades(*db, observer);
    upgrades.fixNoiseTypeUnits();
    EXPECT_EQ(db->execute("SELECT TypeMeasurementUnits FROM TestTypes WHERE TypeID=5").value(0).toString(),
              "Amplitude (uVpp)");
    EXPECT_EQ(db->execute("SELECT TypeMeasurementUnits FROM TestTypes WHERE TypeID=1").value(0).toString(), "Offset");
    db->execute("UPDATE TestTypes SET TypeMeasurementUnits='DCO (mV)' WHERE TypeID=1");
    EXPECT_EQ(catalogue(*db), fresh);
    EXPECT_TRUE(observer.events.isEmpty());

    db->close();
    upgrades.fixNoiseTypeUnits();
    EXPECT_TRUE(observer.logLines.value(0).startsWith("The NOISE test type's units could not be reset"));
}

} // namespace
