#include "support/StoredRunChecks.h"

#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"

namespace testsupport {

namespace {

QString query(platform::DbConnection& db, const QString& sql)
{
    return db.execute(sql).getString(QStringLiteral("|"), QStringLiteral("\n"));
}

platform::DbConnection& readOnly(platform::DbConnection& db, const QString& databaseFile)
{
    db.openFile(databaseFile, true);
    return db;
}

} // namespace

QString untrueRecords(const QString& databaseFile)
{
    platform::DbConnection db;
    return untrueRecords(readOnly(db, databaseFile));
}

QString untrueRecords(platform::DbConnection& db)
{
    QString found;
    for (char c = 'A'; c <= 'P'; ++c) {
        const QString l = QString(QLatin1Char(c));
        found += query(db, "SELECT 'verdict without reading', r.TestUnitID, '" + l + "' FROM TestResults r WHERE r." + l
                               + "_Result IS NOT NULL AND NOT EXISTS (SELECT 1 FROM TestMeasurements m "
                                 "WHERE m.TestUnitID = r.TestUnitID AND m."
                               + l + "_Value IS NOT NULL)");
    }
    return found
           + query(db, QStringLiteral("SELECT 'completed step without reading', u.TestUnitID FROM TestUnit u "
                                      "JOIN Tests t ON t.TestID = u.TestID "
                                      "JOIN TestGroups g ON g.GroupID = t.GroupID "
                                      "WHERE g.Completed <> ")
                           + db.dialect().booleanLiteral(false)
                           + QStringLiteral(" AND NOT EXISTS "
                                            "(SELECT 1 FROM TestMeasurements m WHERE m.TestUnitID = u.TestUnitID)"));
}

QString rowsOfNoRun(const QString& databaseFile)
{
    platform::DbConnection db;
    readOnly(db, databaseFile);
    struct Owned {
        const char* table;
        const char* key;
        const char* ownerKey;
        const char* owner;
    };
    static constexpr Owned kOwned[] = {
        {"Tests", "TestID", "GroupID", "TestGroups"},
        {"Zamo24PaceProperties", "Zamo24PacePropertiesID", "GroupID", "TestGroups"},
        {"UnitMasterDiagnostics", "UnitMasterDiagnosticsID", "GroupID", "TestGroups"},
        {"TestUnit", "TestUnitID", "TestID", "Tests"},
        {"TestMeasurements", "MeasurementID", "TestUnitID", "TestUnit"},
        {"TestResults", "ResultID", "TestUnitID", "TestUnit"},
    };
    QString found;
    for (const Owned& o : kOwned)
        found += query(db, QStringLiteral("SELECT '%1', r.%2 FROM %1 r WHERE NOT EXISTS "
                                          "(SELECT 1 FROM %4 o WHERE o.%3 = r.%3)")
                               .arg(o.table, o.key, o.ownerKey, o.owner));
    return found;
}

QString groupEnds(const QString& databaseFile)
{
    platform::DbConnection db;
    return groupEnds(readOnly(db, databaseFile));
}

QString groupEnds(platform::DbConnection& db)
{
    return query(
        db,
        QStringLiteral(
            "SELECT GroupID, Completed, Cancelled FROM TestGroups WHERE DateExecuted IS NOT NULL ORDER BY GroupID"));
}

QString condensedGroups(const QString& databaseFile)
{
    platform::DbConnection db;
    return query(readOnly(db, databaseFile),
                 QStringLiteral("SELECT s.GroupID, c.GroupID FROM TestGroups s JOIN TestGroups c "
                                "ON c.GroupID = s.Zamo80CondensedID AND c.Zamo80CondensedID = s.UniqueGroupID "
                                "WHERE s.DateExecuted IS NOT NULL ORDER BY s.GroupID"));
}

qsizetype lostRecordLines(const QStringList& operatorLines)
{
    qsizetype lost = 0;
    for (const QString& line : operatorLines)
        if (line.startsWith(QStringLiteral("* Unable to record "))
            && !(line.startsWith(QStringLiteral("* Unable to record the cancelled test group: "))
                 && line.contains(QStringLiteral(" - the cancel waits "))))
            ++lost;
    return lost;
}

QString lostCountLine(qsizetype lost)
{
    return QStringLiteral("* %1 %2 of this run could not be stored")
        .arg(lost)
        .arg(lost == 1 ? QStringLiteral("record") : QStringLiteral("records"));
}

} // namespace testsupport
