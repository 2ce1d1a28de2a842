#pragma once
// What a results file must never hold after a run, whatever failed during
// it: a verdict without its reading, or a completed group with a step of a
// unit that holds no reading. Read from the file, or from a connection to a
// server database, as a report would.

#include <QString>
#include <QStringList>

namespace platform {
class DbConnection;
}

namespace testsupport {

// One line per such record ("verdict without reading|<test unit>|<electrode letter>",
// "completed step without reading|<test unit>"); empty when there is none.
QString untrueRecords(const QString& databaseFile);
QString untrueRecords(platform::DbConnection& db);
// One line per row of a run's tables that belongs to no run ("<table>|<key>"):
// a test, pace-settings or diagnostics row without its group, a test-unit
// row without its test, a reading or verdict row without its test unit;
// empty when there is none.
QString rowsOfNoRun(const QString& databaseFile);
// "<GroupID>|<Completed>|<Cancelled>" per group of a run (not the condensed
// report groups of ZAMO80 runs), in order, one a line.
QString groupEnds(const QString& databaseFile);
QString groupEnds(platform::DbConnection& db);
// "<GroupID>|<condensed GroupID>" per group of a ZAMO80 run whose condensed
// report group links back to it (by its UniqueGroupID), in order, one a line.
QString condensedGroups(const QString& databaseFile);

// The operator log lines of records lost ("* Unable to record ..."), less
// those of a cancel that waits for the database (it is written later).
qsizetype lostRecordLines(const QStringList& operatorLines);
// The operator line that counts the records a run lost.
QString lostCountLine(qsizetype lost);

} // namespace testsupport
