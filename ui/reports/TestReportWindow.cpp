#include "ui/reports/TestReportWindow.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/DbError.h"
#include "platform/Prompts.h"
#include "platform/Report.h"
#include "platform/ReportError.h"
#include "results/ConnectionText.h"
#include "results/ReportExportName.h"
#include "ui/reports/ExportFilters.h"
#include "ui/reports/ReportPrinter.h"
#include "ui/reports/ReportView.h"

#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString kTitle = QStringLiteral("Test Report");

QString selectionFormula(qint64 groupID)
{
    return QStringLiteral("{TestGroups.UniqueGroupID} = ") + QString::number(groupID);
}

// The export format by its name; false for another name.
bool formatOf(const QString& name, platform::Report::ExportFormat* format)
{
    if (name == QLatin1String("PDF"))
        *format = platform::Report::ExportFormat::Pdf;
    else if (name == QLatin1String("XLS"))
        *format = platform::Report::ExportFormat::Excel;
    else if (name == QLatin1String("TAB"))
        *format = platform::Report::ExportFormat::TabText;
    else
        return false;
    return true;
}

void logFailure(const QString& what, const QString& why)
{
    config::writeLog(QStringLiteral("Test report ") + what + QStringLiteral(" failed: ") + why);
}

} // namespace

TestReportWindow::TestReportWindow(const config::StationSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TestReportForm"));
    setWindowTitle(kTitle);
    m_menuBar = new QMenuBar(this);
    QMenu* file = m_menuBar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mFile"));
    QAction* setup = file->addAction(QStringLiteral("Print/Page Setup"));
    setup->setObjectName(QStringLiteral("mPrintSetup"));
    connect(setup, &QAction::triggered, this, &TestReportWindow::printSetup);

    QMenu* exportMenu = m_menuBar->addMenu(QStringLiteral("Export"));
    exportMenu->setObjectName(QStringLiteral("mExport"));
    const struct {
        const char* name;
        const char* caption;
        const char* format;
    } exports[] = {
        {"mExportToPDF", "Export to PDF", "PDF"},
        {"mExportToXLS", "Export to XLS", "XLS"},
        {"mExportToTAB", "Export to TAB", "TAB"},
    };
    for (const auto& e : exports) {
        QAction* action = exportMenu->addAction(QString::fromLatin1(e.caption));
        action->setObjectName(QString::fromLatin1(e.name));
        const QString format = QString::fromLatin1(e.format);
        const QString filter = ui::exportDialogFilter(format);
        connect(action, &QAction::triggered, this, [this, format, filter] { exportShown(format, filter); });
    }

    m_viewer = new ui::ReportViewer(this);
    m_viewer->setObjectName(QStringLiteral("CRViewer1"));
    m_viewer->setWindowTitle(kTitle);
    connect(m_viewer, &ui::ReportViewer::printFailed, this,
            [](const QString& why) { logFailure(QStringLiteral("printing"), why); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_viewer);
}

TestReportWindow::~TestReportWindow()
{
    m_viewer->setReportSource(nullptr);
}

QString TestReportWindow::templatePath(const config::StationSettings& settings, bool condensedReport, bool zamo80)
{
    const bool local = settings.database.useLocalDatabase;
    const config::StationPaths& paths = settings.paths;
    if (!condensedReport)
        return local ? paths.electrodeTestReport : paths.sqlElectrodeTestReport;
    if (zamo80)
        return local ? paths.zamo80CondensedReport : paths.sqlZamo80CondensedReport;
    return local ? paths.condensedReport : paths.sqlCondensedReport;
}

std::unique_ptr<platform::Report> TestReportWindow::prepare(qint64 groupID, bool condensed, bool zamo80) const
{
    auto report = platform::Report::open(templatePath(m_settings, condensed, zamo80));
    if (m_settings.database.useLocalDatabase) {
        report->setLocation(m_databasePath);
    } else {
        try {
            report->setLogOnInfo(results::ConnectionDescription::serverAddress(m_settings.database));
        } catch (const platform::DbError& e) {
            throw platform::ReportError(e.text());
        }
    }
    report->verify();
    report->setRecordSelectionFormula(selectionFormula(groupID));
    report->setReportTitle(kTitle);
    return report;
}

void TestReportWindow::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    if (visible && !m_loaded) {
        m_loaded = true;
        loadReport();
    }
}

void TestReportWindow::loadReport()
{
    const bool condensed = m_showCondensedReport;
    const bool zamo80 = m_zamo80;
    m_showCondensedReport = false;
    if (condensed && zamo80)
        m_zamo80 = false;
    try {
        auto report = prepare(m_reportGroupID, condensed, zamo80);
        report->pages(); // filled now, so that a failure leaves the viewer empty
        m_report = std::move(report);
        m_viewer->setReportSource(m_report.get());
        m_viewer->viewReport();
    } catch (const platform::ReportError& e) {
        logFailure(QStringLiteral("of group ") + QString::number(m_reportGroupID), e.text());
    }
}

bool TestReportWindow::exportReport(qint64 reportGroupID, const QString& filePath, const QString& exportFormat,
                                    bool condensedReport, bool zamo80)
{
    platform::Report::ExportFormat format;
    if (!formatOf(exportFormat, &format)) {
        logFailure(QStringLiteral("export"), QStringLiteral("unknown format ") + exportFormat);
        return false;
    }
    try {
        prepare(reportGroupID, condensedReport, zamo80)->exportTo(format, filePath);
        return true;
    } catch (const platform::ReportError& e) {
        logFailure(QStringLiteral("export to ") + filePath, e.text());
        return false;
    }
}

bool TestReportWindow::printReport(qint64 reportGroupID, bool condensedReport, bool zamo80)
{
    try {
        ReportPrinter(*prepare(reportGroupID, condensedReport, zamo80)).printOut();
        return true;
    } catch (const platform::ReportError& e) {
        logFailure(QStringLiteral("printing"), e.text());
        return false;
    }
}

void TestReportWindow::exportShown(const QString& format, const QString& filter)
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Export Report");
    request.filter = filter;
    // The dialog adds it too, so that its overwrite question names the file written.
    request.defaultSuffix = results::ReportExportName::extension(format).mid(1);
    const QString typed = platform::Prompts::instance().saveFile(request);
    if (typed.isEmpty() || !m_report)
        return;
    const QString path = results::ReportExportName::withExtension(typed, format);
    platform::Report::ExportFormat f;
    formatOf(format, &f);
    try {
        m_report->exportTo(f, path);
    } catch (const platform::ReportError& e) {
        logFailure(QStringLiteral("export to ") + path, e.text());
        // The operator asked for this file: say that it was not made.
        platform::Prompts::instance().message(QStringLiteral("Unable to export the report: ") + e.text(), kTitle,
                                              platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    }
}

void TestReportWindow::printSetup()
{
    if (!m_report || !m_viewer->reportPrinter()->pageSetup(this))
        return;
    try {
        m_viewer->refresh();
    } catch (const platform::ReportError& e) {
        logFailure(QStringLiteral("display"), e.text());
    }
}

} // namespace ui
