#pragma once
// The report of one test group of the viewer's database, to show or to
// export: the template chosen by the database's revision (read afresh),
// its back end, the report kind and the diagnostics choice, written out of
// the resources just before use; the group selected by its UniqueGroupID,
// or by its GroupID up to revision 6. The report reads the database file
// read-only, or the server with the values in force.
//
// A revision without a template, or a ZAMO80 condensed report of revision
// 8, gives no report and no message. Every other failure comes back with
// its cause for the window to show; a failed export leaves no file.

#include "platform/Report.h"
#include "viewer/ViewerDatabase.h"
#include "viewer/ViewerReportTemplates.h"

#include <QString>

#include <memory>

// A report ready to show, or what stood in its way.
namespace viewer {

struct PreparedReport {
    std::unique_ptr<platform::Report> report; // nullptr when there is none
    bool noTemplate = false;                  // the revision has no template for it: nothing is shown, and nothing said
    QString templateError;                    // the template could not be written (the file standing there was used)
    QString failure;                          // why there is no report although there is a template
};

// How an export ended.
struct ReportExport {
    bool done = false; // the file is written
    QString path;      // the file written, its extension added where it lacked one
    QString message;   // "Report exported to <path>" when done; "" for nothing done
    QString templateError;
    QString failure; // why the export failed; "" when it succeeded or was not asked for
};

class ViewerReportSource {
public:
    static const QString Title;       // "Test Report"
    static const QString ExportTitle; // "Report Export", the title of the message after an export

    explicit ViewerReportSource(ViewerDatabase& database) : m_database(database) {}

    // The report to show in a new report window, filled.
    PreparedReport open(qint64 groupId, ReportKind kind, bool diagnostics);

    // Writes the full report of the group to filePath as "PDF", "XLS" (a
    // workbook) or "TAB" (tab-separated text). An empty path or another
    // format does nothing.
    ReportExport exportFullReport(qint64 groupId, const QString& format, const QString& filePath, bool diagnostics);

    // Writes a report already prepared (the one a report window shows) to
    // filePath as "PDF", "XLS" or "TAB", as exportFullReport does.
    static ReportExport exportTo(platform::Report& report, const QString& format, const QString& filePath);

    // The path with ".PDF", ".XLS" or ".TAB" added when its last four
    // characters, in any letter case, are not that extension already (so a
    // tab export to "a.txt" goes to "a.txt.TAB").
    static QString exportPath(const QString& filePath, const QString& format);

private:
    PreparedReport prepare(qint64 groupId, ReportKind kind, bool diagnostics);

    ViewerDatabase& m_database;
};

} // namespace viewer
