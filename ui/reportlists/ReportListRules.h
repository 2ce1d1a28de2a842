#pragma once
// The choices of the report list windows that follow from the report type
// shown, the connected units, the command line and the number of groups,
// apart from any widget. Nothing here fails.

#include "run/UnitMode.h"

#include <QString>

namespace ui {

// The report types of the lists, in the order the type lists hold them.
inline const QString ReportTypeAll = QStringLiteral("ALL");
inline const QString ReportTypeZamo = QStringLiteral("ZAMO");
inline const QString ReportTypeZamo80 = QStringLiteral("ZAMO80");
inline const QString ReportTypeZamo24 = QStringLiteral("ZAMO2-4");

// Groups to a page of the lists.
constexpr int ReportListPageSize = 1000;

enum class ReportKind { Full, Condensed };

// The report a double-click on a group opens: the condensed one for the
// ZAMO80 family ("ZAMO80", "ZAMO2-4"), the full one for "ALL" and "ZAMO".
// The view button opens the other one.
ReportKind doubleClickReport(const QString& type);
ReportKind viewButtonReport(const QString& type);
// The label beside the view button that names the report it opens:
// "View Selected Full Report" or "View Selected Condensed Report".
QString viewButtonLabel(const QString& type);
// Whether an export writes the ZAMO80 condensed report: only for "ZAMO80";
// every other type, "ZAMO2-4" too, exports the full report.
bool exportsZamo80Condensed(const QString& type);

// The type a list opens with for the connected units: "ZAMO" unless they
// run in ZAMO80 mode, then "ZAMO2-4" for a single ZAMO2-4 unit and
// "ZAMO80" otherwise.
QString reportTypeForUnits(run::ConnectedUnitsMode mode, bool singleZamo24);

// The entries of the page list for a count of groups: count / 1000 + 1, so
// that exactly 2000 groups give three pages.
int reportListPageCount(qint64 groups);

// The service switches, found anywhere in the command line in any letter
// case: Archive Now needs "/rida2" or "/vadov" and a local database; the
// archived list's Show All needs "/rida" (so "/rida1" and "/rida2" too) or
// "/vadov".
bool archiveNowOffered(const QString& commandLine, bool localDatabase);
bool archivedShowAllOffered(const QString& commandLine);

} // namespace ui
