#pragma once
// The end of a test group: completed at the end of its run, or cancelled.

#include <QDateTime>
#include <QString>

// Sets DateCompleted and Completed and logs "Test Group ID = <id> complete".
// Never throws: a failure is logged as "dbTestGroupComplete <why>" and
// given in why; false then, and when the connection cannot be opened.
namespace results {

bool completeTestGroup(qint32 groupID, const QDateTime& dateCompleted, QString* why = nullptr);
// Marks the group cancelled and logs "Test Group ID = <id> cancelled".
// Throws platform::DbError when the statement fails.
void cancelTestGroup(qint32 groupID);

} // namespace results
