#pragma once
// What one page of a report list asks for: which test groups (the finished
// ones, or every group that was started), of which unit model, in which
// order, and which page of how many groups.

#include <QString>

namespace results {

// The report types of the list windows, chosen by the groups' Zamo80 and
// Zamo24 flags.
enum class ReportType {
    All,      // "ALL": every group
    Zamo,     // "ZAMO": neither flag
    Zamo80,   // "ZAMO80": Zamo80 without Zamo24
    Zamo24,   // "ZAMO2-4": Zamo24
};

// The type that a list window's text names, compared exactly and with its
// letter case ("ALL", "ZAMO", "ZAMO80", "ZAMO2-4"); any other text lists
// every group, as "ALL" does.
ReportType reportTypeFromText(const QString& text);

enum class ReportSortKey {
    Id,    // UniqueGroupID
    Lot,   // LotNumberSortField, then UniqueGroupID in the same direction
};

struct ReportListQuery {
    int page = 1;        // numbered from 1
    int pageSize = 1000;
    // Open and cancelled groups too; a group that was never started (a
    // condensed ZAMO80 group has no DateExecuted) is never listed.
    bool showAll = false;
    ReportType type = ReportType::All;
    ReportSortKey sortBy = ReportSortKey::Id;
    bool ascending = true;
};

} // namespace results
