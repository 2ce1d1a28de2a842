#include "config/StationSettings.h"
#include "platform/DbError.h"
#include "platform/OleDate.h"
#include "results/ResultsDatabase.h"
#include "results/TestGroupWriter.h"
#include "support/WriterFixture.h"

#include <QSet>

#include <thread>

namespace {

using results::ElectrodeLots;

const QDateTime kExecuted(QDate(2026, 3, 2), QTime(9, 15, 30));

class TestGroupWriterTest : public WriterTest {
protected:
    qint32 standardGroup(const QString& lot, const results::UnitElectrodes& unit1 = {},
                         const results::UnitElectrodes& unit2 = {}, const results::ElectrodeLots& lots = {})
    {
        return results::createTestGroup(
            database, groupEnds.openGroupNote(), kExecuted, platform::OleDate().toDateTime(),
            results::currentStandardLimits(settings.limits), lot, QStringLiteral("notes"), unit1, unit2,
            QStringLiteral("operator"), QStringLiteral("BENCH-1"), lots, settings.switches.demoMode);
    }
    qint32 zamo80Group(bool zamo24)
    {
        return results::createZamo80TestGroup(
            database, groupEnds.openGroupNote(), kExecuted, platform::OleDate().toDateTime(),
            results::currentZamo80Limits(settings.limits), QStringLiteral("L1"), QStringLiteral("n"), {}, {},
            QStringLiteral("operator"), QStringLiteral("BENCH-1"), zamo24, {}, settings.switches.demoMode);
    }
    QVariant groupField(qint32 groupID, const QString& column) const
    {
        return scalar(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM TestGroups WHERE GroupID = ")
                      + QString::number(groupID));
    }
};

TEST_P(TestGroupWriterTest, StandardGroupStoresItsValuesNumberAndLimitTexts)
{
    setLastUniqueGroupID(41);
    const qint32 id = standardGroup(QStringLiteral("Lot\r\nA"));
    ASSERT_GT(id, 0);
    EXPECT_EQ(logCount(QStringLiteral("New Test Group ID = %1").arg(id)), 1);
    EXPECT_EQ(groupField(id, "UniqueGroupID").toInt(), 42);
    EXPECT_EQ(scalar("SELECT LastUniqueGroupID FROM Globals WHERE ID = 1").toInt(), 42);
    EXPECT_EQ(groupField(id, "LotNumber").toString(), "Lot  A");
    EXPECT_EQ(groupField(id, "LotNumberSortField").toString(), "Lot  A");
    EXPECT_EQ(groupField(id, "Notes").toString(), "notes");
    EXPECT_EQ(groupField(id, "WindowsUserName").toString(), "operator");
    EXPECT_EQ(groupField(id, "ComputerName").toString(), "BENCH-1");
    EXPECT_EQ(groupField(id, "SoftwareVersion").toString(), "1.0.0");
    EXPECT_FALSE(groupField(id, "Zamo80").toBool());
    EXPECT_FALSE(groupField(id, "Completed").toBool());
    EXPECT_FALSE(groupField(id, "Cancelled").toBool());
    EXPECT_EQ(groupField(id, "ACZWarning").toDouble(), 2000);
    EXPECT_EQ(groupField(id, "TestLimitString").toString(),
              "AAMI EC12 LIMITS: DCO - 100 mV; ACZ - 3000 Ohms; SDR - (5) 100 mV, (15/25/35) 1 mV/Sec; "
              "BIAS - 100 mV; NOISE - 150 uV");
    EXPECT_EQ(groupField(id, "TestWarningString").toString(),
              "WARNING: DCO - 100 mV; ACZ - 2000 Ohms; SDR - (5) 100 mV, (15/25/35) 1 mV/Sec; "
              "BIAS - 100 mV; NOISE - 150 uV");
    const platform::DbRecordset dates = openDirect()->execute(
        "SELECT DateExecuted, DateCompleted FROM TestGroups WHERE GroupID = " + QString::number(id));
    EXPECT_EQ(dates.dateValue("DateExecuted"), kExecuted);
    EXPECT_EQ(dates.dateValue("DateCompleted"), platform::OleDate().toDateTime());
}

TEST_P(TestGroupWriterTest, Zamo80GroupStoresTheZamo80SetFlagsAndTexts)
{
    settings.switches.demoMode = true;
    const qint32 id = zamo80Group(true);
    settings.switches.demoMode = false;
    EXPECT_EQ(logCount(QStringLiteral("New ZAMO80 Test Group ID = %1").arg(id)), 1);
    EXPECT_TRUE(groupField(id, "Zamo80").toBool());
    EXPECT_TRUE(groupField(id, "Zamo24").toBool());
    EXPECT_TRUE(groupField(id, "DemoMode").toBool());
    EXPECT_EQ(groupField(id, "Zamo80DEFRWarning60").toDouble(), 300);
    EXPECT_EQ(groupField(id, "TestLimitString").toString(),
              "LIMITS: DCO - 100 mV; ACZ - 3000 Ohms; NOISE - 100 uV; ACLG - 3 Ohms; DEFR 4s - 400 mV; "
              "DEFR 60s - 300 mV; ACZ30 - 5 Ohms");
    EXPECT_EQ(groupField(id, "TestWarningString").toString(),
              "WARNING: DCO - 100 mV; ACZ - 2000 Ohms; NOISE - 100 uV; ACLG - 2 Ohms; DEFR 4s - 400 mV; "
              "DEFR 60s - 300 mV; ACZ30 - 4 Ohms");
    EXPECT_FALSE(groupField(zamo80Group(false), "Zamo24").toBool());
}

TEST_P(TestGroupWriterTest, LotsAreCappedAndSortedByTheirStart)
{
    struct Case {
        QString lot;
        QString stored;
    };
    const QString l300 = QString(300, QChar('x'));
    const QString l6000 = QString(6000, QChar('y'));
    const QString quoted = QStringLiteral("O'Brien\"; DELETE FROM TestGroups; --");
    for (const Case& c : {Case{l300, l300}, Case{l6000, QString(4996, QChar('y')) + "..."}, Case{quoted, quoted}}) {
        const qint32 id = standardGroup(c.lot);
        EXPECT_EQ(groupField(id, "LotNumber").toString(), c.stored);
        EXPECT_EQ(groupField(id, "LotNumberSortField").toString(), c.stored.left(250));
    }
    EXPECT_EQ(rowCount("SELECT GroupID FROM TestGroups"), 3);
}

TEST_P(TestGroupWriterTest, UnitRowsHoldTheConnectedElectrodesOnly)
{
    results::ElectrodeLots lots;
    lots[0] = QStringLiteral("Lot-A1");
    lots[15] = QStringLiteral("Lot-P1");
    lots[19] = QString(60, QChar('z'));
    const qint32 id = standardGroup("L", unitWith(1, {0, 1, 15}), unitWith(2, {3}), lots);
    auto db = openDirect();
    platform::DbRecordset rows =
        db->execute("SELECT * FROM UnitElectrodes WHERE GroupID = " + QString::number(id) + " ORDER BY UnitNumber");
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value("A_SerialNumber").toString(), "SN1A");
    EXPECT_EQ(rows.value("B_FirmwareVersion").toString(), "1.1");
    EXPECT_EQ(rows.value("A_LotNumber").toString(), "Lot-A1");
    EXPECT_EQ(rows.value("P_LotNumber").toString(), "Lot-P1");
    EXPECT_EQ(rows.dateValue("P_CalibrationDate").date(), QDate(2025, 3, 1));
    EXPECT_TRUE(rows.value("C_SerialNumber").isNull());
    rows.moveNext();
    EXPECT_EQ(rows.value("UnitNumber").toInt(), 2);
    EXPECT_EQ(rows.value("D_SerialNumber").toString(), "SN2D");
    EXPECT_EQ(rows.value("D_LotNumber").toString(), QString(46, QChar('z')) + "...");
    EXPECT_TRUE(rows.value("A_SerialNumber").isNull());

