// The access layer on both back ends: typed positional parameters, rows by
// index and name, new keys per connection, batch update, text dump.

#include "platform/DbCommand.h"
#include "platform/DbError.h"
#include "support/DatabaseBackendFixture.h"

using platform::DbDialect;
using platform::DbError;
using platform::DbParameter;
using platform::DbType;

namespace {

using AccessLayer = DatabaseBackendTest;

qint64 identity(platform::DbConnection& db)
{
    return db.execute("SELECT @@IDENTITY as ID").value("ID").toLongLong();
}

TEST_P(AccessLayer, ParametersAreBoundByPositionWithTheirTypes)
{
    auto db = openDirect();
    const QString lot = "Lot 7; it's \"quoted\" ? and long " + QString(300, 'x');
    db->execute("INSERT INTO TestGroups (UniqueGroupID, LotNumber, Zamo80, DCOLimit, DateExecuted, "
                "TestLimitString) VALUES (?, ?, ?, ?, ?, ?)",
                {{"UniqueGroupID", platform::DbType::Integer, 0, 42},
                 {"LotNumber", platform::DbType::LongVarChar, -1, lot},
                 {"Zamo80", platform::DbType::Boolean, 0, true},
                 {"DCOLimit", platform::DbType::Double, 0, 100.25},
                 {"DateExecuted", platform::DbType::Date, 0, QDateTime(QDate(2026, 3, 2), QTime(9, 1, 2))},
                 {"TestLimitString", platform::DbType::VarChar, 250, QVariant()}});
    auto rs = db->execute("SELECT UniqueGroupID, LotNumber, Zamo80, DCOLimit, TestLimitString FROM TestGroups "
                          "WHERE UniqueGroupID = ?",
                          {{"id", platform::DbType::Integer, 0, 42}});
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0).toInt(), 42);
    EXPECT_EQ(rs.value("lotnumber").toString(), lot); // names in any letter case
    EXPECT_EQ(rs.value("Zamo80"), QVariant(true));
    EXPECT_DOUBLE_EQ(rs.value("DCOLimit").toDouble(), 100.25);
    EXPECT_TRUE(rs.value("TestLimitString").isNull());
    EXPECT_THROW(rs.value("NoSuchField"), platform::DbError);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.value(0), platform::DbError);
}

TEST_P(AccessLayer, BadParameterValuesAreRefusedAndNothingIsWritten)
{
    auto db = openDirect();
    const QList<QList<platform::DbParameter>> refused = {
        {{"TestLimitString", platform::DbType::VarChar, 250, QString(251, 'x')},
         {"n", platform::DbType::Integer, 0, 1}},
        {{"TestLimitString", platform::DbType::VarChar, 250, "ok"}, {"n", platform::DbType::Integer, 0, "twelve"}},
        {{"TestLimitString", platform::DbType::VarChar, 250, "ok"}, {"n", platform::DbType::Integer, 0, 5000000000LL}},
    };
    for (const auto& params : refused)
        EXPECT_THROW(db->execute("INSERT INTO TestGroups (TestLimitString, UniqueGroupID) VALUES (?, ?)", params),
                     platform::DbError);
    EXPECT_THROW(db->execute("INSERT INTO TestGroups (DateExecuted) VALUES (?)",
                             {{"d", platform::DbType::Date, 0, "next Tuesday"}}),
                 platform::DbError);
    EXPECT_EQ(db->execute("SELECT COUNT(*) FROM TestGroups").value(0).toInt(), 0);
    // A text of exactly the size fits.
    db->execute("INSERT INTO TestGroups (TestLimitString) VALUES (?)",
                {{"TestLimitString", platform::DbType::VarChar, 250, QString(250, 'y')}});
    EXPECT_EQ(db->execute("SELECT TestLimitString FROM TestGroups").value(0).toString().size(), 250);
}

