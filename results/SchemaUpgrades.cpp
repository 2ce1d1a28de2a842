#include "results/SchemaUpgrades.h"

#include "platform/DbError.h"
#include "results/SqliteRowChunks.h"
#include "results/SqliteTableRebuild.h"

#include <optional>

namespace results {

using platform::DbBackend;
using platform::DbDialect;
using platform::DbError;
using platform::DbParameter;
using platform::DbType;
using ResultsSchema::Column;
using ResultsSchema::ColumnType;

namespace {

const QString kTestGroups = QStringLiteral("TestGroups");

// Thrown at a turn of the message loop when the step is to stop there.
struct StepStopped {};

QString letterColumn(int letter, const char* name)
{
    return QChar('A' + letter) + QLatin1Char('_') + QLatin1String(name);
}

} // namespace

SchemaUpgrades::SchemaUpgrades(platform::DbConnection& connection, SchemaUpgradeObserver& observer)
    : m_connection(connection), m_observer(observer)
{
}

bool SchemaUpgrades::upgradeLocalTo(int revision)
{
    // The first three steps leave the bar where the window starts it (0).
    switch (revision) {
    case 7: return runStep(7, false, -1, true, [this] { toRev7(); });
    case 8: return runStep(8, false, -1, true, [this] { toRev8(); });
    case 9: return runStep(9, false, -1, true, [this] { toRev9(); });
    case 10: return runStep(10, false, 10, true, [this] { toRev10(); });
    case 11: return runStep(11, false, 10, false, [this] { toRev11(); });
    case 12: return runStep(12, false, 10, true, [this] { toRev12(); });
    case 13: return runStep(13, false, 10, false, [this] { toRev13(); });
    case 14: return runStep(14, false, 10, false, [this] { toRev14(); });
    case 15: return runStep(15, false, 10, true, [this] { m_observer.progress(75); });
    }
    m_observer.log(QStringLiteral("There is no database upgrade to Rev %1").arg(revision));
    return false;
}

bool SchemaUpgrades::upgradeLocalFrom(int revision)
{
    if (revision < OldestLocalRevision || revision >= ResultsSchema::CurrentRevision)
        return false;
    for (int next = revision + 1; next <= ResultsSchema::CurrentRevision; ++next)
        if (m_observer.stopAsked() || !upgradeLocalTo(next))
            return false;
    return true;
}

bool SchemaUpgrades::upgradeServerTo(int revision)
{
    switch (revision) {
    case 14: return runStep(14, true, 10, true, [this] { serverToRev14(); });
    case 15: return runStep(15, true, 10, true, [this] { serverToRev15(); });
    }
    m_observer.log(QStringLiteral("There is no SQL Database upgrade to Rev %1").arg(revision));
    return false;
}

bool SchemaUpgrades::runStep(int revision, bool server, int startValue, bool finalHundred,
                             const std::function<void()>& body)
{
    const QString name =
        (server ? QStringLiteral("SQL Database upgrade to Rev ") : QStringLiteral("Database upgrade to Rev "))
        + QString::number(revision);
    m_observer.windowShown();
    if (startValue >= 0)
        m_observer.progress(startValue);
    bool began = false;
    try {
        if (!m_connection.isOpen())
            throw platform::DbError(QStringLiteral("The database connection is closed"));
        if ((m_connection.backend() == platform::DbBackend::PostgreSQL) != server)
            throw platform::DbError(server ? QStringLiteral("This step is for a server database, not a database file")
                                           : QStringLiteral("This step is for a database file, not a server database"));
        m_connection.transaction();
        began = true;
        body();
        execute(QStringLiteral("UPDATE Version SET DBRevNumber=%1 WHERE ID=1").arg(revision));
        m_connection.commit();
    } catch (const platform::DbError& e) {
        if (began)
            m_connection.rollback();
        m_observer.windowClosed();
        m_observer.log(name + QStringLiteral(" failed; the database is left at Rev %1 as it was: ").arg(revision - 1)
                       + e.text());
        return false;
    } catch (const StepStopped&) {
        m_connection.rollback();
        m_observer.windowClosed();
        m_observer.log(name + QStringLiteral(" stopped; the database is left at Rev %1 as it was").arg(revision - 1));
        return false;
    }
    if (finalHundred)
        m_observer.progress(100);
    m_observer.windowClosed();
    m_observer.log(name);
    return true;
}

void SchemaUpgrades::progressAndTurn(int value)
{
    m_observer.progress(value);
    turn();
}

void SchemaUpgrades::turn()
{
    m_observer.letEventsRun();
    if (m_observer.stopAsked())
        throw StepStopped{};
}

void SchemaUpgrades::execute(const QString& sql, const QList<platform::DbParameter>& params)
{
    m_connection.execute(sql, params);
}

void SchemaUpgrades::executeInRanges(const QString& table, const QString& sql)
{
    runInRowidRanges(m_connection, table, sql, {}, [this] { turn(); });
}

Column SchemaUpgrades::current(const QString& table, const QString& column)
{
    for (const ResultsSchema::Table& t : ResultsSchema::tables())
        if (t.name == table)
            for (const Column& c : t.columns)
                if (c.name == column)
                    return c;
    throw platform::DbError(QStringLiteral("The schema has no column %1.%2").arg(table, column));
}

void SchemaUpgrades::addColumns(const QString& table, const QList<Column>& columns)
{
    for (const Column& c : columns)
        execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                    .arg(table, platform::DbDialect::column(c.name),
                         ResultsSchema::columnSqlType(m_connection.backend(), c)));
}

