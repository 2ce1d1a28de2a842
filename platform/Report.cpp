#include "platform/Report.h"

#include "platform/DbError.h"
#include "platform/ReportError.h"
#include "platform/ReportFiller.h"
#include "platform/ReportLayout.h"
#include "platform/ReportPainter.h"
#include "platform/ReportSelection.h"
#include "platform/ReportTabText.h"
#include "platform/ReportWorkbook.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

namespace platform {

namespace {

constexpr int kPdfResolution = 720;

void save(const QString& path, const QByteArray& bytes)
{
    QString error;
    if (!WholeFile::save(path, bytes, &error))
        throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, error));
}

} // namespace

std::unique_ptr<Report> Report::open(const QString& templatePath)
{
    std::unique_ptr<Report> report(new Report);
    report->m_template = ReportTemplate::read(templatePath);
    return report;
}

Report::~Report() = default;

void Report::invalidate()
{
    m_content.reset();
    m_pages.reset();
}

void Report::setLocation(const QString& databaseFile)
{
    m_location = databaseFile;
    m_server.reset();
    m_connection.reset();
    invalidate();
}

void Report::setLogOnInfo(const DbServerAddress& server)
{
    m_server = server;
    m_location.clear();
    m_connection.reset();
    invalidate();
}

void Report::verify()
{
    const bool server = m_template.source == ReportTemplate::Source::Server;
    if (server != m_server.has_value() || (!server && m_location.isEmpty()))
        throw ReportError(server ? QStringLiteral("The report reads a server database; no server log-on is set")
                                 : QStringLiteral("The report reads a database file; no file is set"));
    if (m_connection && m_connection->isOpen())
        return;
    auto connection = std::make_unique<DbConnection>();
    connection->setStatementTimeLimit(DbConnection::OutsideFileTimeLimitMilliseconds); // a file's statements
    try {
        if (server)
            connection->openServer(*m_server);
        else
            connection->openFile(m_location, true);
    } catch (const DbError& e) {
        throw ReportError(QStringLiteral("The report's database cannot be opened: ") + e.text());
    }
    m_connection = std::move(connection);
}

void Report::setRecordSelectionFormula(const QString& formula)
{
    ReportSelection::parse(formula); // refused here rather than when shown
    m_selection = formula;
    invalidate();
}

void Report::setReportTitle(const QString& title)
{
    m_title = title;
    invalidate();
}

const ReportContent& Report::content()
{
    if (!m_content) {
        verify();
        m_content = ReportFiller(m_template, *m_connection).fill(ReportSelection::parse(m_selection), m_title);
        if (m_landscape)
            m_content->landscape = *m_landscape;
    }
    return *m_content;
}

const QList<ReportPage>& Report::pages()
{
    if (!m_pages)
        m_pages = ReportLayout::layout(content());
    return *m_pages;
}

void Report::exportTo(ExportFormat format, const QString& path)
{
    switch (format) {
    case ExportFormat::TabText: save(path, ReportTabText::text(content()).toUtf8()); break;
    case ExportFormat::Excel: ReportWorkbook::write(content(), path); break;
    case ExportFormat::Pdf: {
        const QList<ReportPage>& laidOut = pages();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setTitle(m_title);
            writer.setCreator(QStringLiteral("Test Report"));
            writer.setResolution(kPdfResolution);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageOrientation(content().landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            if (!ReportPainter::paintDocument(writer, laidOut, kPdfResolution / 72.0))
                throw ReportError(QStringLiteral("The PDF could not be made"));
        }
        save(path, buffer.data());
        break;
    }
    }
}

void Report::setLandscape(bool landscape)
{
    m_landscape = landscape;
    invalidate();
}

} // namespace platform