TEST_P(AccessLayer, NewKeyIsTheLastInsertOfThisConnection)
{
    auto db = openDirect();
    auto other = openDirect();
    EXPECT_EQ(identity(*db), 0);
    db->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (1)");
    db->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (2)");
    EXPECT_EQ(identity(*db), 2);
    db->execute("INSERT INTO Tests (GroupID) VALUES (2)");
    EXPECT_EQ(identity(*db), 1) << "the key of the table inserted into last";
    other->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (3)");
    EXPECT_EQ(identity(*other), 3);
    EXPECT_EQ(identity(*db), 1) << "another connection's insert does not change this one's key";
    db->execute("INSERT INTO TestUnit (UnitNumber, TestID, Itteration) VALUES (1, 1, 0);");
    EXPECT_EQ(db->lastInsertKey(), 1);
    EXPECT_EQ(db->execute("select @@identity").value(0).toLongLong(), 1);
    db->execute("UPDATE TestGroups SET Notes='n'");
    EXPECT_EQ(identity(*db), 1) << "statements other than INSERT leave the key";
}

TEST_P(AccessLayer, BatchUpdateWritesEveryChangedRow)
{
    auto db = openDirect();
    for (int i = 0; i < 5; ++i)
        db->execute("INSERT INTO TestGroups (Notes) VALUES ('x')");
    auto rs = db->execute("SELECT * FROM TestGroups ORDER BY GroupID");
    rs.setUpdateTarget("TestGroups", "GroupID");
    for (; !rs.eof(); rs.moveNext())
        rs.setValue("UniqueGroupID", rs.value("GroupID").toInt() * 10);
    rs.moveFirst();
    rs.setValue("Cancelled", true);
    EXPECT_TRUE(rs.hasPendingChanges());
    rs.updateBatch(*db);
    EXPECT_FALSE(rs.hasPendingChanges());
    EXPECT_EQ(
        db->execute("SELECT GroupID, UniqueGroupID, Cancelled FROM TestGroups ORDER BY GroupID").getString(",", ";"),
        "1,10,True;2,20,False;3,30,False;4,40,False;5,50,False;");

    // A batch that cannot be written leaves every row as it was.
    auto again = db->execute("SELECT GroupID, UniqueGroupID FROM TestGroups ORDER BY GroupID");
    again.setUpdateTarget("TestGroups", "GroupID");
    again.setValue("UniqueGroupID", 99);
    again.moveNext();
    again.setValue("UniqueGroupID", 99); // breaks the unique index
    EXPECT_THROW(again.updateBatch(*db), platform::DbError);
    EXPECT_EQ(db->execute("SELECT UniqueGroupID FROM TestGroups ORDER BY GroupID").getString(), "10\r20\r30\r40\r50\r");
}

