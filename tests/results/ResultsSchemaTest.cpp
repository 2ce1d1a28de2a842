// The revision-15 schema and the fixed rows of a new database, on both back ends.

#include "platform/DbCommand.h"
#include "platform/DbError.h"
#include "support/DatabaseBackendFixture.h"

#include <QSet>

using platform::DbDialect;
using platform::DbError;
using platform::DbParameter;
using platform::DbType;

namespace {

using ResultsSchemaOnBackend = DatabaseBackendTest;

QVariant text(const char* s)
{
    return s ? QVariant(QString(s)) : QVariant();
}

TEST_P(ResultsSchemaOnBackend, NewDatabaseHoldsExactlyTheFixedRows)
{
    auto db = openDirect();
    struct Row {
        int id;
        const char *name, *axis, *description, *units, *units2;
    };
    const Row expected[] = {
        {1, "DCO", "DCO (mV)", nullptr, "mV", nullptr},
        {2, "ACZ", "Impedance (Ohms)", nullptr, "Ohms", nullptr},
        {3, "SDR", "DCO (mV)/Slope (mV/Sec)", nullptr, "mV", "mV/Sec"},
        {4, "BIAS", "DCO (mV)", nullptr, "mV", nullptr},
        {5, "NOISE", "Amplitude (uVpp)", nullptr, "uV", nullptr},
        {6, "ACLG", "Impedance (50:X Ohms)", "", "Ohms", nullptr},
        {7, "DEFR", "DCO (mV)", "", "mV", nullptr},
        {8, "ACZ30", "Impedance (Ohms)", "", "Ohms", nullptr},
        {9, "PACE1", "", "", "", nullptr},
        {10, "PACE2", "", "", "", nullptr},
        {11, "AVG_ACLG", "Impedance (50:X Ohms)", nullptr, "Ohms", nullptr},
    };
    auto types = db->execute("SELECT TypeID, TypeName, TypeMeasurementUnits, TypeDescription, TypeUnits, "
                             "TypeUnits2 FROM TestTypes ORDER BY TypeID");
    ASSERT_EQ(types.recordCount(), 11);
    for (const Row& r : expected) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(types.value("TypeID").toInt(), r.id);
        EXPECT_EQ(types.value("TypeName"), text(r.name));
        EXPECT_EQ(types.value("TypeMeasurementUnits"), text(r.axis));
        // Null and "" are told apart.
        EXPECT_EQ(types.value("TypeDescription").isNull(), r.description == nullptr);
        EXPECT_EQ(types.value("TypeDescription").toString(), QString(r.description));
        EXPECT_EQ(types.value("TypeUnits"), text(r.units));
        EXPECT_EQ(types.value("TypeUnits2").isNull(), r.units2 == nullptr);
        EXPECT_EQ(types.value("TypeUnits2").toString(), QString(r.units2));
        types.moveNext();
    }
    EXPECT_EQ(db->execute("SELECT ID, LastUniqueGroupID FROM Globals").getString(), "1\t0\r");
    EXPECT_EQ(db->execute("SELECT ID, DBRevNumber FROM Version").getString(), "1\t14\r");
    for (const char* table : {"TestGroups", "Tests", "TestUnit", "TestMeasurements", "TestResults", "UnitElectrodes",
                              "UnitMasterDiagnostics", "Zamo24PaceProperties", "Archive"})
        EXPECT_EQ(db->execute(QString("SELECT COUNT(*) FROM %1").arg(table)).value(0).toInt(), 0) << table;
}

