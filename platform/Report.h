#pragma once
// One open report: a template, the database its tables read (a database
// file, or a server with its log-on), the record selection and the title.
// It is filled from the database when first needed and kept, so that every
// later action (view, print, export) shows the same report; changing the
// selection, the title, the orientation or the database fills it again.
// Printing and the page set-up are the user interface's (ui/reports/
// ReportPrinter), on the pages laid out here.
//
// Every operation that fails throws ReportError; an export that fails (a
// full disk included) writes no file, and a file already at the path stays
// as it was.

#include "platform/DbConnection.h"
#include "platform/ReportContent.h"
#include "platform/ReportPage.h"
#include "platform/ReportTemplate.h"

#include <QString>

#include <memory>
#include <optional>

namespace platform {

class Report {
public:
    enum class ExportFormat { Pdf, Excel, TabText };

    // Reads the template file.
    static std::unique_ptr<Report> open(const QString& templatePath);
    ~Report();

    const ReportTemplate& reportTemplate() const { return m_template; }

    // The database file that the tables of a file template read, read-only
    // and with the time limit of a file from outside on each statement (a
    // report reads a few rows and never needs long; an archive or a file
    // chosen in the viewer may come from anywhere).
    void setLocation(const QString& databaseFile);
    // The server that the tables of a server template read.
    void setLogOnInfo(const DbServerAddress& server);
    // Opens the database, checks that it is the kind the template reads.
    void verify();

    void setRecordSelectionFormula(const QString& formula);
    QString recordSelectionFormula() const { return m_selection; }
    void setReportTitle(const QString& title);
    QString reportTitle() const { return m_title; }

    // The filled report and its pages.
    const ReportContent& content();
    const QList<ReportPage>& pages();

    void exportTo(ExportFormat format, const QString& path);

    // The page orientation chosen for the report (the page set-up), or the
    // template's while none is chosen. A choice is kept for the pages from
    // then on.
    bool landscape() const { return m_landscape.value_or(m_template.landscape); }
    void setLandscape(bool landscape);

private:
    Report() = default;
    void invalidate();

    ReportTemplate m_template;
    QString m_location;
    std::optional<DbServerAddress> m_server;
    std::unique_ptr<DbConnection> m_connection;
    QString m_selection;
    QString m_title;
    std::optional<bool> m_landscape; // chosen in the page set-up
    std::optional<ReportContent> m_content;
    std::optional<QList<ReportPage>> m_pages;
};

} // namespace platform