// Rows written together: new rows and rows filled, their keys in order, and
// nothing of the set when one of its rows cannot be written.
TEST_P(AccessLayer, RowsWrittenTogetherAreAllOrNone)
{
    auto db = openDirect();
    const auto text = [](const QString& v) { return platform::DbParameter{"t", platform::DbType::VarChar, 10, v}; };
    const auto number = [](double v) { return platform::DbParameter{"n", platform::DbType::Double, 0, v}; };
    using platform::DbRowWrite;
    const QList<qint64> keys = db->writeRows(
        {platform::DbRowWrite{"TestResults",
                              "ResultID",
                              0,
                              {{"TestUnitID", {"u", platform::DbType::Integer, 0, 7}}, {"A_Result", text("PASS")}}},
         platform::DbRowWrite{
             "TestMeasurements", "MeasurementID", 0, {{"A_Value", number(1.5)}, {"B_Value", number(2.5)}}},
         platform::DbRowWrite{"TestResults", "ResultID", 0, {}}});
    EXPECT_EQ(keys, (QList<qint64>{1, 1, 2}));
    EXPECT_EQ(db->lastInsertKey(), 2);
    EXPECT_EQ(db->writeRows({platform::DbRowWrite{"TestResults", "ResultID", 1, {{"B_Result", text("FAIL")}}},
                             platform::DbRowWrite{"TestMeasurements", "MeasurementID", 0, {{"C_Value", number(3)}}}}),
              (QList<qint64>{1, 2}));
    EXPECT_EQ(
        db->execute("SELECT TestUnitID, A_Result, B_Result FROM TestResults ORDER BY ResultID").getString(",", ";"),
        "7,PASS,FAIL;,,;");

    const QList<QList<platform::DbRowWrite>> refused = {
        // a row to fill that does not exist
        {platform::DbRowWrite{"TestMeasurements", "MeasurementID", 0, {{"A_Value", number(9)}}},
         platform::DbRowWrite{"TestResults", "ResultID", 99, {{"A_Result", text("PASS")}}}},
        // a failing statement after a good one
        {platform::DbRowWrite{"TestMeasurements", "MeasurementID", 0, {{"A_Value", number(9)}}},
         platform::DbRowWrite{"TestResults", "ResultID", 0, {{"Q_Result", text("PASS")}}}},
        // a value that does not fit
        {platform::DbRowWrite{"TestMeasurements", "MeasurementID", 1, {{"A_Value", number(9)}}},
         platform::DbRowWrite{"TestResults", "ResultID", 0, {{"A_Result", text("FAR TOO LONG")}}}},
        // one row twice
        {platform::DbRowWrite{"TestResults", "ResultID", 1, {{"A_Result", text("ERR")}}},
         platform::DbRowWrite{"testresults", "ResultID", 1, {{"B_Result", text("ERR")}}}},
    };
    for (const auto& rows : refused)
        EXPECT_THROW(db->writeRows(rows), platform::DbError);
    EXPECT_EQ(db->execute("SELECT COUNT(*) FROM TestMeasurements").value(0).toInt(), 2);
    EXPECT_EQ(db->execute("SELECT A_Value FROM TestMeasurements WHERE MeasurementID = 1").value(0).toDouble(), 1.5);
    EXPECT_EQ(db->execute("SELECT A_Result, B_Result FROM TestResults WHERE ResultID = 1").getString(",", ";"),
              "PASS,FAIL;");
    EXPECT_EQ(db->writeRows({}), QList<qint64>{});
}

TEST_P(AccessLayer, TextDumpAndDialect)
{
    auto db = openDirect();
    db->execute("INSERT INTO UnitMasterDiagnostics (GroupID, " + platform::DbDialect::column("10HzPeak") + ", "
                    + platform::DbDialect::column("5VRWorking") + ", FirmwareVersion) VALUES (?, ?, ?, ?)",
                {{"g", platform::DbType::Integer, 0, 3},
                 {"p", platform::DbType::Double, 0, 1.5},
                 {"w", platform::DbType::Boolean, 0, true},
                 {"f", platform::DbType::VarChar, 50, QVariant()}});
    db->execute("INSERT INTO UnitMasterDiagnostics (GroupID, " + platform::DbDialect::column("5VRWorking")
                + ") VALUES (4, " + db->dialect().booleanLiteral(false) + ")");
    auto rs = db->execute("SELECT GroupID, " + platform::DbDialect::column("10HzPeak") + ", "
                          + platform::DbDialect::column("5VRWorking")
                          + ", FirmwareVersion FROM UnitMasterDiagnostics ORDER BY GroupID" + db->dialect().limit(5));
    EXPECT_EQ(rs.value("10HzPeak").toDouble(), 1.5);
    EXPECT_EQ(rs.getString(), "3\t1.5\tTrue\t\r4\t\tFalse\t\r");
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(db->execute("SELECT GroupID FROM UnitMasterDiagnostics ORDER BY GroupID" + db->dialect().limit(1))
                  .recordCount(),
              1);
}

TEST_P(AccessLayer, AKeptValueIsReadAgainOnceAnyConnectionHasWritten)
{
    auto db = openDirect();
    auto other = openDirect();
    const QString count = "SELECT COUNT(*) FROM Archive";
    const auto insert = [](platform::DbConnection& c) {
        c.execute("INSERT INTO Archive (Range, FileName) VALUES ('1-2', 'a.mdb')");
    };
    EXPECT_EQ(db->currentValue(count).toInt(), 0);
    insert(*db);
    EXPECT_EQ(db->currentValue(count).toInt(), 1) << "written by the same connection";
    insert(*other);
    EXPECT_EQ(db->currentValue(count).toInt(), 2) << "written by another connection";
    db->transaction();
    insert(*db);
    EXPECT_EQ(db->currentValue(count).toInt(), 3) << "inside a transaction";
    db->rollback();
    EXPECT_EQ(db->currentValue(count).toInt(), 2) << "after the rollback";
    other->execute("DELETE FROM Archive");
    EXPECT_EQ(db->currentValue(count).toInt(), 0);
    EXPECT_FALSE(db->changeMark().isEmpty());
    EXPECT_EQ(db->changeMark(), db->changeMark());
}