TEST_P(ResultsSchemaOnBackend, EveryTableHasItsColumnsInOrder)
{
    auto db = openDirect();
    struct Shape {
        const char* table;
        int columns;
        const char* first;
        const char* last;
    };
    const Shape shapes[] = {
        {"TestGroups", 44, "GroupID", "LotNumberSortField"},
        {"Tests", 6, "TestID", "ShowOnReport"},
        {"TestUnit", 4, "TestUnitID", "Itteration"},
        {"TestMeasurements", 20, "MeasurementID", "TimeIntervalInt"},
        {"TestResults", 18, "ResultID", "P_Result"},
        {"TestTypes", 6, "TypeID", "TypeUnits2"},
        {"UnitElectrodes", 67, "UnitElectrodesID", "P_LotNumber"},
        {"UnitMasterDiagnostics", 14, "UnitMasterDiagnosticsID", "Zamo8030kPeak"},
        {"Zamo24PaceProperties", 67, "Zamo24PacePropertiesID", "P_PaceRoll"},
        {"Archive", 6, "ID", "ArchiveDate"},
        {"Globals", 2, "ID", "LastUniqueGroupID"},
        {"Version", 2, "ID", "DBRevNumber"},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.table);
        auto rs = db->execute(QString("SELECT * FROM %1 WHERE 1=0").arg(s.table));
        ASSERT_EQ(rs.fieldCount(), s.columns);
        EXPECT_EQ(rs.fieldName(0).toLower(), QString(s.first).toLower());
        EXPECT_EQ(rs.fieldName(s.columns - 1).toLower(), QString(s.last).toLower());
    }
    // Families go letter by letter; names that start with a digit are kept as they are.
    auto electrodes = db->execute("SELECT * FROM UnitElectrodes WHERE 1=0");
    EXPECT_EQ(electrodes.fieldName(3).toLower(), "a_calibrationdate");
    EXPECT_EQ(electrodes.fieldName(7).toLower(), "b_calibrationdate");
    auto diagnostics =
        db->execute("SELECT " + platform::DbDialect::column("10HzPeak") + ", " + platform::DbDialect::column("5VPos")
                    + ", " + platform::DbDialect::column("200vOffWorking") + " FROM UnitMasterDiagnostics");
    EXPECT_EQ(diagnostics.fieldName(0), "10HzPeak");
    EXPECT_EQ(diagnostics.fieldName(2), "200vOffWorking");
}

