#pragma once
// The main window's report actions: each builds a new report window for
// one test group and the database (the live one when the path is empty) and
// has it show, export or print the report. Automatic exports are named
// after the group's start in the export folder. Failures are those of the
// report window (logged, and silent to the caller but for exportReport's
// false): an export without a file name it can make does nothing and gives
// false.

#include "run/ReportActions.h"
#include "run/UnitMode.h"

#include <functional>

namespace config {
struct StationSettings;
}

namespace ui {

class StationWindows;

class TestWindowReportActions : public run::ReportActions {
public:
    // checkZamoMode: the unit mode as TestWindow.checkZAMOMode gives it;
    // settings: the station's settings (export folder, database); windows:
    // the station's windows, whose frame takes the report windows. Both kept
    // by reference.
    TestWindowReportActions(const config::StationSettings& settings, StationWindows& windows,
                            std::function<run::ConnectedUnitsMode()> checkZamoMode);

    void openTestReport(qint64 uniqueGroupID, bool condensedReport, const QString& databasePath, bool zamo80) override;
    bool exportReport(qint64 uniqueGroupID, const QDateTime& reportDate, const QString& exportFormat,
                      const QString& fileName, const QString& databasePath, bool condensedReport, bool zamo80) override;
    void printTestReport(qint64 uniqueGroupID, const QString& databasePath, bool condensed, bool zamo80) override;
    void printCondensedTestReport(qint64 uniqueGroupID, const QString& databasePath) override;

    // The export's file: fileName when given (with the format's extension
    // added when it has none), else ExportPath & "TestReport_" & the report
    // date as yyyymmdd-hhnnss & ".PDF", ".XLS" or ".TXT"; "" when there is
    // neither a file name nor an export folder, or the format is none of
    // "PDF", "XLS", "TAB".
    QString exportFileName(const QDateTime& reportDate, const QString& exportFormat, const QString& fileName) const;

private:
    // The database at path, or the live one when path is empty.
    QString databaseOrLive(const QString& path) const;

    const config::StationSettings& m_settings;
    StationWindows& m_windows;
    std::function<run::ConnectedUnitsMode()> m_checkZamoMode;
};

} // namespace ui
