#include "results/TestLimitText.h"
#include "support/WriterFixture.h"

namespace {

class TestLimitTextTest : public WriterTest {
protected:
    qint32 groupWith(const QString& columnsAndValues) const
    {
        auto db = openDirect();
        db->execute(QStringLiteral("INSERT INTO TestGroups (%1)").arg(columnsAndValues));
        return static_cast<qint32>(db->lastInsertKey());
    }
};

TEST_P(TestLimitTextTest, ListsTheTypesOfItsColumnSetInTypeOrder)
{
    const qint32 id = groupWith(
        "Zamo80DCOLimit, Zamo80ACZLimit, Zamo80DEFRLimit4, Zamo80DEFRLimit60, Zamo80ACZ30Limit, Zamo80ACLGLimit, "
        "Zamo80NOISEDCOLimit, DCOLimit, ACZLimit, SDR5SecOffsetLimit, SDRRecoverySlopeLimit, NoiseDCOLimit, "
        "BiasDCOLimit) VALUES (100, 3000, 400, 1000, 0.5, 2.25, 80, 1, 2, 3, 4, 5, 6");
    EXPECT_EQ(results::buildTestLimitString(database, id, true),
              "LIMITS: DCO - 100 mV; ACZ - 3000 Ohms; NOISE - 80 uV; ACLG - 2.25 Ohms; DEFR 4s - 400 mV; "
              "DEFR 60s - 1000 mV; ACZ30 - 0.5 Ohms");
    EXPECT_EQ(results::buildTestLimitString(database, id, false),
              "AAMI EC12 LIMITS: DCO - 1 mV; ACZ - 2 Ohms; SDR - (5) 3 mV, (15/25/35) 4 mV/Sec; BIAS - 6 mV; "
              "NOISE - 5 uV");
}

TEST_P(TestLimitTextTest, EmptyTypeTableGivesThePrefixAlone)
{
    const qint32 id = groupWith("DCOLimit) VALUES (1");
    openDirect()->execute("DELETE FROM TestTypes");
    EXPECT_EQ(results::buildTestWarningString(database, id, true), "WARNING: ");
    EXPECT_EQ(results::buildTestLimitString(database, id, false), "AAMI EC12 LIMITS: ");
}

TEST_P(TestLimitTextTest, MissingGroupOrValueFailsAndNoConnectionGivesEmpty)
{
    EXPECT_THROW(results::buildTestLimitString(database, 999, true), platform::DbError);
    const qint32 id = groupWith("DCOLimit) VALUES (1");
    EXPECT_THROW(results::buildTestWarningString(database, id, false), platform::DbError);
    database.closeDatabase();
    pointAtUnreachableDatabase();
    EXPECT_EQ(results::buildTestLimitString(database, id, true), "");
    EXPECT_EQ(results::buildTestWarningString(database, id, true), "");
}

INSTANTIATE_ON_BOTH_BACKENDS(TestLimitTextTest);

} // namespace
