#include "ui/reports/StationReportActions.h"

#include "config/Settings.h"
#include "results/ReportExportName.h"
#include "ui/common/MdiPlacement.h"
#include "ui/reports/TestReportWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

#include <cmath>

namespace {

QString databaseOrLive(const QString& path)
{
    return path.isEmpty() ? Globals::DatabaseFilePath : path;
}

} // namespace

MainFormReportActions::MainFormReportActions(std::function<ConnectedUnitsMode()> checkZamoMode)
    : m_checkZamoMode(std::move(checkZamoMode))
{
}

void MainFormReportActions::OpenTestReport(qint32 vUniqueGroupID, bool vCondensedReport, const QString& vDatabasePath,
                                           bool vZamo80)
{
    auto* form = new TestReportForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setReportGroupID(vUniqueGroupID);
    form->setShowCondensedReport(vCondensedReport);
    form->setZamo80(vZamo80);
    form->setDatabasePath(databaseOrLive(vDatabasePath));
    if (ParentMDIForm* frame = StationWindows::ExistingFrame()) {
        StationWindows::AddToFrame(form);
        const int width = static_cast<int>(std::lround((frame->WidthInTwips() - 200) * 2.0 / 3.0));
        MdiChild::SetGeometryTwips(form, 200, 200, width, frame->HeightInTwips() - 1500);
    }
    MdiChild::ShowAndRaise(form);
}

QString MainFormReportActions::ExportFileName(const QDateTime& vReportDate, const QString& vExportFormat,
                                              const QString& vFileName)
{
    const QString extension = ReportExportName::Extension(vExportFormat);
    if (extension.isEmpty())
        return QString();
    if (!vFileName.isEmpty())
        return ReportExportName::WithExtension(vFileName, vExportFormat);
    QString folder = Globals::ExportPath;
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
    TestReportForm form;
    form.setDatabasePath(databaseOrLive(vDatabasePath));
    return form.ExportReport(vUniqueGroupID, name, vExportFormat, vCondensedReport, vZamo80);
}

void MainFormReportActions::PrintTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath, bool vCondensed,
                                            bool vZamo80)
{
    TestReportForm form;
    form.setDatabasePath(databaseOrLive(vDatabasePath));
    form.PrintReport(vUniqueGroupID, vCondensed, vZamo80);
}

void MainFormReportActions::PrintCondensedTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath)
{
    PrintTestReport(vUniqueGroupID, vDatabasePath, true, m_checkZamoMode() == ConnectedUnitsMode::Zamo80);
}
