#pragma once
// The reads behind the report list windows, on the connection given: the
// number of finished groups, one page of the filtered and sorted list of
// groups, the list of archive files, and a group's link to its condensed
// ZAMO80 group. Nothing here writes.
//
// A page holds the groups in the list's order, numbered from 1: page p of
// size s shows the groups (p-1)s+1 to ps; a page that reaches past the end
// of the list shows its last min(s, N) groups instead, so a last partial
// page repeats the end of the page before it. The order is total (the lot
// order breaks ties by group number), so every group is on exactly one of
// the pages before the last. A database of an older schema revision is read
// with the columns that revision has (ReportListQuery::revision).
//
// Every read but condensedReportId throws platform::DbError when its
// statement fails. Only the rows of one page cross from the database; for
// a page after the first it also counts the list, so as to skip the fewer
// groups, those before the page or those after it. A count is kept on the
// connection and taken again only once the database has changed, so that a
// change of page alone does not scan the groups again.

#include "platform/DbConnection.h"
#include "platform/OleDate.h"
#include "results/ReportListQuery.h"

#include <QList>
#include <QString>

// One group of the list: the report grid's columns 1 to 4. The dates are
// local dates and times as the database holds them (0 when Null), made a
// QDateTime only where one is needed (toDateTime).
namespace results {

struct ReportListRow {
    qint64 uniqueGroupId = 0; // as stored; the GroupID up to revision 6, which has no UniqueGroupID
    QString lot;              // LotNumberSortField; "" when Null
    platform::OleDate dateExecuted;
    platform::OleDate dateCompleted; // the zero date (1899-12-30 00:00) while the group is open
};

// One page of the report list.
struct ReportListPage {
    QList<ReportListRow> rows;
    // The same rows as the grid takes them, from column 1 on: fields joined
    // by tabs, rows by carriage returns, Null as an empty text, dates as
    // listDateText writes them. Empty when there are no rows. Made when
    // asked for, not with every page read.
    QString clipText() const;
};

// One archive file made from this database's line of files: the archive
// grid's columns 1 to 3.
struct ArchiveListRow {
    QString range;    // first and last UniqueGroupID, joined by "-"
    QString fileName; // without folder
    platform::OleDate archiveDate;
};

// The archive files of a database, as the archive grid shows them.
struct ArchiveList {
    QList<ArchiveListRow> rows; // in the order the archives were made
    QString clipText() const;   // as ReportListPage::clipText
};

// A date of a list as both programs' lists show it, the station's date and
// time ("12/10/2026 4:06:47 PM"); nothing for a missing date or the zero
// date of a group still open.
QString listDateText(platform::OleDate date);

// The number of groups: every group (with showAll), else the finished ones
// (completed and not cancelled), whatever their model or start date.
qint64 countCompletedTestGroups(platform::DbConnection& db, bool showAll);

// One page of the list. A page or page size below 1 is refused with a
// DbError that says so.
ReportListPage reportListPage(platform::DbConnection& db, const ReportListQuery& query);

ArchiveList archiveList(platform::DbConnection& db);

// The group's Zamo80CondensedID (1 or more when it has a condensed ZAMO80
// group); 0 when the group does not exist, the value is Null or no whole
// number, or anything fails. Never throws.
qint64 condensedReportId(platform::DbConnection& db, qint64 uniqueGroupId) noexcept;

} // namespace results
