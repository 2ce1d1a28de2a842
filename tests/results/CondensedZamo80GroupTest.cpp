#include "platform/DbError.h"
#include "results/CondensedZamo80Group.h"
#include "results/ResultsDatabase.h"
#include "results/RunRecordWriters.h"
#include "support/WriterFixture.h"

#include <QRegularExpression>

namespace {

class CondensedZamo80GroupTest : public WriterTest {
protected:
    // A ZAMO80 group numbered uniqueID whose GroupID differs from it (a
    // group stands before it), as after an archive.
    qint32 sourceGroup(qint32 uniqueID) const
    {
        auto db = openDirect();
        db->execute(QStringLiteral("INSERT INTO TestGroups (UniqueGroupID) VALUES (1)"));
        db->execute(QStringLiteral("INSERT INTO TestGroups (UniqueGroupID, Zamo80, DateExecuted) VALUES (%1, ?, "
                                   "'2026-03-02 09:00:00')")
                        .arg(uniqueID),
                    {platform::DbParameter{"@Zamo80", platform::DbType::Boolean, 0, true}});
        return static_cast<qint32>(db->lastInsertKey());
    }
    // One test of the group with the values and verdicts of one unit at one time point
    // (no interval: verdicts only); values "" and verdicts "" are left out.
    qint32 sourceTest(qint32 group, const QString& type, qint32 parent, const QString& start, bool show)
    {
        return results::recordTestStart(database, group, type, parent, start, show);
    }
    qint32 unitOf(qint32 test, qint16 unit, qint32 iteration)
    {
        return results::recordTestUnitStart(database, test, unit, iteration);
    }
    void readings(qint32 testUnit, const QString& interval, const QList<std::pair<QString, double>>& values)
    {
        qint32 row = 0;
        for (const auto& [letter, value] : values)
            row = results::recordMeasurement(database, row, testUnit, interval, letter, value, interval.toInt());
    }
    void verdicts(qint32 testUnit, const QList<std::pair<QString, QString>>& codes)
    {
        qint32 row = 0;
        for (const auto& [letter, code] : codes)
            row = results::recordResult(database, row, testUnit, letter, code);
    }

    // The condensed group as lines: per test (by parent) and unit, each
    // reading row "<parent> <type> u<unit>/<iteration> @<interval>: C=100 D=250"
    // and the verdict row "<parent> <type> u<unit>/<iteration>: C PASS, D PASS?".
    QStringList contents(qint32 group) const
    {
        auto db = openDirect();
        QStringList lines;
        for (platform::DbRecordset units = db->execute(
                 QStringLiteral("SELECT t.Zamo80ParentTestID, y.TypeName, t.ShowOnReport, u.* FROM Tests t JOIN "
                                "TestTypes y ON y.TypeID = t.TestTypeID JOIN TestUnit u ON u.TestID = t.TestID "
                                "WHERE t.GroupID = %1 ORDER BY t.Zamo80ParentTestID, u.TestUnitID")
                     .arg(group));
             !units.eof(); units.moveNext()) {
            const QString head =
                QStringLiteral("%1 %2%3 u%4/%5")
                    .arg(units.value("Zamo80ParentTestID").toInt())
                    .arg(units.value("TypeName").toString(), units.value("ShowOnReport").toBool() ? "" : " (hidden)")
                    .arg(units.value("UnitNumber").toInt())
                    .arg(units.value("Itteration").toInt());
            const QString unit = units.value("TestUnitID").toString();
            for (platform::DbRecordset m = db->execute("SELECT * FROM TestMeasurements WHERE TestUnitID = " + unit
                                                       + " ORDER BY MeasurementID");
                 !m.eof(); m.moveNext()) {
                QStringList values;
                for (char c = 'A'; c <= 'P'; ++c)
                    if (!m.value(QString(c) + "_Value").isNull())
                        values << QString(c) + "=" + QString::number(m.value(QString(c) + "_Value").toDouble());
                lines << head + " @" + m.value("TimeInterval").toString() + "/" + m.value("TimeIntervalInt").toString()
                             + ": " + values.join(' ');
            }
            for (platform::DbRecordset r = db->execute("SELECT * FROM TestResults WHERE TestUnitID = " + unit);
                 !r.eof(); r.moveNext()) {
                QStringList codes;
                for (char c = 'A'; c <= 'P'; ++c)
                    if (!r.value(QString(c) + "_Result").toString().isEmpty())
                        codes << QString(c) + " " + r.value(QString(c) + "_Result").toString();
                lines << head + ": " + codes.join(", ");
            }
        }
        return lines;
    }