    // 16 records none connected: a bare row; an empty array: no row.
    const qint32 bare = standardGroup("L", unitWith(1, {}), {});
    platform::DbRecordset only = db->execute("SELECT * FROM UnitElectrodes WHERE GroupID = " + QString::number(bare));
    ASSERT_EQ(only.recordCount(), 1);
    EXPECT_EQ(only.value("UnitNumber").toInt(), 1);
    EXPECT_TRUE(only.value("A_CalibrationDate").isNull());
}

TEST_P(TestGroupWriterTest, WithoutConnectionNothingIsWrittenAndZeroIsLogged)
{
    pointAtUnreachableDatabase();
    EXPECT_EQ(standardGroup("L"), 0);
    EXPECT_EQ(logCount("New Test Group ID = 0"), 1);
}

TEST_P(TestGroupWriterTest, TheLargestGroupNumberIsNotRaisedFurther)
{
    setLastUniqueGroupID(2147483647);
    EXPECT_THROW(standardGroup("L"), platform::DbError);
    EXPECT_EQ(scalar("SELECT LastUniqueGroupID FROM Globals").toInt(), 2147483647);
    EXPECT_EQ(logCount("New Test Group ID"), 0);
}

// Two stations on one database take numbers at the same time: every number
// is handed out once.
TEST_P(TestGroupWriterTest, TwoStationsNeverGetTheSameGroupNumber)
{
    constexpr int kPerStation = 40;
    QList<qint32> taken[2];
    QString failures[2];
    auto station = [&](int which) {
        try {
            auto db = openDirect();
            for (int i = 0; i < kPerStation; ++i)
                taken[which] << results::takeNextUniqueGroupID(*db);
        } catch (const platform::DbError& e) {
            failures[which] = e.text();
        }
    };
    std::thread a(station, 0), b(station, 1);
    a.join();
    b.join();
    ASSERT_TRUE(failures[0].isEmpty()) << failures[0].toStdString();
    ASSERT_TRUE(failures[1].isEmpty()) << failures[1].toStdString();
    QSet<qint32> all(taken[0].begin(), taken[0].end());
    all.unite(QSet<qint32>(taken[1].begin(), taken[1].end()));
    EXPECT_EQ(all.size(), 2 * kPerStation);
    EXPECT_EQ(scalar("SELECT LastUniqueGroupID FROM Globals").toInt(), 2 * kPerStation);
}

INSTANTIATE_ON_BOTH_BACKENDS(TestGroupWriterTest);

} // namespace