void SchemaUpgrades::addCurrentColumns(const QString& table, const QStringList& columns)
{
    QList<Column> list;
    for (const QString& name : columns)
        list << current(table, name);
    addColumns(table, list);
}

void SchemaUpgrades::createCurrentTable(const QString& table)
{
    for (const ResultsSchema::Table& t : ResultsSchema::tables())
        if (t.name == table) {
            for (const QString& statement : ResultsSchema::tableScript(m_connection.backend(), t))
                execute(statement);
            return;
        }
    throw platform::DbError(QStringLiteral("The schema has no table %1").arg(table));
}

void SchemaUpgrades::changeColumnTypes(const QString& table, const QList<Column>& columns)
{
    QList<SqliteColumn> now = sqliteColumns(m_connection, table);
    for (const Column& wanted : columns) {
        bool found = false;
        for (SqliteColumn& column : now)
            if (column.name.compare(wanted.name, Qt::CaseInsensitive) == 0) {
                column.type = ResultsSchema::columnSqlType(platform::DbBackend::SQLite, wanted);
                found = true;
            }
        if (!found)
            throw platform::DbError(QStringLiteral("Cannot change the column %1.%2").arg(table, wanted.name),
                                    QStringLiteral("it does not exist"));
    }
    rebuildSqliteTable(m_connection, table, now, [this] { turn(); });
}

void SchemaUpgrades::insertTestType(const QString& values)
{
    execute(
        QStringLiteral("INSERT INTO TestTypes (TypeName, TypeMeasurementUnits, TypeDescription, TypeUnits) VALUES (")
        + values);
}

// Every group takes its own GroupID as its UniqueGroupID. With more than 50
// groups the rows are written in batches, one at every (count / 50)th
// GroupID, each raising the bar by one and letting the message loop run.
void SchemaUpgrades::numberGroups()
{
    const qint64 count = m_connection.execute(QStringLiteral("SELECT COUNT(*) FROM TestGroups")).value(0).toLongLong();
    platform::DbRecordset groups =
        m_connection.execute(QStringLiteral("SELECT GroupID FROM TestGroups ORDER BY GroupID"));
    const auto write = [this](qint64 first, qint64 last) {
        execute(QStringLiteral("UPDATE TestGroups SET UniqueGroupID = GroupID WHERE GroupID >= ? AND GroupID <= ?"),
                {platform::DbParameter::fromValue(first), platform::DbParameter::fromValue(last)});
    };
    const qint64 every = count > 50 ? count / 50 : 0;
    int bar = 40;
    qint64 g = 0;
    std::optional<qint64> firstPending;
    for (; !groups.eof(); groups.moveNext()) {
        g = groups.value(0).toLongLong();
        if (!firstPending)
            firstPending = g;
        if (every > 0 && g % every == 0) {
            m_observer.progress(++bar);
            write(*firstPending, g);
            firstPending.reset();
            turn();
        }
    }
    if (firstPending)
        write(*firstPending, g);
    execute(QStringLiteral("UPDATE Globals SET LastUniqueGroupID=%1 WHERE ID=1").arg(g));
}

