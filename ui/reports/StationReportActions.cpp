#include "ui/reports/StationReportActions.h"

#include "config/StationSettings.h"
#include "results/ReportExportName.h"
#include "ui/common/MdiPlacement.h"
#include "ui/reports/TestReportWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

#include <cmath>

MainFormReportActions::MainFormReportActions(const config::StationSettings& settings,
                                             std::function<ConnectedUnitsMode()> checkZamoMode)
    : m_settings(settings), m_checkZamoMode(std::move(checkZamoMode))
{
}

QString MainFormReportActions::DatabaseOrLive(const QString& path) const
{
    return path.isEmpty() ? m_settings.paths.databaseFile : path;
}

void MainFormReportActions::OpenTestReport(qint32 vUniqueGroupID, bool vCondensedReport, const QString& vDatabasePath,
                                           bool vZamo80)
{
    auto* form = new TestReportForm(m_settings);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setReportGroupID(vUniqueGroupID);
    form->setShowCondensedReport(vCondensedReport);
    form->setZamo80(vZamo80);
    form->setDatabasePath(DatabaseOrLive(vDatabasePath));
    if (ParentMDIForm* frame = StationWindows::ExistingFrame()) {
        StationWindows::AddToFrame(form);
        const int width = static_cast<int>(std::lround((frame->WidthInTwips() - 200) * 2.0 / 3.0));
        MdiChild::SetGeometryTwips(form, 200, 200, width, frame->HeightInTwips() - 1500);
    }
    MdiChild::ShowAndRaise(form);
}

QString MainFormReportActions::ExportFileName(const QDateTime& vReportDate, const QString& vExportFormat,
                                              const QString& vFileName) const
{
    const QString extension = ReportExportName::Extension(vExportFormat);
    if (extension.isEmpty())
        return QString();
    if (!vFileName.isEmpty())
        return ReportExportName::WithExtension(vFileName, vExportFormat);
    QString folder = m_settings.reports.exportPath;
    if (folder.isEmpty())
        return QString();
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("TestReport_") + vReportDate.toString(QStringLiteral("yyyyMMdd-hhmmss"))
           + extension;
}

bool MainFormReportActions::ExportReport(qint32 vUniqueGroupID, const QDateTime& vReportDate,
                                         const QString& vExportFormat, const QString& vFileName,
                                         const QString& vDatabasePath, bool vCondensedReport, bool vZamo80)
{
    const QString name = ExportFileName(vReportDate, vExportFormat, vFileName);
    if (name.isEmpty())
        return false;
    TestReportForm form(m_settings);
    form.setDatabasePath(DatabaseOrLive(vDatabasePath));
    return form.ExportReport(vUniqueGroupID, name, vExportFormat, vCondensedReport, vZamo80);
}

void MainFormReportActions::PrintTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath, bool vCondensed,
                                            bool vZamo80)
{
    TestReportForm form(m_settings);
    form.setDatabasePath(DatabaseOrLive(vDatabasePath));
    form.PrintReport(vUniqueGroupID, vCondensed, vZamo80);
}

void MainFormReportActions::PrintCondensedTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath)
{
    PrintTestReport(vUniqueGroupID, vDatabasePath, true, m_checkZamoMode() == ConnectedUnitsMode::Zamo80);
}