TEST_P(ResultsSchemaOnBackend, EveryIndexIsThereUnderItsTablesName)
{
    auto db = openDirect();
    auto rs = db->execute(local() ? "SELECT name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL"
                                  : "SELECT indexname FROM pg_indexes WHERE schemaname='public' "
                                    "AND indexname NOT LIKE '%_pkey'");
    QSet<QString> names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.value(0).toString().toLower();
    const QStringList expected = {"TestGroups_GroupID",
                                  "TestGroups_UniqueGroupID",
                                  "Tests_TestID",
                                  "Tests_GroupID",
                                  "Tests_TestTypeID",
                                  "TestUnit_ID",
                                  "TestUnit_GroupID",
                                  "TestMeasurements_MeasurementID",
                                  "TestMeasurements_TestUnitID",
                                  "TestResults_ResultID",
                                  "TestResults_TestUnitID",
                                  "TestTypes_TypeID",
                                  "UnitElectrodes_UnitElectrodesID",
                                  "UnitElectrodes_GroupID",
                                  "UnitMasterDiagnostics_ID",
                                  "UnitMasterDiagnostics_UnitMasterDiagnosticsGroupID",
                                  "UnitMasterDiagnostics_GroupID",
                                  "Zamo24PaceProperties_UnitElectrodesID",
                                  "Zamo24PaceProperties_GroupID",
                                  "Archive_ID",
                                  "Globals_ID",
                                  "Globals_LastUniqueGroupID",
                                  "Version_ID"};
    QSet<QString> wanted;
    for (const QString& e : expected)
        wanted << e.toLower();
    EXPECT_EQ(names, wanted);

    // UniqueGroupID is unique.
    db->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (7)");
    EXPECT_THROW(db->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (7)"), platform::DbError);
}

TEST_P(ResultsSchemaOnBackend, BooleansAreNeverNullAndTakeTheirDefaults)
{
    auto db = openDirect();
    db->execute("INSERT INTO TestGroups (UniqueGroupID) VALUES (1)");
    db->execute("INSERT INTO Tests (GroupID) VALUES (1)");
    db->execute("INSERT INTO UnitMasterDiagnostics (GroupID) VALUES (1)");
    auto group = db->execute("SELECT Cancelled, Zamo80, DemoMode, Zamo24, Completed FROM TestGroups");
    for (int i = 0; i < group.fieldCount(); ++i)
        EXPECT_EQ(group.value(i), QVariant(false)) << group.fieldName(i).toStdString();
    EXPECT_EQ(db->execute("SELECT ShowOnReport FROM Tests").value(0), QVariant(true));
    auto diag = db->execute("SELECT " + platform::DbDialect::column("5VRWorking")
                            + ", Zamo80LidClosed FROM UnitMasterDiagnostics");
    EXPECT_EQ(diag.value("5VRWorking"), QVariant(false));
    EXPECT_EQ(diag.value("zamo80lidclosed"), QVariant(false));
    EXPECT_THROW(db->execute("UPDATE Tests SET ShowOnReport=?",
                             {platform::DbParameter{"ShowOnReport", platform::DbType::Boolean, 0, QVariant()}}),
                 platform::DbError);
}

TEST_P(ResultsSchemaOnBackend, TheZeroDateComparesExactly)
{
    auto db = openDirect();
    const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    const QDateTime start(QDate(2026, 3, 2), QTime(9, 15, 42));
    db->execute(
        "INSERT INTO TestGroups (UniqueGroupID, DateExecuted, DateCompleted) VALUES (1, ?, ?)",
        {{"DateExecuted", platform::DbType::Date, 0, start}, {"DateCompleted", platform::DbType::Date, 0, 0.0}});
    auto rs = db->execute("SELECT DateExecuted, DateCompleted FROM TestGroups WHERE DateCompleted = ?",
                          {{"zero", platform::DbType::Date, 0, zero}});
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.dateValue("DateCompleted"), zero);
    EXPECT_EQ(rs.dateValue("DateExecuted"), start);
    EXPECT_EQ(db->execute("SELECT COUNT(*) FROM TestGroups WHERE DateCompleted = " + db->dialect().dateLiteral(zero)
                          + " AND DateExecuted > " + db->dialect().dateLiteral(zero))
                  .value(0)
                  .toInt(),
              1);
}

TEST_P(ResultsSchemaOnBackend, VerdictColumnsHoldEveryVerdictAndRefuseLongerText)
{
    auto db = openDirect();
    const QStringList verdicts = {"PASS", "PASS?", "PASS*", "FAIL", "ERR", "FAIL_O", "FAIL_1", "FAIL_2"};
    platform::DbCommand cmd(db.get());
    for (const QString& v : verdicts) {
        cmd.setCommandText("INSERT INTO TestResults (TestUnitID, A_Result) VALUES (1, ?)");
        cmd.appendParameter(platform::DbCommand::createParameter("A_Result", platform::DbType::VarChar, 10, v));
        cmd.execute();
        cmd.deleteParameter(0);
    }
    cmd.setCommandText("INSERT INTO TestResults (TestUnitID, A_Result) VALUES (2, ?)");
    cmd.appendParameter(platform::DbCommand::createParameter("A_Result", platform::DbType::VarChar, 10, "FAIL_OPEN_1"));
    EXPECT_THROW(cmd.execute(), platform::DbError);
    auto rs = db->execute("SELECT A_Result FROM TestResults ORDER BY ResultID");
    QStringList stored;
    for (; !rs.eof(); rs.moveNext())
        stored << rs.value(0).toString();
    EXPECT_EQ(stored, verdicts);
}

INSTANTIATE_ON_BOTH_BACKENDS(ResultsSchemaOnBackend);

} // namespace