void SchemaUpgrades::toRev7()
{
    addColumns(kTestGroups, {Column{QStringLiteral("TestWarningString"), ColumnType::Text, 150},
                             current(kTestGroups, QStringLiteral("UniqueGroupID"))});
    execute(QStringLiteral("CREATE UNIQUE INDEX %1 on TestGroups (UniqueGroupID)")
                .arg(platform::DbDialect::indexName(kTestGroups, QStringLiteral("UniqueGroupID"))));
    progressAndTurn(10);
    createCurrentTable(QStringLiteral("Archive"));
    progressAndTurn(20);
    createCurrentTable(QStringLiteral("Globals"));
    progressAndTurn(30);
    execute(QStringLiteral("INSERT INTO Globals (LastUniqueGroupID) VALUES (0)"));
    progressAndTurn(40);
    numberGroups();
    m_observer.progress(90);
}

void SchemaUpgrades::toRev8()
{
    addCurrentColumns(kTestGroups,
                      {"Zamo80", "Zamo80ACZLimit", "Zamo80ACZ30Limit", "Zamo80ACLGLimit", "Zamo80DEFRLimit4",
                       "Zamo80DEFRLimit60", "Zamo80DCOLimit", "Zamo80NOISEDCOLimit", "Zamo80ACZWarning",
                       "Zamo80ACZ30Warning", "Zamo80ACLGWarning", "Zamo80DEFRWarning4", "Zamo80DEFRWarning60",
                       "Zamo80DCOWarning", "Zamo80NOISEDCOWarning", "SoftwareVersion"});
    changeColumnTypes(kTestGroups, {current(kTestGroups, QStringLiteral("TestLimitString")),
                                    current(kTestGroups, QStringLiteral("TestWarningString"))});
    progressAndTurn(30);
    addCurrentColumns(QStringLiteral("UnitMasterDiagnostics"), {"Zamo80LidClosed", "Zamo8030kPeak"});
    progressAndTurn(60);
    insertTestType(QStringLiteral("'ACLG', 'Impedance (50:X Ohms)','','Ohms')"));
    insertTestType(QStringLiteral("'DEFR', 'DCO (mV)','','mV')"));
    insertTestType(QStringLiteral("'ACZ30', 'Impedance (Ohms)','','Ohms')"));
    insertTestType(QStringLiteral("'PACE1', '','','')"));
    insertTestType(QStringLiteral("'PACE2', '','','')"));
    m_observer.progress(90);
}

void SchemaUpgrades::toRev9()
{
    addCurrentColumns(kTestGroups, {"Zamo80CondensedID"});
    progressAndTurn(30);
    addCurrentColumns(QStringLiteral("Tests"), {"Zamo80ParentTestID"});
    progressAndTurn(90);
}

void SchemaUpgrades::toRev10()
{
    addCurrentColumns(kTestGroups, {"DemoMode"});
}

void SchemaUpgrades::toRev11()
{
    createCurrentTable(QStringLiteral("Zamo24PaceProperties"));
    addCurrentColumns(kTestGroups, {"Zamo24"});
}

void SchemaUpgrades::toRev12()
{
    addCurrentColumns(QStringLiteral("Tests"), {"ShowOnReport"});
    // The readings lose the default 0 they had, one column after the other;
    // SQLite makes the table again once for all of them.
    QList<SqliteColumn> columns = sqliteColumns(m_connection, QStringLiteral("TestMeasurements"));
    bool changed = false;
    for (int letter = 0; letter < 16; ++letter) {
        m_observer.progress(25 + letter);
        for (SqliteColumn& column : columns)
            if (column.name.compare(letterColumn(letter, "Value"), Qt::CaseInsensitive) == 0
                && !column.defaultValue.isEmpty()) {
                column.defaultValue.clear();
                changed = true;
            }
    }
    if (changed)
        rebuildSqliteTable(m_connection, QStringLiteral("TestMeasurements"), columns, [this] { turn(); });
    m_observer.progress(30);
    execute(
        QStringLiteral("INSERT INTO TestTypes (TypeName, TypeMeasurementUnits, TypeUnits) VALUES (?, ?, ?)"),
        {platform::DbParameter{QStringLiteral("@TypeName"), platform::DbType::VarChar, 10, QStringLiteral("AVG_ACLG")},
         platform::DbParameter{QStringLiteral("@TypeMeasurementUnits"), platform::DbType::VarChar, 50,
                               QStringLiteral("Impedance (50:X Ohms)")},
         platform::DbParameter{QStringLiteral("@TypeUnits"), platform::DbType::VarChar, 50, QStringLiteral("Ohms")}});
    m_observer.progress(50);
    executeInRanges(QStringLiteral("Tests"),
                    QStringLiteral("UPDATE Tests SET ShowOnReport=%1 WHERE %2")
                        .arg(m_connection.dialect().booleanLiteral(true), QStringLiteral("%1")));
}

