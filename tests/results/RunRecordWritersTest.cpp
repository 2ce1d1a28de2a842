#include "platform/Clock.h"
#include "platform/OleDate.h"
#include "results/ReadingRows.h"
#include "results/RunRecordWriters.h"
#include "results/TestGroupEnd.h"
#include "results/TestGroupLookups.h"
#include "support/WriterFixture.h"

namespace {

class RunRecordWritersTest : public WriterTest {
protected:
    qint32 insertGroup(qint32 uniqueID) const
    {
        auto db = openDirect();
        db->execute(
            QStringLiteral("INSERT INTO TestGroups (UniqueGroupID, DateExecuted) VALUES (%1, '2026-03-01 08:30:00')")
                .arg(uniqueID));
        return static_cast<qint32>(db->lastInsertKey());
    }
    QVariant field(const QString& table, const QString& column, const QString& key, qint32 id) const
    {
        return scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(column, table, key).arg(id));
    }
};

TEST_P(RunRecordWritersTest, MeasurementRowsAreSharedByTimeInterval)
{
    const qint32 first = results::recordMeasurement(database, 0, 7, "20", "A", 1.5, 20);
    ASSERT_GT(first, 0);
    EXPECT_EQ(logCount(QStringLiteral("Measurement recorded, ID = %1: Electrode A, 1.5").arg(first)), 1);
    // A second electrode at the same label fills the same row; the same letter again replaces its value.
    EXPECT_EQ(results::recordMeasurement(database, first, 8, "20", "B", 2.5, 99), first);
    EXPECT_EQ(results::recordMeasurement(database, first, 8, "20", "B", 3.25, 99), first);
    // A new label makes a new row.
    const qint32 second = results::recordMeasurement(database, first, 7, "40", "A", 4, 40);
    EXPECT_NE(second, first);
    EXPECT_GT(second, 0);

    auto db = openDirect();
    platform::DbRecordset rows = db->execute("SELECT * FROM TestMeasurements ORDER BY MeasurementID");
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value("TestUnitID").toInt(), 7);
    EXPECT_EQ(rows.value("TimeInterval").toString(), "20");
    EXPECT_EQ(rows.value("TimeIntervalInt").toInt(), 20);
    EXPECT_EQ(rows.value("A_Value").toDouble(), 1.5);
    EXPECT_EQ(rows.value("B_Value").toDouble(), 3.25);
    rows.moveNext();
    EXPECT_EQ(rows.value("TimeInterval").toString(), "40");
    EXPECT_TRUE(rows.value("B_Value").isNull());
}

TEST_P(RunRecordWritersTest, ResultRowsAreSharedByTheirKeyAlone)
{
    const qint32 row = results::recordResult(database, 0, 11, "C", "PASS?");
    ASSERT_GT(row, 0);
    EXPECT_EQ(results::recordResult(database, row, 12, "D", "FAIL_O"), row);
    EXPECT_EQ(logCount(QStringLiteral("Result recorded, ID = %1: Electrode C, PASS?").arg(row)), 1);
    EXPECT_EQ(logCount(QStringLiteral("Result recorded, ID = %1: Electrode D, FAIL_O").arg(row)), 1);
    EXPECT_EQ(field("TestResults", "TestUnitID", "ResultID", row).toInt(), 11);
    EXPECT_EQ(field("TestResults", "D_Result", "ResultID", row).toString(), "FAIL_O");
    EXPECT_EQ(rowCount("SELECT ResultID FROM TestResults"), 1);
}

TEST_P(RunRecordWritersTest, TestAndTestUnitRows)
{
    const qint32 sdr = results::recordTestStart(database, 3, "SDR", 2, "", false);
    const qint32 unknown = results::recordTestStart(database, 3, "XYZ", 0, "2026-01-05 10:11:12", true);
    EXPECT_EQ(logCount(QStringLiteral("Test Started, ID = %1").arg(sdr)), 1);
    EXPECT_EQ(field("Tests", "TestTypeID", "TestID", sdr).toInt(), 3);
    EXPECT_EQ(field("Tests", "TestTypeID", "TestID", unknown).toInt(), 0);
    EXPECT_FALSE(field("Tests", "ShowOnReport", "TestID", sdr).toBool());
    EXPECT_EQ(field("Tests", "Zamo80ParentTestID", "TestID", sdr).toInt(), 2);
    auto db = openDirect();
    EXPECT_EQ(db->execute("SELECT TestStartTime FROM Tests WHERE TestID = " + QString::number(sdr))
                  .dateValue("TestStartTime"),
              platform::Clock::now());
    EXPECT_EQ(db->execute("SELECT TestStartTime FROM Tests WHERE TestID = " + QString::number(unknown))
                  .dateValue("TestStartTime"),
              QDateTime(QDate(2026, 1, 5), QTime(10, 11, 12)));

    const qint32 unit = results::recordTestUnitStart(database, sdr, 2, 4);
    EXPECT_EQ(logCount(QStringLiteral("Test By Unit Started, ID = %1").arg(unit)), 1);
    EXPECT_EQ(field("TestUnit", "Itteration", "TestUnitID", unit).toInt(), 4);
    EXPECT_EQ(field("TestUnit", "UnitNumber", "TestUnitID", unit).toInt(), 2);
    EXPECT_EQ(field("TestUnit", "TestID", "TestUnitID", unit).toInt(), sdr);
}

