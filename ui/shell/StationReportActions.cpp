#include "ui/shell/StationReportActions.h"

#include "config/StationSettings.h"
#include "results/ReportExportName.h"
#include "ui/common/MdiPlacement.h"
#include "ui/reports/TestReportWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

#include <cmath>

namespace ui {

TestWindowReportActions::TestWindowReportActions(const config::StationSettings& settings, StationWindows& windows,
                                                 std::function<run::ConnectedUnitsMode()> checkZamoMode)
    : m_settings(settings), m_windows(windows), m_checkZamoMode(std::move(checkZamoMode))
{
}

QString TestWindowReportActions::databaseOrLive(const QString& path) const
{
    return path.isEmpty() ? m_settings.paths.databaseFile : path;
}

void TestWindowReportActions::openTestReport(qint64 uniqueGroupID, bool condensedReport, const QString& databasePath,
                                             bool zamo80)
{
    auto* form = new TestReportWindow(m_settings);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setReportGroupID(uniqueGroupID);
    form->setShowCondensedReport(condensedReport);
    form->setZamo80(zamo80);
    form->setDatabasePath(databaseOrLive(databasePath));
    if (MainFrame* frame = m_windows.existingFrame()) {
        m_windows.addToFrame(form);
        const int width = static_cast<int>(std::lround((frame->widthInTwips() - 200) * 2.0 / 3.0));
        MdiChild::setGeometryTwips(form, 200, 200, width, frame->heightInTwips() - 1500);
    }
    MdiChild::showAndRaise(form);
}

QString TestWindowReportActions::exportFileName(const QDateTime& reportDate, const QString& exportFormat,
                                                const QString& fileName) const
{
    const QString extension = results::ReportExportName::extension(exportFormat);
    if (extension.isEmpty())
        return QString();
    if (!fileName.isEmpty())
        return results::ReportExportName::withExtension(fileName, exportFormat);
    QString folder = m_settings.reports.exportPath;
    if (folder.isEmpty())
        return QString();
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("TestReport_") + reportDate.toString(QStringLiteral("yyyyMMdd-hhmmss")) + extension;
}

bool TestWindowReportActions::exportReport(qint64 uniqueGroupID, const QDateTime& reportDate,
                                           const QString& exportFormat, const QString& fileName,
                                           const QString& databasePath, bool condensedReport, bool zamo80)
{
    const QString name = exportFileName(reportDate, exportFormat, fileName);
    if (name.isEmpty())
        return false;
    TestReportWindow form(m_settings);
    form.setDatabasePath(databaseOrLive(databasePath));
    return form.exportReport(uniqueGroupID, name, exportFormat, condensedReport, zamo80);
}

void TestWindowReportActions::printTestReport(qint64 uniqueGroupID, const QString& databasePath, bool condensed,
                                              bool zamo80)
{
    TestReportWindow form(m_settings);
    form.setDatabasePath(databaseOrLive(databasePath));
    form.printReport(uniqueGroupID, condensed, zamo80);
}

void TestWindowReportActions::printCondensedTestReport(qint64 uniqueGroupID, const QString& databasePath)
{
    printTestReport(uniqueGroupID, databasePath, true, m_checkZamoMode() == run::ConnectedUnitsMode::Zamo80);
}

} // namespace ui