// Rows read forward give the values a recordset gives, each as its type,
// and leave nothing open once past the last row: another connection can
// write at once.
TEST_P(AccessLayer, RowsReadForwardGiveTheRecordsetsValues)
{
    auto db = openDirect();
    auto other = openDirect();
    other->setBusyWait(200);
    db->execute("INSERT INTO Archive (Range, FileName, ArchiveDate) VALUES ('1-2', 'a.mdb', "
                + db->dialect().dateLiteral(QDateTime(QDate(2026, 3, 2), QTime(9, 1, 2))) + ")");
    db->execute("INSERT INTO Archive (Range, FileName, ArchiveDate) VALUES (NULL, 'b.mdb', NULL)");
    const QString sql = "SELECT ID, Range, ArchiveDate FROM Archive WHERE ID >= ? ORDER BY ID";
    const QList<DbParameter> from = {{"id", DbType::Integer, 0, 1}};
    auto rs = db->execute(sql, from);
    platform::DbRowReader rows = db->read(sql, from);
    platform::SteadyLocalDays days, recordsetDays;
    EXPECT_THROW(rows.text(0), DbError) << "before the first row";
    for (; !rs.eof(); rs.moveNext()) {
        ASSERT_TRUE(rows.next());
        EXPECT_EQ(rows.toInt(0), rs.value(0).toInt());
        EXPECT_EQ(rows.text(1), rs.value(1).toString());
        EXPECT_EQ(rows.isNull(1), rs.value(1).isNull());
        EXPECT_EQ(rows.date(2, days), rs.dateValue(2, recordsetDays));
        EXPECT_THROW(rows.text(3), DbError) << "no such field";
    }
    EXPECT_EQ(rows.date(2, days), platform::OleDate()) << "Null";
    EXPECT_EQ(rows.text(1), "") << "Null";
    EXPECT_FALSE(rows.next());
    EXPECT_THROW(rows.toInt(0), DbError) << "past the last row";
    EXPECT_NO_THROW(other->execute("DELETE FROM Archive"));
    EXPECT_THROW(db->read("SELECT NoSuchColumn FROM Archive"), DbError);
}

INSTANTIATE_ON_BOTH_BACKENDS(AccessLayer);

