#pragma once
// The report actions of the main window: view, export, print one test
// group's report. An empty database path means the live database.

#include <QDateTime>
#include <QString>

class ReportActions {
public:
    virtual ~ReportActions() = default;
    virtual void OpenTestReport(qint32 vUniqueGroupID, bool vCondensedReport, const QString& vDatabasePath,
                                bool vZamo80) = 0;
    // Writes the report to a file; true when a file was written.
    virtual bool ExportReport(qint32 vUniqueGroupID, const QDateTime& vReportDate, const QString& vExportFormat,
                              const QString& vFileName, const QString& vDatabasePath, bool vCondensedReport,
                              bool vZamo80) = 0;
    virtual void PrintTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath, bool vCondensed,
                                 bool vZamo80) = 0;
    virtual void PrintCondensedTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath) = 0;
};

// Does nothing and exports nothing.
class NoReportActions : public ReportActions {
public:
    void OpenTestReport(qint32, bool, const QString&, bool) override {}
    bool ExportReport(qint32, const QDateTime&, const QString&, const QString&, const QString&, bool,
                      bool) override
    {
        return false;
    }
    void PrintTestReport(qint32, const QString&, bool, bool) override {}
    void PrintCondensedTestReport(qint32, const QString&) override {}
};
