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