// The fixed date text is read by hand; whatever it gives must be what the
// general parser gives, in any time zone (daylight-saving gaps and overlaps
// included), and anything that is not the fixed form is left to that parser.
TEST(DateTextTest, ReadsAsTheGeneralParserDoesInEveryZone)
{
    const QByteArray savedZone = qgetenv("TZ");
    QStringList texts = {"2020-01-01 08:05:09", "2020-01-01 08:05:09.250",
                         "1899-12-30 00:00:00", "0001-01-01 00:00:00",
                         "9999-12-31 23:59:59", "2024-02-29 12:00:00",
                         "2023-02-29 12:00:00", "2020-13-01 00:00:00",
                         "2020-01-01 24:00:00", "2020-01-01 23:60:00",
                         "2020-01-01 23:59:60", "2020-1-01 00:00:00",
                         "2020-01-01T08:05:09", "2020-01-01  8:05:09",
                         "+020-01-01 08:05:09", "0000-01-01 00:00:00",
                         " 2020-01-01 08:05:0", "",
                         "2020-01-01",          QString::fromUtf8("２０２０-01-01 08:05:09")};
    // Every quarter of an hour over the days the clocks change.
    for (const QDate day : {QDate(2021, 3, 28), QDate(2021, 10, 31), QDate(2021, 4, 4), QDate(2021, 10, 3)})
        for (int minute = 0; minute < 24 * 60; minute += 15)
            texts << platform::DbDialect::dateText(QDateTime(day, QTime(0, 0)).addSecs(minute * 60));
    for (const char* zone : {"UTC", "Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
        qputenv("TZ", zone);
        for (int h = 0; h < 24; ++h) // the same wall-clock times, whatever their instant in this zone
            for (const QDate day : {QDate(2021, 3, 28), QDate(2021, 10, 31), QDate(2021, 4, 4), QDate(2021, 10, 3)})
                for (int m : {0, 30})
                    texts << day.toString("yyyy-MM-dd")
                                 + QStringLiteral(" %1:%2:00").arg(h, 2, 10, QChar('0')).arg(m, 2, 10, QChar('0'));
        for (const QString& text : texts) {
            const QDateTime expected = QDateTime::fromString(text.left(19), "yyyy-MM-dd hh:mm:ss");
            const QDateTime read = platform::DbDialect::parseDateText(text);
            ASSERT_EQ(read.isValid(), expected.isValid()) << zone << " " << qPrintable(text);
            if (expected.isValid()) {
                EXPECT_EQ(read.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch()) << zone << " " << qPrintable(text);
                EXPECT_EQ(read.date(), expected.date()) << zone << " " << qPrintable(text);
                EXPECT_EQ(read.time(), expected.time()) << zone << " " << qPrintable(text);
                EXPECT_EQ(read.timeSpec(), expected.timeSpec()) << zone << " " << qPrintable(text);
            }
        }
    }
    if (savedZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedZone);
}

// A list reads its dates without a QDateTime where the day's local clock is
// steady; what it gives must be the date that dateValue gives, in any time
// zone, on the days the clocks change and those around them, for the fixed
// text (SQLite), the server's date values and whatever else a field holds.
TEST(DateTextTest, ListDatesAreTheDatesReadInEveryZone)
{
    struct ZoneRestored {
        QByteArray saved = qgetenv("TZ");
        ~ZoneRestored() { saved.isNull() ? qunsetenv("TZ") : qputenv("TZ", saved); }
    } restored;
    QList<QVector<QVariant>> rows = {{QVariant()},
                                     {"1899-12-30 00:00:00"},
                                     {"2020-01-01 08:05:09.250"},
                                     {"2020-13-01 00:00:00"},
                                     {"2020-01-01T08:05:09"},
                                     {""},
                                     {0.0},
                                     {QDateTime(QDate(1899, 12, 30), QTime(0, 0))}};
    for (const QDate change : {QDate(2021, 3, 28), QDate(2021, 10, 31), QDate(2021, 4, 4), QDate(2021, 10, 3)})
        for (int d = -2; d <= 2; ++d)
            for (int minute = 0; minute < 24 * 60; minute += 30) {
                const QDate day = change.addDays(d);
                const QTime time = QTime(0, 0).addSecs(minute * 60 + 7);
                rows << QVector<QVariant>{day.toString("yyyy-MM-dd ") + time.toString("hh:mm:ss")}
                     << QVector<QVariant>{QDateTime(day, time, Qt::UTC)};
            }
    for (const char* zone : {"UTC", "Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
        qputenv("TZ", zone);
        platform::DbRecordset rs = platform::DbRecordset::fromRows({"DateExecuted"}, rows);
        platform::SteadyLocalDays days;
        for (; !rs.eof(); rs.moveNext()) {
            const QDateTime read = rs.dateValue("DateExecuted");
            const platform::OleDate listed = rs.dateValue(0, days);
            EXPECT_EQ(listed, platform::OleDate::fromDateTime(read))
                << zone << " " << qPrintable(rs.value(0).toString());
            if (read.isValid() && !listed.isZero()) {
                EXPECT_EQ(listed.toDateTime(), read) << zone << " " << qPrintable(rs.value(0).toString());
            }
        }
        EXPECT_TRUE(days.contains(QDate(2021, 6, 1))) << zone;
        if (QByteArray(zone) == "Europe/Berlin") {
            EXPECT_FALSE(days.contains(QDate(2021, 3, 28)));
        }
    }
}

} // namespace
