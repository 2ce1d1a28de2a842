#pragma once
// Single values read back from the results database.

#include <QDateTime>
#include <QString>

// The group's UniqueGroupID; 0 when there is no connection or no such group
// (never throws).
namespace results {

class ResultsDatabase;

qint32 getUniqueGroupID(ResultsDatabase& database, qint32 groupID);
// The group's DateExecuted; the zero date (1899-12-30) without a
// connection. A missing group throws platform::DbError.
QDateTime getGroupDateExecuted(ResultsDatabase& database, qint32 groupID);
// The TypeName of a test type; "" without a connection. A missing type
// throws platform::DbError.
QString getTestTypeName(ResultsDatabase& database, qint32 typeID);

} // namespace results