TEST_P(RunRecordWritersTest, PacePropertiesOfOneUnitShareOneRow)
{
    const qint32 row = results::recordPaceProperties(database, 9, 2, "A", "ROLLED", 5.5, 60, 1.5);
    EXPECT_GT(row, 0);
    EXPECT_EQ(results::recordPaceProperties(database, 9, 2, "C", "", 6, 70, 2), 0);
    EXPECT_GT(results::recordPaceProperties(database, 9, 1, "C", "", 6, 70, 2), row);
    auto db = openDirect();
    platform::DbRecordset unit2 =
        db->execute("SELECT * FROM Zamo24PaceProperties WHERE GroupID = 9 AND UnitNumber = 2");
    ASSERT_EQ(unit2.recordCount(), 1);
    EXPECT_EQ(unit2.value("A_PaceRoll").toString().trimmed(), "ROLLED");
    EXPECT_EQ(unit2.value("A_PaceAmplitude").toDouble(), 5.5);
    EXPECT_EQ(unit2.value("C_PaceRate").toDouble(), 70);
    EXPECT_EQ(unit2.value("C_PacePulseWidth").toDouble(), 2);
}

TEST_P(RunRecordWritersTest, UnitDiagnosticsInBothColumnSets)
{
    const QVector<QVariant> zamo80{0, 1.5, 31.2, 5.01, 4.98, -5.02, true, true, 12.5, "Z80-2.1"};
    const qint32 a = results::recordUnitDiagnostics(database, 1, 4, zamo80, true);
    const QVector<QVariant> base{0, 2, 30, 5, 5, -5, false, true, false, "B-1.0"};
    const qint32 b = results::recordUnitDiagnostics(database, 2, 4, base, false);
    EXPECT_EQ(results::recordUnitDiagnostics(database, 1, 4, zamo80.mid(0, 9), true), 0);
    auto db = openDirect();
    platform::DbRecordset rows = db->execute("SELECT * FROM UnitMasterDiagnostics ORDER BY UnitMasterDiagnosticsID");
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value("UnitMasterDiagnosticsID").toInt(), a);
    EXPECT_EQ(rows.value("10HzPeak").toDouble(), 1.5);
    EXPECT_TRUE(rows.value("Zamo80LidClosed").toBool());
    EXPECT_EQ(rows.value("Zamo8030kPeak").toDouble(), 12.5);
    EXPECT_EQ(rows.value("FirmwareVersion").toString(), "Z80-2.1");
    rows.moveNext();
    EXPECT_EQ(rows.value("UnitMasterDiagnosticsID").toInt(), b);
    EXPECT_EQ(rows.value("UnitNumber").toInt(), 2);
    EXPECT_TRUE(rows.value("200vOnWorking").toBool());
    EXPECT_FALSE(rows.value("200vOffWorking").toBool());
    EXPECT_FALSE(rows.value("5VRWorking").toBool());
}

TEST_P(RunRecordWritersTest, ALetterOutsideAToPIsRefusedBeforeAnyStatement)
{
    for (const QString bad : {"Q", "a", "A_Value = 0, B", ""}) {
        EXPECT_THROW(results::recordMeasurement(database, 0, 1, "20", bad, 1, 20), platform::DbError)
            << bad.toStdString();
        EXPECT_THROW(results::recordResult(database, 0, 1, bad, "PASS"), platform::DbError);
        EXPECT_THROW(results::recordPaceProperties(database, 1, 1, bad, "", 0, 0, 0), platform::DbError);
    }
    EXPECT_EQ(rowCount("SELECT MeasurementID FROM TestMeasurements"), 0);
    EXPECT_EQ(rowCount("SELECT ResultID FROM TestResults"), 0);
    EXPECT_EQ(logCount("recorded, ID"), 0);
}