    // A ZAMO80 run's group: the pre-check, where B1 is open and E1 lost its
    // reading to data errors (verdicts without a reading), a pace step on A1
    // and B1 with verdicts only, and an ACZ step on C1 and D1 whose two tests
    // both read C.
    qint32 exampleRun()
    {
        const qint32 group = sourceGroup(41);
        setLastUniqueGroupID(41);
        const qint32 preCheck = sourceTest(group, "ACZ", 1, "2026-03-02 09:00:00", false);
        const qint32 preCheckUnit = unitOf(preCheck, 1, 1);
        readings(preCheckUnit, "20", {{"A", 10}, {"C", 12}, {"D", 13}});
        verdicts(preCheckUnit, {{"A", "PASS"}, {"B", "FAIL_O"}, {"C", "PASS"}, {"D", "PASS"}, {"E", "ERR"}});
        // ACZ on C1, then on D1: both read C at 20 s; the first has no D.
        const qint32 aczC = sourceTest(group, "ACZ", 3, "2026-03-02 09:05:00", true);
        const qint32 aczCUnit = unitOf(aczC, 1, 1);
        readings(aczCUnit, "20", {{"C", 100}});
        verdicts(aczCUnit, {{"C", "PASS"}});
        const qint32 aczD = sourceTest(group, "ACZ", 3, "2026-03-02 09:06:00", false);
        const qint32 aczDUnit = unitOf(aczD, 1, 1);
        readings(aczDUnit, "20", {{"C", 999}, {"D", 250}});
        readings(aczDUnit, "40", {{"D", 260}});
        verdicts(aczDUnit, {{"C", "FAIL"}, {"D", "PASS?"}});
        verdicts(unitOf(aczD, 1, 2), {{"D", "FAIL_O"}});
        // Pace on A1 and B1: verdicts only, the later one overwrites letter by letter.
        const qint32 paceA = sourceTest(group, "PACE1", 2, "2026-03-02 09:01:00", true);
        verdicts(unitOf(paceA, 1, 1), {{"A", "PASS"}, {"B", ""}});
        const qint32 paceB = sourceTest(group, "PACE1", 2, "2026-03-02 09:02:00", true);
        verdicts(unitOf(paceB, 1, 1), {{"A", "FAIL"}, {"B", "PASS"}});
        return group;
    }
};

TEST_P(CondensedZamo80GroupTest, FoldsEachUserStepIntoOneTestFirstValueWinsAndItsVerdictFollows)
{
    const qint32 source = exampleRun();
    log.clear();
    const qint32 condensed = results::buildCondensedZamo80Group(database.requireConnection(), source);
    ASSERT_GT(condensed, 0);

    EXPECT_EQ(contents(condensed), (QStringList{
                                       "1 ACZ (hidden) u1/1 @20/20: A=10 C=12 D=13",
                                       "1 ACZ (hidden) u1/1: A PASS, B FAIL_O, C PASS, D PASS, E ERR",
                                       "2 PACE1 u1/1: A FAIL, B PASS",
                                       "3 ACZ u1/1 @20/20: C=100 D=250",
                                       "3 ACZ u1/1 @40/40: D=260",
                                       "3 ACZ u1/1: C PASS, D PASS?",
                                       "3 ACZ u1/2: D FAIL_O",
                                   }));
    // The condensed test takes the start of the step's first test.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Tests WHERE GroupID = %1 AND TestStartTime = "
                                    "(SELECT TestStartTime FROM Tests WHERE GroupID = %2 AND Zamo80ParentTestID = 3 "
                                    "ORDER BY TestID LIMIT 1)")
                         .arg(condensed)
                         .arg(source))
                  .toInt(),
              1);

    // The next group number, Zamo80, no dates; linked both ways, each link
    // holding what it names.
    EXPECT_EQ(scalar("SELECT LastUniqueGroupID FROM Globals WHERE ID = 1").toInt(), 42);
    auto db = openDirect();
    platform::DbRecordset row =
        db->execute(QStringLiteral("SELECT * FROM TestGroups WHERE GroupID = %1").arg(condensed));
    EXPECT_EQ(row.value("UniqueGroupID").toInt(), 42);
    EXPECT_TRUE(row.value("Zamo80").toBool());
    EXPECT_TRUE(row.value("DateExecuted").isNull());
    EXPECT_TRUE(row.value("DateCompleted").isNull());
    EXPECT_EQ(row.value("Zamo80CondensedID").toInt(), 41);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Zamo80CondensedID FROM TestGroups WHERE GroupID = %1").arg(source)).toInt(),
              condensed);
    EXPECT_EQ(results::condensedGroupOf(*db, source), condensed);
    EXPECT_EQ(results::sourceGroupOf(*db, condensed), source);
    EXPECT_EQ(results::condensedGroupOf(*db, condensed), 0);
    EXPECT_EQ(results::sourceGroupOf(*db, source), 0);

    // The build's two log lines, the time a bare number of milliseconds.
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].endsWith(" - Generating Condensed ZAMO80 Report")) << log[0].toStdString();
    EXPECT_TRUE(log[1].contains(QRegularExpression(" - Condensed report complete, \\d+$"))) << log[1].toStdString();
}

