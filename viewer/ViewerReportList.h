#pragma once
// The report list of the viewer's main window, without the window: choosing
// a database (a file, or a server through the SQL Server dialog) and the
// status line that tells which one is in use, and each reload of the list,
// one page of 1000 groups at a time, with the page choices, the archive
// records of a database file, and the choices that the database's revision
// allows (report types, sorting by lot, condensed reports).
//
// A reload reads the revision afresh, repairs a revision-10 file's legacy
// column first, and lists the groups with the forms of that revision. It
// never throws: a database that cannot be read gives an empty list with the
// cause, and the window stays as it was otherwise. A file one of whose
// statements ran past the time limit is refused: nothing is listed, and
// nothing more is read from it.

#include "results/ReportLists.h"
#include "viewer/RevisionFeatures.h"
#include "viewer/ViewerDatabase.h"
#include "viewer/ViewerReportTemplates.h"

#include <QString>
#include <QStringList>

// What the list window asks of a reload.
namespace viewer {

struct ReportListRequest {
    static constexpr int PageSize = 1000;

    int page = 1;                               // numbered from 1
    bool showAll = false;                       // "Show All"
    bool ascending = true;                      // "ASC" (else "DSC")
    bool sortByLot = false;                     // "Sort by:" reads "Lot"
    QString reportType = QStringLiteral("ALL"); // "View Report Types"
    // The first load of a newly chosen database: the report type starts
    // again from "ALL" (or "ZAMO" where the revision has no choice).
    bool newDatabase = false;
};

// What the window shows after a reload.
struct ReportListView {
    RevisionFeatures features; // revision 0: no database could be read, nothing is listed
    // What could not be read, "" when everything was: the revision or the
    // groups (the list is then empty), or the archive records (the groups
    // are listed all the same).
    QString failure;
    QString repairFailure; // why a revision-10 file's legacy column could not be repaired
    // The file was refused (failure says why): the window names no database.
    bool refused = false;
    results::ReportListPage page;
    int pageCount = 0;  // the page choices "1".."pageCount" and "of " + pageCount; 0 for none
    int pageIndex = -1; // the page choice shown (page - 1)
    results::ArchiveList archives;
    // The report-type choice: its items, the one selected (the type the
    // list was read with), and whether it and the condensed report can be
    // chosen at all. The sort choice is offered only where lots are kept.
    QStringList reportTypes;
    QString reportType;
    bool reportTypeEnabled = false;
    bool sortEnabled = false;
};

// A new database chosen: the status line, and the list of its first page.
struct DatabaseChoice {
    QString status; // "Version <n> Database Selected", "No Database Selected", ...
    ReportListView list;
};

// A connection to a server from the SQL Server dialog.
struct ServerChoice {
    bool connected = false; // else the dialog stays open and the database in force stays as it was
    QString status;         // the main window's status line
    QString dialogStatus;   // the dialog's line: "" when connected, else "Database connection failed!"
    QString failure;        // why the connection failed
    ReportListView list;    // the first page, when connected
};

class ViewerReportList {
public:
    static const QString NoDatabaseSelected; // "No Database Selected"
    static const QString TestingConnection;  // "Testing Database Connection... please wait."
    static const QString ConnectionFailed;   // "Database connection failed!"

    explicit ViewerReportList(ViewerDatabase& database) : m_database(database) {}

    // The file chosen in the "Open File" dialog; an empty path (the dialog
    // cancelled before a file was chosen) changes nothing but the status.
    DatabaseChoice chooseFile(const QString& path, ReportListRequest request);
    ServerChoice connectServer(const ServerLogOn& logOn, ReportListRequest request);

    ReportListView load(const ReportListRequest& request);

    // The condensed report of a group: the ZAMO80 condensed one when the
    // group has a condensed ZAMO80 group, else the condensed one.
    ReportKind condensedKind(qint64 groupId);

private:
    // The view of a file refused for a statement stopped by the time limit.
    ReportListView refusal(const QString& why);

    ViewerDatabase& m_database;
};

} // namespace viewer
