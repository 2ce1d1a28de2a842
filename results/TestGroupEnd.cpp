#include "results/TestGroupEnd.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "results/WriterSupport.h"

namespace results {

bool completeTestGroup(qint32 groupID, const QDateTime& dateCompleted, QString* why)
{
    try {
        platform::DbConnection* db = openedConnection();
        if (!db) {
            if (why)
                *why = QStringLiteral("the database connection cannot be opened");
            return false;
        }
        db->execute(QStringLiteral("UPDATE TestGroups SET DateCompleted = ?, Completed = ? WHERE GroupID = ")
                        + QString::number(groupID),
                    {dateParam("@DateCompleted", dateCompleted), booleanParam("@Completed", true)});
        config::writeLog(QStringLiteral("Test Group ID = ") + QString::number(groupID) + QStringLiteral(" complete"));
        return true;
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("dbTestGroupComplete ") + e.text());
        if (why)
            *why = e.cause();
        return false;
    }
}

void cancelTestGroup(qint32 groupID)
{
    platform::DbConnection* db = openedConnection();
    if (!db)
        return;
    db->execute(QStringLiteral("UPDATE TestGroups SET Cancelled=") + db->dialect().booleanLiteral(true)
                + QStringLiteral(" WHERE GroupID = ") + QString::number(groupID));
    config::writeLog(QStringLiteral("Test Group ID = ") + QString::number(groupID) + QStringLiteral(" cancelled"));
}

} // namespace results
