#pragma once
// The limits and the warnings stored in one TestGroups row as one line of
// text, for the row's TestLimitString and TestWarningString.

#include <QString>

// "LIMITS: " (ZAMO80 column set) or "AAMI EC12 LIMITS: " (standard set),
// then one entry per known test type, such as "DCO - 100 mV", joined by
// "; ". "" when the connection cannot be opened; a missing group row or a
// column without a value throws platform::DbError.
namespace results {

class ResultsDatabase;

QString buildTestLimitString(ResultsDatabase& database, qint32 groupID, bool zamo80);
// The same with the warnings, after "WARNING: " for both column sets.
QString buildTestWarningString(ResultsDatabase& database, qint32 groupID, bool zamo80);

} // namespace results
