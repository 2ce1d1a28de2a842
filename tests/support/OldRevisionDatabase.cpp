#include "support/OldRevisionDatabase.h"

#include "platform/DbError.h"
#include "results/ResultsSchema.h"

#include <QStringList>

#include <algorithm>

namespace testsupport {

using platform::DbBackend;
using platform::DbConnection;
using platform::DbDialect;

namespace {

struct OldColumn {
    QString name;
    QString type; // as the back end's SQL names it
};

struct OldTable {
    QString name;
    QList<OldColumn> columns;
    QList<results::ResultsSchema::Index> indexes;
};

QString letterColumn(int letter, const QString& name)
{
    return QChar('A' + letter) + QStringLiteral("_") + name;
}

class OldSchema {
public:
    explicit OldSchema(platform::DbBackend backend) : m_backend(backend)
    {
        for (const results::ResultsSchema::Table& t : results::ResultsSchema::tables()) {
            OldTable old{t.name, {}, t.indexes};
            for (const results::ResultsSchema::Column& c : t.columns)
                old.columns << OldColumn{c.name, results::ResultsSchema::columnSqlType(backend, c)};
            m_tables << old;
        }
    }

    QList<OldTable>& tables() { return m_tables; }

    OldTable& table(const QString& name)
    {
        for (OldTable& t : m_tables)
            if (t.name == name)
                return t;
        throw platform::DbError("no table " + name);
    }
    void dropTable(const QString& name)
    {
        m_tables.removeIf([&](const OldTable& t) { return t.name == name; });
    }
    void dropColumns(const QString& tableName, const QStringList& columns)
    {
        OldTable& t = table(tableName);
        t.columns.removeIf([&](const OldColumn& c) { return columns.contains(c.name); });
        t.indexes.removeIf([&](const results::ResultsSchema::Index& i) { return columns.contains(i.column); });
    }
    void setType(const QString& tableName, const QString& column, const QString& type)
    {
        for (OldColumn& c : table(tableName).columns)
            if (c.name == column)
                c.type = type;
    }
    void rename(const QString& tableName, const QString& column, const QString& newName)
    {
        for (OldColumn& c : table(tableName).columns)
            if (c.name == column)
                c.name = newName;
    }
    QString text(int width) const { return platform::DbDialect::of(m_backend).textType(width); }

private:
    platform::DbBackend m_backend;
    QList<OldTable> m_tables;
};

// Goes back from the current schema one revision at a time: each block
// takes away what the step up to the revision above it added.
OldSchema schemaOf(platform::DbBackend backend, int revision, bool legacyDemoColumn)
{
    OldSchema s(backend);
    const platform::DbDialect& d = platform::DbDialect::of(backend);
    if (revision < 15 && backend == platform::DbBackend::PostgreSQL) {
        // Dates with fractions of a second, before the step to 15 made them whole seconds.
        s.setType("TestGroups", "DateCompleted", "TIMESTAMP");
        s.setType("TestGroups", "DateExecuted", "TIMESTAMP");
        s.setType("Archive", "ArchiveDate", "TIMESTAMP");
        s.setType("Tests", "TestStartTime", "TIMESTAMP");
        for (int l = 0; l < 16; ++l)
            s.setType("UnitElectrodes", letterColumn(l, "CalibrationDate"), "TIMESTAMP");
    }
    if (revision < 14)
        s.dropColumns("TestGroups", {"LotNumberSortField"});
    if (revision < 13) {
        s.setType("TestGroups", "LotNumber", s.text(250));
        s.dropColumns("TestGroups", {"Completed", "WindowsUserName", "ComputerName"});
        s.dropColumns("TestMeasurements", {"TimeIntervalInt"});
    }
    if (revision < 12) {
        s.dropColumns("Tests", {"ShowOnReport"});
        for (int l = 0; l < 16; ++l)
            s.setType("TestMeasurements", letterColumn(l, "Value"), QString::fromLatin1(d.doubleType) + " DEFAULT 0");
    }
    if (revision < 11) {
        s.dropTable("Zamo24PaceProperties");
        s.dropColumns("TestGroups", {"Zamo24"});
    }
    if (revision == 10 && legacyDemoColumn)
        s.rename("TestGroups", "DemoMode", "VadovMode");
    if (revision < 10)
        s.dropColumns("TestGroups", {"DemoMode"});
    if (revision < 9) {
        s.dropColumns("TestGroups", {"Zamo80CondensedID"});
        s.dropColumns("Tests", {"Zamo80ParentTestID"});
    }
    if (revision < 8) {
        s.dropColumns("TestGroups",
                      {"Zamo80", "Zamo80ACZLimit", "Zamo80ACZ30Limit", "Zamo80ACLGLimit", "Zamo80DEFRLimit4",
                       "Zamo80DEFRLimit60", "Zamo80DCOLimit", "Zamo80NOISEDCOLimit", "Zamo80ACZWarning",
                       "Zamo80ACZ30Warning", "Zamo80ACLGWarning", "Zamo80DEFRWarning4", "Zamo80DEFRWarning60",
                       "Zamo80DCOWarning", "Zamo80NOISEDCOWarning", "SoftwareVersion"});
        s.setType("TestGroups", "TestLimitString", s.text(150));
        s.setType("TestGroups", "TestWarningString", s.text(150));
        s.dropColumns("UnitMasterDiagnostics", {"Zamo80LidClosed", "Zamo8030kPeak"});
    }
    if (revision < 7) {
        s.dropColumns("TestGroups", {"TestWarningString", "UniqueGroupID"});
        s.dropTable("Archive");
        s.dropTable("Globals");
    }
    if (revision < 6)
        s.dropTable("UnitMasterDiagnostics");
    if (revision < 5)
        s.dropColumns("TestGroups", {"NoiseDCOLimit", "NoiseDCOWarning"});
    return s;
}

// How many test types the revision's file holds: DCO, ACZ, SDR and BIAS,
// NOISE from 5 on, ACLG, DEFR, ACZ30, PACE1 and PACE2 from 8 on, and
// AVG_ACLG from 12 on.
int testTypeCount(int revision)
{
    return revision < 5 ? 4 : revision < 8 ? 5 : revision < 12 ? 10 : 11;
}

QStringList keptTables()
{
    return {"TestTypes", "Globals", "Version"};
}

QString boolean(const platform::DbDialect& d, const QString& condition)
{
    return QStringLiteral("CASE WHEN %1 THEN %2 ELSE %3 END").arg(condition, d.trueLiteral, d.falseLiteral);
}

// INSERT of count rows, i running 1..count.
void insertNumbered(platform::DbConnection& db, qint64 count, const QString& table, const QStringList& columns,
                    const QStringList& values)
{
    if (count <= 0)
        return;
    QStringList quoted;
    for (const QString& c : columns)
        quoted << platform::DbDialect::column(c);
    db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                              "INSERT INTO %2 (%3) SELECT %4 FROM n")
                   .arg(count)
                   .arg(table, quoted.join(", "), values.join(", ")));
}

