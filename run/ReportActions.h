#pragma once
// The report actions of the main window: view, export, print one test
// group's report. An empty database path means the live database.

#include <QDateTime>
#include <QString>

namespace run {

class ReportActions {
public:
    virtual ~ReportActions() = default;
    virtual void openTestReport(qint64 uniqueGroupID, bool condensedReport, const QString& databasePath,
                                bool zamo80) = 0;
    // Writes the report to a file; true when a file was written.
    virtual bool exportReport(qint64 uniqueGroupID, const QDateTime& reportDate, const QString& exportFormat,
                              const QString& fileName, const QString& databasePath, bool condensedReport,
                              bool zamo80) = 0;
    virtual void printTestReport(qint64 uniqueGroupID, const QString& databasePath, bool condensed, bool zamo80) = 0;
    virtual void printCondensedTestReport(qint64 uniqueGroupID, const QString& databasePath) = 0;
};

// Does nothing and exports nothing.
class NoReportActions : public ReportActions {
public:
    void openTestReport(qint64, bool, const QString&, bool) override {}
    bool exportReport(qint64, const QDateTime&, const QString&, const QString&, const QString&, bool, bool) override
    {
        return false;
    }
    void printTestReport(qint64, const QString&, bool, bool) override {}
    void printCondensedTestReport(qint64, const QString&) override {}
};

} // namespace run
