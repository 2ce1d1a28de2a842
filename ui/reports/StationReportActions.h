#pragma once
// The main window's report actions: each builds a new report window for
// one test group and the database (the live one when the path is empty) and
// has it show, export or print the report. Automatic exports are named
// after the group's start in the export folder. Failures are those of the
// report window (logged, and silent to the caller but for ExportReport's
// false): an export without a file name it can make does nothing and gives
// false.

#include "run/ReportActions.h"
#include "run/UnitMode.h"

#include <functional>

namespace config {
struct StationSettings;
}

class MainFormReportActions : public ReportActions {
public:
    // checkZamoMode: the unit mode as MainForm.CheckZAMOMode gives it;
    // settings: the station's settings (export folder, database), kept by
    // reference.
    MainFormReportActions(const config::StationSettings& settings, std::function<ConnectedUnitsMode()> checkZamoMode);

    void OpenTestReport(qint32 vUniqueGroupID, bool vCondensedReport, const QString& vDatabasePath,
                        bool vZamo80) override;
    bool ExportReport(qint32 vUniqueGroupID, const QDateTime& vReportDate, const QString& vExportFormat,
                      const QString& vFileName, const QString& vDatabasePath, bool vCondensedReport,
                      bool vZamo80) override;
    void PrintTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath, bool vCondensed, bool vZamo80) override;
    void PrintCondensedTestReport(qint32 vUniqueGroupID, const QString& vDatabasePath) override;

    // The export's file: vFileName when given (with the format's extension
    // added when it has none), else ExportPath & "TestReport_" & the report
    // date as yyyymmdd-hhnnss & ".PDF", ".XLS" or ".TXT"; "" when there is
    // neither a file name nor an export folder, or the format is none of
    // "PDF", "XLS", "TAB".
    QString ExportFileName(const QDateTime& vReportDate, const QString& vExportFormat, const QString& vFileName) const;

private:
    // The database at path, or the live one when path is empty.
    QString DatabaseOrLive(const QString& path) const;

    const config::StationSettings& m_settings;
    std::function<ConnectedUnitsMode()> m_checkZamoMode;
};
