#include "run/EndOfRunReports.h"

#include "run/ReportActions.h"

namespace run {

namespace EndOfRunReports {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool exportAs(ReportActions& reports, const config::ReportSettings& settings, qint32 uid, const QDateTime& date,
              const QString& format, bool mode80)
{
    if (settings.exportPath.trimmed().isEmpty())
        return false;
    return reports.exportReport(uid, date, format, QString(), QString(), mode80, mode80);
}

} // namespace

QString run(ReportActions& reports, const config::ReportSettings& settings, qint32 uniqueGroupID,
            const QDateTime& reportDate, bool mode80, bool burnIn)
{
    QString msg;
    if ((settings.exportPdfEnabled || burnIn)
        && exportAs(reports, settings, uniqueGroupID, reportDate, QStringLiteral("PDF"), mode80))
        msg += QStringLiteral("Test report automatically exported to PDF file.") + kCrLf;
    if (settings.exportExcelEnabled
        && exportAs(reports, settings, uniqueGroupID, reportDate, QStringLiteral("XLS"), mode80))
        msg += QStringLiteral("Test report automatically exported to XLS file.") + kCrLf;
    if (settings.exportTabEnabled
        && exportAs(reports, settings, uniqueGroupID, reportDate, QStringLiteral("TAB"), mode80))
        msg += QStringLiteral("Test report automatically exported to TXT file.") + kCrLf;
    if (settings.printEnabled) {
        msg += QStringLiteral("Test report automatically printed to Windows Default Printer.") + kCrLf;
        reports.printTestReport(uniqueGroupID, QString(), false, true);
    }
    if (settings.printCondensedEnabled) {
        msg += QStringLiteral("Condensed test report automatically printed to Windows Default Printer.");
        reports.printCondensedTestReport(uniqueGroupID, QString());
    }
    if (settings.displayEnabled)
        reports.openTestReport(uniqueGroupID, mode80, QString(), mode80);
    return msg;
}

} // namespace EndOfRunReports

} // namespace run
