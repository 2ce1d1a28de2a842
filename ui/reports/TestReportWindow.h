#pragma once
// The report of one test group: shown in a window with File and Export
// menus, or printed or exported without the window ever being shown. The
// template follows the database back end and the condensed and ZAMO80
// flags; the report reads the database file given (local back end) or the
// server of the [Database] settings. A file name typed in the Export menus
// without an extension gets ".PDF", ".XLS" or ".TXT". Failures are logged
// and otherwise silent (a shown window stays empty, an export or print does
// not happen), but for an export the operator asked for from the Export
// menu, whose failure is also shown in a message.

#include <QWidget>

#include <memory>

namespace config {
struct StationSettings;
}

class QAction;
class QMenuBar;

namespace platform {
class Report;
}

namespace ui {

class ReportViewer;

class TestReportWindow : public QWidget {
    Q_OBJECT
public:
    // settings: the station's settings (the database in use, the report
    // templates' paths), kept by reference.
    explicit TestReportWindow(const config::StationSettings& settings, QWidget* parent = nullptr);
    ~TestReportWindow() override;

    void setReportGroupID(qint64 groupId) { m_reportGroupID = groupId; }
    void setDatabasePath(const QString& path) { m_databasePath = path; }
    void setShowCondensedReport(bool condensed) { m_showCondensedReport = condensed; }
    void setZamo80(bool zamo80) { m_zamo80 = zamo80; }

    // Writes the report to filePath as "PDF", "XLS" (a workbook) or "TAB"
    // (tab-separated text); true when the file was written.
    bool exportReport(qint64 reportGroupID, const QString& filePath, const QString& exportFormat, bool condensedReport,
                      bool zamo80);
    // Prints the report on the default printer, one copy; true when printed.
    bool printReport(qint64 reportGroupID, bool condensedReport, bool zamo80);

    // The template for the back end in use and the two flags.
    static QString templatePath(const config::StationSettings& settings, bool condensedReport, bool zamo80);

    // The report shown, nullptr until loaded or after a failed load.
    platform::Report* report() const { return m_report.get(); }
    ui::ReportViewer* viewer() const { return m_viewer; }

    // The first show loads the report, as the window's load does.
    void setVisible(bool visible) override;

private:
    void loadReport();
    // Opens the template and points it at the database and the group.
    // Throws platform::ReportError.
    std::unique_ptr<platform::Report> prepare(qint64 groupID, bool condensed, bool zamo80) const;
    void exportShown(const QString& format, const QString& filter);
    void printSetup();

    qint64 m_reportGroupID = 0;
    const config::StationSettings& m_settings;
    QString m_databasePath;
    bool m_showCondensedReport = false;
    bool m_zamo80 = false;
    bool m_loaded = false;
    std::unique_ptr<platform::Report> m_report;
    ui::ReportViewer* m_viewer;
    QMenuBar* m_menuBar;
};

} // namespace ui
