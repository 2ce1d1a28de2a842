#pragma once
// The condensed copy of a ZAMO80 test group, for the condensed ZAMO80
// report. A ZAMO80 run stores one test per electrode (or electrode set) and
// user step, each naming its user step in Zamo80ParentTestID; the condensed
// group folds them into one test per user step, with the test units,
// readings and verdicts of all the tests of that step merged:
//   - one Tests row per parent id, with the type, start time and
//     ShowOnReport of the parent's first test (lowest TestID);
//   - one TestUnit row per (condensed test, unit, iteration);
//   - one TestMeasurements row per (condensed unit, time interval text); a
//     letter's value comes from the first source that has one (lowest
//     TestID, then lowest MeasurementID);
//   - one TestResults row per condensed unit; a letter's verdict follows its
//     value (the source unit that gave the value gives the verdict); a
//     source unit without readings gives every verdict it holds, a later
//     source overwriting an earlier one.
// The new TestGroups row has the next group number, Zamo80 set, no dates,
// and Zamo80CondensedID = the source's UniqueGroupID; the source's
// Zamo80CondensedID becomes the condensed row's GroupID. So each link holds
// what it names: source -> condensed by GroupID, condensed -> source by
// UniqueGroupID.
//
// The build is one transaction: the condensed group, with its link, is
// stored whole or not at all. Failure: platform::DbError, nothing written.

#include <QtGlobal>

namespace platform {
class DbConnection;
}

namespace results {

// Builds the condensed group of the group groupID on the connection and
// returns its GroupID. Logs "Generating Condensed ZAMO80 Report" before
// and "Condensed report complete, <milliseconds>" after a build. A group
// that does not exist throws platform::DbError.
qint32 buildCondensedZamo80Group(platform::DbConnection& connection, qint32 groupID);

// The GroupID of the condensed group of the group with that GroupID, or 0
// when it has none (or its link does not lead back to it).
qint32 condensedGroupOf(platform::DbConnection& connection, qint32 groupID);
// The GroupID of the group that the condensed group with that GroupID was
// built from, or 0 when it is no condensed group.
qint32 sourceGroupOf(platform::DbConnection& connection, qint32 condensedGroupID);

} // namespace results
