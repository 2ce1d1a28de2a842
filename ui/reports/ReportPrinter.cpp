#include "ui/reports/ReportPrinter.h"

#include "platform/Report.h"
#include "platform/ReportError.h"
#include "platform/ReportPainter.h"

#include <QPageSetupDialog>
#include <QPageSize>

namespace ui {

using platform::ReportError;

ReportPrinter::ReportPrinter(platform::Report& report) : m_report(report) {}

ReportPrinter::~ReportPrinter() = default;

QPrinter& ReportPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void ReportPrinter::printOut()
{
    QPrinter& target = printer();
    if (target.outputFormat() == QPrinter::NativeFormat && target.printerName().isEmpty())
        throw platform::ReportError(QStringLiteral("No printer"));
    target.setCopyCount(1);
    printOut(target);
}

void ReportPrinter::printOut(QPrinter& printer)
{
    const QList<platform::ReportPage>& laidOut = m_report.pages();
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(m_report.content().landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(m_report.reportTitle());
    if (!platform::ReportPainter::paintDocument(printer, laidOut, printer.resolution() / 72.0))
        throw platform::ReportError(QStringLiteral("The report could not be printed"));
}

bool ReportPrinter::pageSetup(QWidget* parent)
{
    QPrinter& target = printer();
    target.setPageOrientation(m_report.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPageSetupDialog dialog(&target, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_report.setLandscape(target.pageLayout().orientation() == QPageLayout::Landscape);
    return true;
}

} // namespace ui
