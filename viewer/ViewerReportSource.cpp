#include "viewer/ViewerReportSource.h"

#include "platform/DbError.h"
#include "platform/ReportError.h"

#include <optional>

namespace viewer {

const QString ViewerReportSource::Title = QStringLiteral("Test Report");
const QString ViewerReportSource::ExportTitle = QStringLiteral("Report Export");

namespace {

std::optional<platform::Report::ExportFormat> formatOf(const QString& name)
{
    if (name == QLatin1String("PDF"))
        return platform::Report::ExportFormat::Pdf;
    if (name == QLatin1String("XLS"))
        return platform::Report::ExportFormat::Excel;
    if (name == QLatin1String("TAB"))
        return platform::Report::ExportFormat::TabText;
    return std::nullopt;
}

} // namespace

PreparedReport ViewerReportSource::prepare(qint64 groupId, ReportKind kind, bool diagnostics)
{
    PreparedReport prepared;
    const int revision = m_database.revision(&prepared.failure);
    const bool server = m_database.usesServer();
    const std::optional<int> number = ViewerReportTemplates::number(revision, server, kind, diagnostics);
    if (!number) {
        // A database whose revision cannot be read is a failure; one without a template is not.
        prepared.noTemplate = prepared.failure.isEmpty();
        return prepared;
    }
    const QString path = ViewerReportTemplates::write(*number, &prepared.templateError);
    const QString key = revision > 6 ? QStringLiteral("UniqueGroupID") : QStringLiteral("GroupID");
    try {
        auto report = platform::Report::open(path);
        if (server)
            report->setLogOnInfo(m_database.serverAddress());
        else
            report->setLocation(m_database.filePath());
        report->verify();
        report->setRecordSelectionFormula(QStringLiteral("{TestGroups.%1} = %2").arg(key).arg(groupId));
        report->setReportTitle(Title);
        prepared.report = std::move(report);
    } catch (const platform::ReportError& e) {
        prepared.failure = e.text();
    } catch (const platform::DbError& e) {
        prepared.failure = e.text();
    }
    return prepared;
}

PreparedReport ViewerReportSource::open(qint64 groupId, ReportKind kind, bool diagnostics)
{
    PreparedReport prepared = prepare(groupId, kind, diagnostics);
    if (!prepared.report)
        return prepared;
    try {
        prepared.report->pages(); // filled now, so that a failure shows no empty window
    } catch (const platform::ReportError& e) {
        prepared.report.reset();
        prepared.failure = e.text();
    }
    return prepared;
}

ReportExport ViewerReportSource::exportFullReport(qint64 groupId, const QString& format, const QString& filePath,
                                                  bool diagnostics)
{
    if (filePath.isEmpty() || !formatOf(format))
        return {};
    PreparedReport prepared = prepare(groupId, ReportKind::Full, diagnostics);
    ReportExport done;
    if (prepared.report)
        done = exportTo(*prepared.report, format, filePath);
    else
        done.failure = prepared.failure;
    done.templateError = prepared.templateError;
    return done;
}

ReportExport ViewerReportSource::exportTo(platform::Report& report, const QString& format, const QString& filePath)
{
    ReportExport done;
    const std::optional<platform::Report::ExportFormat> f = formatOf(format);
    if (filePath.isEmpty() || !f)
        return done;
    done.path = exportPath(filePath, format);
    try {
        report.exportTo(*f, done.path);
    } catch (const platform::ReportError& e) {
        done.failure = e.text();
        return done;
    }
    done.done = true;
    done.message = QStringLiteral("Report exported to ") + done.path;
    return done;
}

QString ViewerReportSource::exportPath(const QString& filePath, const QString& format)
{
    const QString extension = QLatin1Char('.') + format;
    return filePath.right(4).toUpper() == extension ? filePath : filePath + extension;
}

} // namespace viewer
