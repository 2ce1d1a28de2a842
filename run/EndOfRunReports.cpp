#include "run/EndOfRunReports.h"

#include "config/Settings.h"
#include "run/ReportActions.h"

namespace EndOfRunReports {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool Export(ReportActions& reports, qint32 uid, const QDateTime& date, const QString& format, bool mode80)
{
    if (Globals::ExportPath.trimmed().isEmpty())
        return false;
    return reports.ExportReport(uid, date, format, QString(), QString(), mode80, mode80);
}

} // namespace

QString Run(ReportActions& reports, qint32 vUniqueGroupID, const QDateTime& vReportDate, bool vMode80, bool vBurnIn)
{
    QString msg;
    if ((Globals::ExportPDFEnabled || vBurnIn) && Export(reports, vUniqueGroupID, vReportDate, QStringLiteral("PDF"), vMode80))
        msg += QStringLiteral("Test report automatically exported to PDF file.") + kCrLf;
    if (Globals::ExportExcelEnabled && Export(reports, vUniqueGroupID, vReportDate, QStringLiteral("XLS"), vMode80))
        msg += QStringLiteral("Test report automatically exported to XLS file.") + kCrLf;
    if (Globals::ExportTabEnabled && Export(reports, vUniqueGroupID, vReportDate, QStringLiteral("TAB"), vMode80))
        msg += QStringLiteral("Test report automatically exported to TXT file.") + kCrLf;
    if (Globals::PrintEnabled) {
        msg += QStringLiteral("Test report automatically printed to Windows Default Printer.") + kCrLf;
        reports.PrintTestReport(vUniqueGroupID, QString(), false, true);
    }
    if (Globals::PrintCondensedEnabled) {
        msg += QStringLiteral("Condensed test report automatically printed to Windows Default Printer.");
        reports.PrintCondensedTestReport(vUniqueGroupID, QString());
    }
    if (Globals::DisplayEnabled)
        reports.OpenTestReport(vUniqueGroupID, vMode80, QString(), vMode80);
    return msg;
}

} // namespace EndOfRunReports
