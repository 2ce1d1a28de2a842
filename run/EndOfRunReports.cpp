#include "run/EndOfRunReports.h"

#include "run/ReportActions.h"

namespace EndOfRunReports {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool Export(ReportActions& reports, const config::ReportSettings& settings, qint32 uid, const QDateTime& date,
            const QString& format, bool mode80)
{
    if (settings.exportPath.trimmed().isEmpty())
        return false;
    return reports.ExportReport(uid, date, format, QString(), QString(), mode80, mode80);
}

} // namespace

QString Run(ReportActions& reports, const config::ReportSettings& settings, qint32 vUniqueGroupID,
            const QDateTime& vReportDate, bool vMode80, bool vBurnIn)
{
    QString msg;
    if ((settings.exportPdfEnabled || vBurnIn)
        && Export(reports, settings, vUniqueGroupID, vReportDate, QStringLiteral("PDF"), vMode80))
        msg += QStringLiteral("Test report automatically exported to PDF file.") + kCrLf;
    if (settings.exportExcelEnabled
        && Export(reports, settings, vUniqueGroupID, vReportDate, QStringLiteral("XLS"), vMode80))
        msg += QStringLiteral("Test report automatically exported to XLS file.") + kCrLf;
    if (settings.exportTabEnabled
        && Export(reports, settings, vUniqueGroupID, vReportDate, QStringLiteral("TAB"), vMode80))
        msg += QStringLiteral("Test report automatically exported to TXT file.") + kCrLf;
    if (settings.printEnabled) {
        msg += QStringLiteral("Test report automatically printed to Windows Default Printer.") + kCrLf;
        reports.PrintTestReport(vUniqueGroupID, QString(), false, true);
    }
    if (settings.printCondensedEnabled) {
        msg += QStringLiteral("Condensed test report automatically printed to Windows Default Printer.");
        reports.PrintCondensedTestReport(vUniqueGroupID, QString());
    }
    if (settings.displayEnabled)
        reports.OpenTestReport(vUniqueGroupID, vMode80, QString(), vMode80);
    return msg;
}

} // namespace EndOfRunReports