struct SeedColumns {
    QString table;
    QString key;
    QStringList columns;
};

// The seeded columns of each table at the revision.
QList<SeedColumns> seedColumns(int revision)
{
    QStringList groups = {"GroupID", "DateExecuted", "DateCompleted",   "LotNumber",
                          "Notes",   "Cancelled",    "TestLimitString", "DCOLimit"};
    if (revision >= 7)
        groups << "TestWarningString"
               << "UniqueGroupID";
    return {
        {"TestGroups", "GroupID", groups},
        {"Tests", "TestID", {"TestID", "GroupID", "TestTypeID", "TestStartTime"}},
        {"TestUnit", "TestUnitID", {"TestUnitID", "UnitNumber", "TestID", "Itteration"}},
        {"TestMeasurements", "MeasurementID", {"MeasurementID", "TestUnitID", "TimeInterval", "A_Value", "P_Value"}},
        {"TestResults", "ResultID", {"ResultID", "TestUnitID", "A_Result", "P_Result"}},
        {"UnitElectrodes",
         "UnitElectrodesID",
         {"UnitElectrodesID", "GroupID", "UnitNumber", "A_CalibrationDate", "A_SerialNumber", "P_LotNumber"}},
    };
}

void seed(platform::DbConnection& db, int revision, const OldRevisionSeed& seed, bool legacyDemoColumn)
{
    const platform::DbDialect& d = db.dialect();
    const qint64 groups = seed.groups;
    const qint64 tests = groups * seed.testsPerGroup;
    const qint64 readings = tests * seed.readingsPerTest;
    const QString executed = d.dateLiteral(QDateTime(QDate(2015, 6, 1), QTime(8, 30, 15)));
    const QString completed = d.dateLiteral(QDateTime(QDate(2015, 6, 1), QTime(9, 45, 0)));

    QStringList columns = seedColumns(revision)[0].columns;
    QStringList values = {"i",           executed,  completed, "'LOT-' || i", "'notes ' || i", boolean(d, "i % 7 = 0"),
                          "'DCO<' || i", "i * 0.25"};
    if (revision >= 7)
        values << "'warn ' || i"
               << "i";
    if (revision == 10 && legacyDemoColumn) {
        columns << "VadovMode";
        values << boolean(d, "i % 3 = 0");
    }
    insertNumbered(db, groups, "TestGroups", columns, values);
    insertNumbered(db, tests, "Tests", seedColumns(revision)[1].columns,
                   {"i", QStringLiteral("(i - 1) / %1 + 1").arg(seed.testsPerGroup),
                    QStringLiteral("(i - 1) % %1 + 1").arg(std::min(5, testTypeCount(revision))), executed});
    insertNumbered(db, tests, "TestUnit", seedColumns(revision)[2].columns, {"i", "1", "i", "1"});
    insertNumbered(db, readings, "TestMeasurements", seedColumns(revision)[3].columns,
                   {"i", QStringLiteral("(i - 1) / %1 + 1").arg(seed.readingsPerTest), "'' || ((i - 1) % 4 * 30)",
                    "i * 0.5", "-i * 1.5"});
    insertNumbered(db, tests, "TestResults", seedColumns(revision)[4].columns,
                   {"i", "i", "CASE WHEN i % 4 = 0 THEN 'FAIL' ELSE 'PASS' END", "'PASS?'"});
    insertNumbered(
        db, groups, "UnitElectrodes", seedColumns(revision)[5].columns,
        {"i", "i", "1", d.dateLiteral(QDateTime(QDate(2015, 1, 10), QTime(0, 0))), "'SA' || i", "'L-P' || i"});
    if (revision >= 7)
        db.execute(QStringLiteral("UPDATE Globals SET LastUniqueGroupID=%1 WHERE ID=1").arg(groups));
    if (db.backend() == platform::DbBackend::PostgreSQL)
        for (const SeedColumns& t : seedColumns(revision))
            db.execute(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                      "COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)")
                           .arg(t.table.toLower(), t.key.toLower()));
}

} // namespace

