#pragma once
// The operator's side of an export in the viewer: the formats offered, the
// "Export Report" save dialog for one of them, and the message that tells
// how the export ended ("Report exported to <path>", or why no file was
// written). Every dialog and message goes through the prompts seam.

#include <QString>
#include <QStringList>

namespace platform {
class Report;
}

namespace viewer {
struct ReportExport;
}

namespace ui {

namespace ViewerExport {

// "PDF", "XLS", "TAB", in the order the export choices list them.
QStringList formats();

// The file the operator chose for an export in the format; "" when the
// dialog was cancelled.
QString askPath(const QString& format);

// Tells the operator how the export ended; nothing when nothing was asked.
void tell(const viewer::ReportExport& done);

// Asks for a file and exports the report shown in a report window to it.
void exportShown(platform::Report& report, const QString& format);

} // namespace ViewerExport

} // namespace ui
