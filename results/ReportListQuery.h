#pragma once
// What one page of a report list asks for: which test groups (the finished
// ones, or every group that was started), of which unit model, in which
// order, and which page of how many groups, from a database of which schema
// revision.

#include "results/ResultsSchema.h"

#include <QString>

// The report types of the list windows, chosen by the groups' Zamo80 and
// Zamo24 flags.
namespace results {

enum class ReportType {
    All,    // "ALL": every group
    Zamo,   // "ZAMO": neither flag
    Zamo80, // "ZAMO80": zamo80 without isZamo24
    Zamo24, // "ZAMO2-4": isZamo24
};

// The type that a list window's text names, compared exactly and with its
// letter case ("ALL", "ZAMO", "ZAMO80", "ZAMO2-4"); any other text lists
// every group, as "ALL" does.
ReportType reportTypeFromText(const QString& text);

enum class ReportSortKey {
    Id,  // UniqueGroupID
    Lot, // LotNumberSortField, then UniqueGroupID ascending whatever the direction
};

struct ReportListQuery {
    int page = 1; // numbered from 1
    int pageSize = 1000;
    // Open and cancelled groups too; a group that was never started (a
    // condensed ZAMO80 group has no DateExecuted) is never listed.
    bool showAll = false;
    ReportType type = ReportType::All;
    ReportSortKey sortBy = ReportSortKey::Id;
    bool ascending = true;
    // The schema revision of the database read. An older database lacks
    // some of the list's columns: up to revision 6 a group is numbered by
    // its GroupID alone; the unit model is known from revision 8 (ZAMO80)
    // and 11 (ZAMO2-4), the type filter asks no more than the revision
    // knows and lists every group before 8; the lot column, and with it the
    // lot order, comes at revision 14 (before, the lot is Null and the list
    // is in group order).
    int revision = ResultsSchema::CurrentRevision;
};

} // namespace results