void SchemaUpgrades::toRev13()
{
    changeColumnTypes(kTestGroups, {current(kTestGroups, QStringLiteral("LotNumber"))});
    addCurrentColumns(kTestGroups, {"Completed", "WindowsUserName", "ComputerName"});
    addCurrentColumns(QStringLiteral("TestMeasurements"), {"TimeIntervalInt"});
}

void SchemaUpgrades::toRev14()
{
    addCurrentColumns(kTestGroups, {"LotNumberSortField"});
    executeInRanges(kTestGroups,
                    QStringLiteral("UPDATE TestGroups SET LotNumberSortField = substr(LotNumber, 1, 250) WHERE %1"));
}

void SchemaUpgrades::serverToRev14()
{
    addCurrentColumns(kTestGroups, {"LotNumberSortField"});
    m_observer.progress(50);
    execute(QStringLiteral("UPDATE TestGroups SET LotNumberSortField = LEFT(LotNumber, 250)"));
    m_observer.progress(75);
}

// The date columns become the server's date and time of whole seconds; a
// column that is one already stays as it is.
void SchemaUpgrades::serverToRev15()
{
    const QString dateType = QString::fromLatin1(m_connection.dialect().dateType);
    const auto toDate = [&](const QString& table, const QString& column) {
        execute(
            QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3 USING CAST(%2 AS %3)").arg(table, column, dateType));
    };
    toDate(kTestGroups, QStringLiteral("DateCompleted"));
    toDate(kTestGroups, QStringLiteral("DateExecuted"));
    toDate(QStringLiteral("Archive"), QStringLiteral("ArchiveDate"));
    toDate(QStringLiteral("Tests"), QStringLiteral("TestStartTime"));
    for (int letter = 0; letter < 16; ++letter) {
        toDate(QStringLiteral("UnitElectrodes"), letterColumn(letter, "CalibrationDate"));
        if (letter == 1)
            m_observer.progress(35);
        else if (letter == 7)
            m_observer.progress(70);
    }
}

bool SchemaUpgrades::columnExists(const QString& table, const QString& column)
{
    if (!m_connection.isOpen())
        return false;
    try {
        m_connection.execute(QStringLiteral("SELECT %1 FROM %2 WHERE 1=0").arg(column, table));
        return true;
    } catch (const platform::DbError&) {
        return false;
    }
}

bool SchemaUpgrades::repairLegacyDemoModeColumn()
{
    if (!m_connection.isOpen()) {
        m_observer.log(
            QStringLiteral("The legacy column VadovMode cannot be checked: the database connection is closed"));
        return false;
    }
    if (!columnExists(kTestGroups, QStringLiteral("VadovMode")))
        return true;
    m_observer.windowShown();
    m_observer.progress(10);
    try {
        m_connection.transaction();
        try {
            if (!columnExists(kTestGroups, QStringLiteral("DemoMode")))
                addCurrentColumns(kTestGroups, {"DemoMode"});
            m_observer.progress(30);
            execute(QStringLiteral("UPDATE TestGroups SET DemoMode=COALESCE(VadovMode, %1)")
                        .arg(m_connection.dialect().booleanLiteral(false)));
            m_observer.progress(60);
            execute(QStringLiteral("ALTER TABLE TestGroups DROP COLUMN VadovMode"));
            m_connection.commit();
        } catch (const platform::DbError&) {
            m_connection.rollback();
            throw;
        }
    } catch (const platform::DbError& e) {
        m_observer.windowClosed();
        m_observer.log(QStringLiteral("The legacy column VadovMode could not be moved to DemoMode; the database is "
                                      "left as it was: ")
                       + e.text());
        return false;
    }
    m_observer.progress(100);
    m_observer.windowClosed();
    m_observer.log(QStringLiteral("Legacy column VadovMode moved to DemoMode"));
    return true;
}

void SchemaUpgrades::fixNoiseTypeUnits()
{
    try {
        execute(QStringLiteral("UPDATE TestTypes SET TypeMeasurementUnits=? WHERE (TypeID=5 AND TypeName='NOISE')"),
                {platform::DbParameter{QStringLiteral("TypeMeasurementUnits"), platform::DbType::VarChar, 50,
                                       QStringLiteral("Amplitude (uVpp)")}});
    } catch (const platform::DbError& e) {
        m_observer.log(QStringLiteral("The NOISE test type's units could not be reset: ") + e.text());
    }
}

} // namespace results
