#include "ui/viewer/ViewerExport.h"

#include "platform/Prompts.h"
#include "ui/reports/ExportFilters.h"
#include "viewer/ViewerReportSource.h"

namespace ui {

namespace ViewerExport {

namespace {

void warn(const QString& text)
{
    platform::Prompts::instance().message(text, viewer::ViewerReportSource::ExportTitle, platform::MsgButtons::Ok,
                                          platform::MsgIcon::Warning);
}

} // namespace

QStringList formats()
{
    return {QStringLiteral("PDF"), QStringLiteral("XLS"), QStringLiteral("TAB")};
}

QString askPath(const QString& format)
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Export Report");
    request.filter = exportDialogFilter(format);
    // The dialog adds the same extension as the export does, so that its
    // overwrite question names the file that is written.
    request.defaultSuffix = format;
    return platform::Prompts::instance().saveFile(request);
}

void tell(const viewer::ReportExport& done)
{
    if (!done.templateError.isEmpty())
        warn(done.templateError);
    if (done.done)
        platform::Prompts::instance().message(done.message, viewer::ViewerReportSource::ExportTitle,
                                              platform::MsgButtons::Ok, platform::MsgIcon::None);
    else if (!done.failure.isEmpty())
        warn(QStringLiteral("Unable to export the report: ") + done.failure);
}

void exportShown(platform::Report& report, const QString& format)
{
    const QString path = askPath(format);
    if (!path.isEmpty())
        tell(viewer::ViewerReportSource::exportTo(report, format, path));
}

} // namespace ViewerExport

} // namespace ui
