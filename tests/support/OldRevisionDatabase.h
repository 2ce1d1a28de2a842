#pragma once
// Results databases as older stations made them: the schema of any revision
// 4..14 on a database file (SQLite), 13..14 on a server (PostgreSQL), each
// table as that revision defined it, with that revision's fixed rows, and
// seeded with test groups (their tests, test units, readings, verdicts and
// electrodes); the current revision 15 too, seeded alike. The old schemas
// are written here on their own, from what each upgrade step adds, going
// back from the current schema.
//
// No upgrade step leads to revision 5 or 6; what they added is taken from
// the report templates of those revisions: revision 6 brought the unit
// diagnostics (UnitMasterDiagnostics; the first revision whose reports can
// show them), revision 5 the NOISE test (TestTypes row 5, the next key after
// the four types before it, and TestGroups.NoiseDCOLimit/NoiseDCOWarning).

#include "platform/DbConnection.h"

#include <QString>

namespace testsupport {

struct OldRevisionSeed {
    int groups = 0;        // GroupID 1..groups (UniqueGroupID the same, from revision 7 on)
    int testsPerGroup = 2; // each with one test unit and its verdicts
    int readingsPerTest = 2;
};

// Makes the schema of the revision in the empty database of the connection
// and seeds it. legacyDemoColumn: a revision-10 file whose demonstration flag
// is still the column VadovMode (set on every third group). Throws
// platform::DbError.
void buildOldRevisionDatabase(platform::DbConnection& db, int revision, const OldRevisionSeed& seed = {},
                              bool legacyDemoColumn = false);

// The seeded values of every seeded table as text, row by row in key order,
// to compare a database before and after an upgrade.
QString seededRowsText(platform::DbConnection& db, int revision);

} // namespace testsupport
