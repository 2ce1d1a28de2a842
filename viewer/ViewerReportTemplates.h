#pragma once
// The viewer's report templates: one for each schema revision (4 to 15),
// report kind and, for the full report from revision 6 on, with or without
// the unit diagnostics; from revision 13 on one set for a database file and
// one for a server. 41 in all, carried as the resources ":/RPT/<number>"
// and written into the viewer's data folder as
// "ElectrodeTestReport_<number>.rpt" just before each use. Each reads only
// the columns of its revision; the revision-15 set is the station's own.
//
//   revision        full (diagnostics / none)   condensed    ZAMO80 condensed
//   4, 5            204, 205                    the full report
//   6, 7            20r1 / 20r2                 the full report
//   8               2081 / 2082                 2083         none
//   9 to 12         20r1 / 20r2                 20r3         20r4
//   13, 14 file     2131 / 2132                 2133         2134
//   13, 14 server   2135 / 2136                 2137         2138
//   15 file         2151 / 2152                 2153         2154
//   15 server       2155 / 2156                 2157         2158

#include <QList>
#include <QString>

#include <optional>

namespace viewer {

enum class ReportKind { Full, Condensed, Zamo80Condensed };

class ViewerReportTemplates {
public:
    // The template for the revision, back end, kind and diagnostics choice;
    // none for a revision outside 4..15 and for a ZAMO80 condensed report
    // of revision 8.
    static std::optional<int> number(int revision, bool server, ReportKind kind, bool diagnostics);

    // Every template number, in rising order.
    static QList<int> all();

    // "ElectrodeTestReport_<number>.rpt"
    static QString fileName(int number);

    // Writes the template into the data folder, replacing the file of an
    // earlier use, and gives its path. When it cannot be written *error
    // holds the message for the operator; the path is given all the same,
    // and whatever file stands there is then read.
    static QString write(int number, QString* error);
};

} // namespace viewer