TEST_P(CondensedZamo80GroupTest, AFailureLeavesNoCondensedGroupAndNoLink)
{
    const qint32 source = exampleRun();
    auto db = openDirect();
    // The verdict rows, written last, fail.
    if (local()) {
        db->execute("CREATE TRIGGER refuse BEFORE INSERT ON TestResults BEGIN SELECT RAISE(ABORT, 'refused'); END");
    } else {
        db->execute("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ "
                    "LANGUAGE plpgsql");
        db->execute("CREATE TRIGGER refuse BEFORE INSERT ON TestResults FOR EACH ROW EXECUTE FUNCTION refuse()");
    }
    const int groups = rowCount("SELECT GroupID FROM TestGroups");
    const int tests = rowCount("SELECT TestID FROM Tests");
    const int units = rowCount("SELECT TestUnitID FROM TestUnit");
    const int measurements = rowCount("SELECT MeasurementID FROM TestMeasurements");

    EXPECT_THROW(results::buildCondensedZamo80Group(database.requireConnection(), source), platform::DbError);

    EXPECT_EQ(rowCount("SELECT GroupID FROM TestGroups"), groups);
    EXPECT_EQ(rowCount("SELECT TestID FROM Tests"), tests);
    EXPECT_EQ(rowCount("SELECT TestUnitID FROM TestUnit"), units);
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements"), measurements);
    EXPECT_TRUE(
        scalar(QStringLiteral("SELECT Zamo80CondensedID FROM TestGroups WHERE GroupID = %1").arg(source)).isNull());
    EXPECT_EQ(scalar("SELECT LastUniqueGroupID FROM Globals WHERE ID = 1").toInt(), 41);
    // The connection is usable again.
    EXPECT_GT(results::recordTestStart(database, source, "ACZ", 5, "", true), 0);
}

INSTANTIATE_ON_BOTH_BACKENDS(CondensedZamo80GroupTest);

} // namespace