void buildOldRevisionDatabase(platform::DbConnection& db, int revision, const OldRevisionSeed& seedWanted,
                              bool legacyDemoColumn)
{
    const bool local = db.backend() == platform::DbBackend::SQLite;
    if (revision < (local ? 4 : 13) || revision > results::ResultsSchema::CurrentRevision)
        throw platform::DbError(QStringLiteral("No old schema of revision %1 for this back end").arg(revision));
    // The fixed rows come with the current schema; every other table is then
    // made again as the revision had it.
    results::ResultsSchema::create(db, revision);
    OldSchema old = schemaOf(db.backend(), revision, legacyDemoColumn);
    db.transaction();
    try {
        for (const results::ResultsSchema::Table& t : results::ResultsSchema::tables())
            if (!keptTables().contains(t.name))
                db.execute("DROP TABLE " + t.name);
        if (revision < 7)
            db.execute("DROP TABLE Globals");
        for (const OldTable& t : old.tables()) {
            if (keptTables().contains(t.name))
                continue;
            QStringList columns;
            for (const OldColumn& c : t.columns)
                columns << platform::DbDialect::column(c.name) + ' ' + c.type;
            db.execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(t.name, columns.join(", ")));
            for (const results::ResultsSchema::Index& i : t.indexes)
                db.execute(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                               .arg(i.unique ? "UNIQUE " : "", platform::DbDialect::indexName(t.name, i.name), t.name,
                                    platform::DbDialect::column(i.column)));
        }
        const int types = testTypeCount(revision);
        db.execute(QStringLiteral("DELETE FROM TestTypes WHERE TypeID > %1").arg(types));
        if (local)
            db.execute(QStringLiteral("UPDATE sqlite_sequence SET seq = %1 WHERE name = 'TestTypes'").arg(types));
        seed(db, revision, seedWanted, legacyDemoColumn);
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
}

QString seededRowsText(platform::DbConnection& db, int revision)
{
    QString text;
    for (const SeedColumns& t : seedColumns(revision)) {
        QStringList quoted;
        for (const QString& c : t.columns)
            quoted << platform::DbDialect::column(c);
        text += t.table + ":\n"
                + db.execute(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(quoted.join(", "), t.table, t.key))
                      .getString("|", "\n", "<null>");
    }
    return text;
}

} // namespace testsupport
