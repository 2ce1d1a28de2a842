#include "results/ResultsSchema.h"

#include "platform/DbError.h"

#include <limits>
#include <optional>

namespace results {

namespace ResultsSchema {

using platform::DbBackend;
using platform::DbDialect;
using platform::DbParameter;
using platform::DbType;

namespace {

Column key(const QString& name)
{
    return {name, ColumnType::AutoNumber};
}
Column lng(const QString& name)
{
    return {name, ColumnType::Long};
}
Column dbl(const QString& name)
{
    return {name, ColumnType::Double};
}
Column yesNo(const QString& name, bool defaultYes = false)
{
    return {name, ColumnType::Boolean, 0, defaultYes};
}
Column date(const QString& name)
{
    return {name, ColumnType::DateTime};
}
Column text(const QString& name, int width)
{
    return {name, ColumnType::Text, width};
}
Column memo(const QString& name)
{
    return {name, ColumnType::Memo};
}

QList<Column> doubles(const QStringList& names)
{
    QList<Column> out;
    for (const QString& n : names)
        out << dbl(n);
    return out;
}

// The per-channel families, letter by letter: A_x, A_y, B_x, B_y, ...
QList<Column> perChannel(const QList<Column>& family)
{
    QList<Column> out;
    for (char letter = 'A'; letter <= 'P'; ++letter)
        for (Column c : family) {
            c.name = QChar(letter) + QStringLiteral("_") + c.name;
            out << c;
        }
    return out;
}

QList<Table> buildTables()
{
    QList<Table> t;

    t << Table{QStringLiteral("TestGroups"),
               QList<Column>{key("GroupID"), date("DateExecuted"), date("DateCompleted"), memo("LotNumber"),
                             memo("Notes"), yesNo("Cancelled"), text("TestLimitString", 250)}
                   + doubles({"DCOLimit", "ACZLimit", "SDR5SecOffsetLimit", "SDRRecoverySlopeLimit", "NoiseDCOLimit",
                              "BiasDCOLimit", "DCOWarning", "ACZWarning", "SDR5SecOffsetWarning",
                              "SDRRecoverySlopeWarning", "NoiseDCOWarning", "BiasDCOWarning"})
                   + QList<Column>{text("TestWarningString", 250), lng("UniqueGroupID"), yesNo("Zamo80")}
                   + doubles({"Zamo80ACZLimit", "Zamo80ACZ30Limit", "Zamo80ACLGLimit", "Zamo80DEFRLimit4",
                              "Zamo80DEFRLimit60", "Zamo80DCOLimit", "Zamo80NOISEDCOLimit", "Zamo80ACZWarning",
                              "Zamo80ACZ30Warning", "Zamo80ACLGWarning", "Zamo80DEFRWarning4", "Zamo80DEFRWarning60",
                              "Zamo80DCOWarning", "Zamo80NOISEDCOWarning"})
                   + QList<Column>{text("SoftwareVersion", 250), lng("Zamo80CondensedID"), yesNo("DemoMode"),
                                   yesNo("Zamo24"), yesNo("Completed"), text("WindowsUserName", 250),
                                   text("ComputerName", 250), text("LotNumberSortField", 250)},
               {{"GroupID", "GroupID"}, {"UniqueGroupID", "UniqueGroupID", true}}};

    t << Table{QStringLiteral("Tests"),
               {key("TestID"), lng("GroupID"), lng("TestTypeID"), date("TestStartTime"), lng("Zamo80ParentTestID"),
                yesNo("ShowOnReport", true)},
               {{"TestID", "TestID"}, {"GroupID", "GroupID"}, {"TestTypeID", "TestTypeID"}}};

    t << Table{QStringLiteral("TestUnit"),
               {key("TestUnitID"), lng("UnitNumber"), lng("TestID"), lng("Itteration")},
               {{"ID", "TestUnitID"}, {"GroupID", "TestID"}}};

    t << Table{QStringLiteral("TestMeasurements"),
               QList<Column>{key("MeasurementID"), lng("TestUnitID"), text("TimeInterval", 50)}
                   + perChannel({dbl("Value")}) + QList<Column>{lng("TimeIntervalInt")},
               {{"MeasurementID", "MeasurementID"}, {"TestUnitID", "TestUnitID"}}};

    t << Table{QStringLiteral("TestResults"),
               QList<Column>{key("ResultID"), lng("TestUnitID")} + perChannel({text("Result", 10)}),
               {{"ResultID", "ResultID"}, {"TestUnitID", "TestUnitID"}}};

    t << Table{QStringLiteral("TestTypes"),
               {key("TypeID"), text("TypeName", 10), text("TypeMeasurementUnits", 50), text("TypeDescription", 50),
                text("TypeUnits", 50), text("TypeUnits2", 50)},
               {{"TypeID", "TypeID"}}};

    t << Table{QStringLiteral("UnitElectrodes"),
               QList<Column>{key("UnitElectrodesID"), lng("GroupID"), lng("UnitNumber")}
                   + perChannel({date("CalibrationDate"), text("FirmwareVersion", 10), text("SerialNumber", 10),
                                 text("LotNumber", 50)}),
               {{"UnitElectrodesID", "UnitElectrodesID"}, {"GroupID", "GroupID"}}};

    t << Table{
        QStringLiteral("UnitMasterDiagnostics"),
        {key("UnitMasterDiagnosticsID"), lng("GroupID"), lng("UnitNumber"), dbl("10HzPeak"), dbl("Temperature"),
         dbl("Vcc"), dbl("5VPos"), dbl("5VNeg"), yesNo("5VRWorking"), yesNo("200vOnWorking"), yesNo("200vOffWorking"),
         text("FirmwareVersion", 50), yesNo("Zamo80LidClosed"), dbl("Zamo8030kPeak")},
        {{"ID", "UnitMasterDiagnosticsID"}, {"UnitMasterDiagnosticsGroupID", "GroupID"}, {"GroupID", "UnitNumber"}}};

    t << Table{QStringLiteral("Zamo24PaceProperties"),
               QList<Column>{key("Zamo24PacePropertiesID"), lng("GroupID"), lng("UnitNumber")}
                   + perChannel({dbl("PaceAmplitude"), dbl("PaceRate"), dbl("PacePulseWidth"), text("PaceRoll", 50)}),
               {{"UnitElectrodesID", "Zamo24PacePropertiesID"}, {"GroupID", "GroupID"}}};

    t << Table{
        QStringLiteral("Archive"),
        {key("ID"), text("Range", 50), lng("RangeStart"), lng("RangeEnd"), text("FileName", 50), date("ArchiveDate")},
        {{"ID", "ID"}}};

    t << Table{QStringLiteral("Globals"),
               {key("ID"), lng("LastUniqueGroupID")},
               {{"ID", "ID"}, {"LastUniqueGroupID", "LastUniqueGroupID"}}};

    t << Table{QStringLiteral("Version"), {key("ID"), lng("DBRevNumber")}, {{"ID", "ID"}}};
    return t;
}

struct TestTypeRow {
    const char* name;
    const char* measurementUnits;
    const char* description; // nullptr: Null
    const char* units;
    const char* units2; // nullptr: Null
};

const TestTypeRow kTestTypes[] = {
    {"DCO", "DCO (mV)", nullptr, "mV", nullptr},
    {"ACZ", "Impedance (Ohms)", nullptr, "Ohms", nullptr},
    {"SDR", "DCO (mV)/Slope (mV/Sec)", nullptr, "mV", "mV/Sec"},
    {"BIAS", "DCO (mV)", nullptr, "mV", nullptr},
    {"NOISE", "Amplitude (uVpp)", nullptr, "uV", nullptr},
    {"ACLG", "Impedance (50:X Ohms)", "", "Ohms", nullptr},
    {"DEFR", "DCO (mV)", "", "mV", nullptr},
    {"ACZ30", "Impedance (Ohms)", "", "Ohms", nullptr},
    {"PACE1", "", "", "", nullptr},
    {"PACE2", "", "", "", nullptr},
    {"AVG_ACLG", "Impedance (50:X Ohms)", nullptr, "Ohms", nullptr},
};

platform::DbParameter textParam(const char* name, int size, const char* value)
{
    return platform::DbParameter{QString::fromLatin1(name), platform::DbType::VarChar, size,
                                 value ? QVariant(QString::fromLatin1(value)) : QVariant()};
}

void insertFixedRows(platform::DbConnection& connection, int revision)
{
    for (const TestTypeRow& row : kTestTypes)
        connection.execute(QStringLiteral("INSERT INTO TestTypes (TypeName, TypeMeasurementUnits, "
                                          "TypeDescription, TypeUnits, TypeUnits2) VALUES (?, ?, ?, ?, ?)"),
                           {textParam("TypeName", 10, row.name),
                            textParam("TypeMeasurementUnits", 50, row.measurementUnits),
                            textParam("TypeDescription", 50, row.description), textParam("TypeUnits", 50, row.units),
                            textParam("TypeUnits2", 50, row.units2)});
    connection.execute(QStringLiteral("INSERT INTO Globals (LastUniqueGroupID) VALUES (0)"));
    connection.execute(QStringLiteral("INSERT INTO Version (DBRevNumber) VALUES (?)"),
                       {platform::DbParameter{QStringLiteral("DBRevNumber"), platform::DbType::Integer, 0, revision}});
}

} // namespace

const QList<Table>& tables()
{
    static const QList<Table> tables = buildTables();
    return tables;
}

QString columnSqlType(platform::DbBackend backend, const Column& c)
{
    const platform::DbDialect& d = platform::DbDialect::of(backend);
    switch (c.type) {
    case ColumnType::AutoNumber: return QString::fromLatin1(d.autoNumberKey);
    case ColumnType::Long: return QString::fromLatin1(d.longType);
    case ColumnType::Double: return QString::fromLatin1(d.doubleType);
    case ColumnType::Boolean:
        return QString::fromLatin1(d.booleanType) + QStringLiteral(" NOT NULL DEFAULT ")
               + d.booleanLiteral(c.defaultYes);
    case ColumnType::DateTime: return QString::fromLatin1(d.dateType);
    case ColumnType::Text: return d.textType(c.width);
    case ColumnType::Memo: return QString::fromLatin1(d.memoType);
    }
    return {};
}

QStringList tableScript(platform::DbBackend backend, const Table& table)
{
    QStringList columns;
    for (const Column& c : table.columns)
        columns << platform::DbDialect::column(c.name) + ' ' + columnSqlType(backend, c);
    QStringList script;
    script << QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, columns.join(QStringLiteral(", ")));
    for (const Index& index : table.indexes)
        script << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                      .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(),
                           platform::DbDialect::indexName(table.name, index.name), table.name,
                           platform::DbDialect::column(index.column));
    return script;
}

QStringList creationScript(platform::DbBackend backend)
{
    QStringList script;
    for (const Table& table : tables())
        script << tableScript(backend, table);
    return script;
}

void create(platform::DbConnection& connection, int revision)
{
    connection.transaction();
    try {
        for (const QString& statement : creationScript(connection.backend()))
            connection.execute(statement);
        insertFixedRows(connection, revision);
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

qint32 readRevision(platform::DbConnection& connection)
{
    const platform::DbRecordset rs = connection.execute(QStringLiteral("SELECT DBRevNumber FROM Version WHERE ID = 1"));
    if (rs.eof())
        throw platform::DbError(QStringLiteral("The database has no revision number"));
    const QVariant value = rs.value(QStringLiteral("DBRevNumber"));
    const std::optional<qint64> revision = platform::DbDialect::wholeNumber(value);
    if (!revision || *revision < std::numeric_limits<qint32>::min() || *revision > std::numeric_limits<qint32>::max())
        throw platform::DbError(
            QStringLiteral("The revision number \"%1\" of the database is not one that any station wrote")
                .arg(value.toString()));
    return qint32(*revision);
}

} // namespace ResultsSchema

} // namespace results
