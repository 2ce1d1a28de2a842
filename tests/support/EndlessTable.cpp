#include "support/EndlessTable.h"

namespace testsupport {

void makeTableEndless(platform::DbConnection& db, const QString& table)
{
    db.execute(QStringLiteral("ALTER TABLE %1 RENAME TO %1Stored").arg(table));
    db.execute(QStringLiteral("CREATE VIEW %1 AS WITH RECURSIVE Counting(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
                              "FROM Counting) SELECT * FROM %1Stored WHERE EXISTS (SELECT 1 FROM Counting WHERE n < 0)")
                   .arg(table));
}

} // namespace testsupport
