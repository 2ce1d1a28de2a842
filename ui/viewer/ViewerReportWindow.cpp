#include "ui/viewer/ViewerReportWindow.h"

#include "platform/Prompts.h"
#include "platform/Report.h"
#include "platform/ReportError.h"
#include "ui/reports/ReportPrinter.h"
#include "ui/reports/ReportView.h"
#include "ui/viewer/ViewerExport.h"
#include "viewer/ViewerReportSource.h"

#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace ui {

ViewerReportWindow::ViewerReportWindow(std::unique_ptr<platform::Report> report, qint64 groupId, QWidget* parent)
    : QWidget(parent, Qt::Window), m_report(std::move(report)), m_groupId(groupId)
{
    setObjectName(QStringLiteral("TestReportForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(viewer::ViewerReportSource::Title);
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    QAction* setup = file->addAction(QStringLiteral("Print/Page Setup"));
    setup->setObjectName(QStringLiteral("mPrintSetup"));
    connect(setup, &QAction::triggered, this, &ViewerReportWindow::printSetup);

    QMenu* exportMenu = menuBar->addMenu(QStringLiteral("Export"));
    for (const QString& format : ViewerExport::formats()) {
        QAction* action = exportMenu->addAction(QStringLiteral("Export to ") + format);
        action->setObjectName(QStringLiteral("mExportTo") + format);
        connect(action, &QAction::triggered, this, [this, format] { ViewerExport::exportShown(*m_report, format); });
    }

    m_viewer = new ReportViewer(this);
    m_viewer->setObjectName(QStringLiteral("CRViewer1"));
    connect(m_viewer, &ReportViewer::printFailed, this, [this](const QString& why) {
        platform::Prompts::instance().message(QStringLiteral("Unable to print the report: ") + why,
                                              viewer::ViewerReportSource::Title, platform::MsgButtons::Ok,
                                              platform::MsgIcon::Warning);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_viewer);
    m_viewer->setReportSource(m_report.get());
    m_viewer->viewReport();
    resize(900, 800);
}

ViewerReportWindow::~ViewerReportWindow()
{
    m_viewer->setReportSource(nullptr);
}

void ViewerReportWindow::printSetup()
{
    if (!m_viewer->reportPrinter()->pageSetup(this))
        return;
    try {
        m_viewer->refresh();
    } catch (const platform::ReportError& e) {
        platform::Prompts::instance().message(QStringLiteral("Unable to show the report: ") + e.text(),
                                              viewer::ViewerReportSource::Title, platform::MsgButtons::Ok,
                                              platform::MsgIcon::Warning);
    }
}

} // namespace ui