// A row whose owner was never created (no group, test or test unit: key 0)
// belongs to no run. Nothing is written, 0 comes back, and the log names
// the row; a reading written beside it with its test unit is stored.
TEST_P(RunRecordWritersTest, RowsThatBelongToNoRunAreRefusedAndLogged)
{
    EXPECT_EQ(results::recordTestStart(database, 0, "ACZ", 0, "", true), 0);
    EXPECT_EQ(results::recordTestUnitStart(database, 0, 1, 1), 0);
    EXPECT_EQ(results::recordMeasurement(database, 0, 0, "20", "A", 1.5, 20), 0);
    EXPECT_EQ(results::recordResult(database, 0, 0, "A", "ERR"), 0);
    EXPECT_EQ(results::recordPaceProperties(database, 0, 1, "A", "Rolled", 10, 1, 2), 0);
    const QVector<QVariant> diagnostics{0, 1, 2, 3, 4, 5, true, true, 7, "010.10"};
    EXPECT_EQ(results::recordUnitDiagnostics(database, 1, 0, diagnostics, true), 0);
    auto db = openDirect();
    results::ReadingRow orphan;
    orphan.kind = results::ReadingRow::Kind::Result;
    orphan.set("B", "PASS");
    results::ReadingRow owned = orphan;
    owned.testUnitID = 9;
    const QList<qint32> keys = results::recordReadingRows(*db, {orphan, owned});
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys[0], 0);
    EXPECT_GT(keys[1], 0);

    for (const char* table : {"Tests", "TestUnit", "TestMeasurements", "Zamo24PaceProperties", "UnitMasterDiagnostics"})
        EXPECT_EQ(rowCount(QStringLiteral("SELECT * FROM %1").arg(table)), 0) << table;
    EXPECT_EQ(rowCount("SELECT * FROM TestResults"), 1);
    for (const char* line :
         {"ACZ test not recorded: it belongs to no test group", "Test of Unit #1 not recorded: it belongs to no test",
          "Measurement of Electrode A not recorded: it belongs to no test unit",
          "Result of Electrode A, ERR not recorded: it belongs to no test unit",
          "Pace settings of Electrode A not recorded: it belongs to no test group",
          "Diagnostics of Unit #1 not recorded: it belongs to no test group",
          "Result of Electrode B, PASS not recorded: it belongs to no test unit"})
        EXPECT_EQ(logCount(line), 1) << line;
    EXPECT_EQ(logCount("Test Started, ID = 0"), 0);
    EXPECT_EQ(logCount("Result recorded, ID = 0"), 0);
}

TEST_P(RunRecordWritersTest, CompletionCancellationAndLookups)
{
    qint32 id = 0;
    for (int i = 1; i <= 5; ++i)
        id = insertGroup(100 + i);
    ASSERT_EQ(id, 5);
    const QDateTime done(QDate(2026, 3, 2), QTime(10, 0));
    ASSERT_TRUE(database.openDatabase(false));
    const int linesBefore = log.size();
    groupEnds.completeTestGroup(5, done);
    ASSERT_EQ(log.size(), linesBefore + 1);
    EXPECT_TRUE(log.last().endsWith("Test Group ID = 5 complete"));
    EXPECT_TRUE(field("TestGroups", "Completed", "GroupID", 5).toBool());
    EXPECT_EQ(
        openDirect()->execute("SELECT DateCompleted FROM TestGroups WHERE GroupID = 5").dateValue("DateCompleted"),
        done);

    groupEnds.cancelTestGroup(4);
    EXPECT_EQ(logCount("Test Group ID = 4 cancelled"), 1);
    EXPECT_TRUE(field("TestGroups", "Cancelled", "GroupID", 4).toBool());
    EXPECT_FALSE(field("TestGroups", "Cancelled", "GroupID", 5).toBool());

    EXPECT_EQ(results::getUniqueGroupID(database, 5), 105);
    EXPECT_EQ(results::getUniqueGroupID(database, 77), 0);
    EXPECT_EQ(results::getGroupDateExecuted(database, 5), QDateTime(QDate(2026, 3, 1), QTime(8, 30)));
    EXPECT_THROW(results::getGroupDateExecuted(database, 77), platform::DbError);
    EXPECT_EQ(results::getTestTypeName(database, 1), "DCO");
}

TEST_P(RunRecordWritersTest, CompletionFailureIsLoggedNotRaised)
{
    openDirect()->execute("DROP TABLE TestGroups");
    EXPECT_NO_THROW(groupEnds.completeTestGroup(1, platform::Clock::now()));
    EXPECT_EQ(logCount("dbTestGroupComplete "), 1);
    EXPECT_EQ(logCount("Test Group ID = 1 complete"), 0);
}

TEST_P(RunRecordWritersTest, WithoutConnectionNothingIsWritten)
{
    pointAtUnreachableDatabase();
    EXPECT_EQ(results::recordTestStart(database, 1, "ACZ", 0, "", true), 0);
    EXPECT_EQ(results::recordTestUnitStart(database, 1, 1, 1), 0);
    EXPECT_EQ(results::recordMeasurement(database, 0, 1, "20", "A", 2, 20), 0);
    EXPECT_EQ(results::recordResult(database, 0, 1, "A", "PASS"), 0);
    EXPECT_EQ(results::recordPaceProperties(database, 1, 1, "A", "", 0, 0, 0), 0);
    EXPECT_EQ(results::getUniqueGroupID(database, 1), 0);
    EXPECT_EQ(results::getGroupDateExecuted(database, 1), platform::OleDate().toDateTime());
    EXPECT_EQ(results::getTestTypeName(database, 1), "");
    EXPECT_NO_THROW(groupEnds.cancelTestGroup(1));
    EXPECT_EQ(logCount("Test Started, ID = 0"), 1);
    EXPECT_EQ(logCount("Measurement recorded, ID = 0: Electrode A, 2"), 1);
    EXPECT_EQ(logCount("cancelled"), 0);
}

INSTANTIATE_ON_BOTH_BACKENDS(RunRecordWritersTest);

} // namespace
