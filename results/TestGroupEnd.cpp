#include "results/TestGroupEnd.h"

#include "config/Log.h"
#include "platform/DbError.h"
#include "results/WriterSupport.h"

namespace modDatabase {

bool CompleteTestGroup(qint32 groupID, const QDateTime& dateCompleted, QString* why)
{
    try {
        platform::DbConnection* db = OpenedConnection();
        if (!db) {
            if (why)
                *why = QStringLiteral("the database connection cannot be opened");
            return false;
        }
        db->execute(QStringLiteral("UPDATE TestGroups SET DateCompleted = ?, Completed = ? WHERE GroupID = ")
                        + QString::number(groupID),
                    {DateParam("@DateCompleted", dateCompleted), BooleanParam("@Completed", true)});
        modMain::WriteLog(QStringLiteral("Test Group ID = ") + QString::number(groupID) + QStringLiteral(" complete"));
        return true;
    } catch (const platform::DbError& e) {
        modMain::WriteLog(QStringLiteral("dbTestGroupComplete ") + e.text());
        if (why)
            *why = e.cause();
        return false;
    }
}

void CancelTestGroup(qint32 groupID)
{
    platform::DbConnection* db = OpenedConnection();
    if (!db)
        return;
    db->execute(QStringLiteral("UPDATE TestGroups SET Cancelled=") + db->dialect().booleanLiteral(true)
                + QStringLiteral(" WHERE GroupID = ") + QString::number(groupID));
    modMain::WriteLog(QStringLiteral("Test Group ID = ") + QString::number(groupID) + QStringLiteral(" cancelled"));
}

} // namespace modDatabase
