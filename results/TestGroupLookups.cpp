#include "results/TestGroupLookups.h"

#include "platform/DbError.h"
#include "platform/OleDate.h"
#include "results/ResultsDatabase.h"
#include "results/WriterSupport.h"

namespace results {

qint32 getUniqueGroupID(ResultsDatabase& database, qint32 groupID)
{
    try {
        platform::DbConnection* db = database.openedConnection();
        if (!db)
            return 0;
        const platform::DbRecordset rs =
            db->execute(QStringLiteral("SELECT UniqueGroupID FROM TestGroups WHERE GroupID=?"),
                        {integerParam("@GroupID", groupID)});
        return rs.value(0).toInt();
    } catch (const platform::DbError&) {
        return 0;
    }
}

QDateTime getGroupDateExecuted(ResultsDatabase& database, qint32 groupID)
{
    platform::DbConnection* db = database.openedConnection();
    if (!db)
        return platform::OleDate().toDateTime();
    const platform::DbRecordset rs =
        db->execute(QStringLiteral("SELECT DateExecuted FROM TestGroups WHERE GroupID = ") + QString::number(groupID));
    return rs.dateValue(QStringLiteral("DateExecuted"));
}

QString getTestTypeName(ResultsDatabase& database, qint32 typeID)
{
    platform::DbConnection* db = database.openedConnection();
    if (!db)
        return {};
    const platform::DbRecordset rs =
        db->execute(QStringLiteral("SELECT TypeName FROM TestTypes WHERE TypeID = ") + QString::number(typeID));
    return rs.value(QStringLiteral("TypeName")).toString();
}

} // namespace results
