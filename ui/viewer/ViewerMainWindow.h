#pragma once
// The report viewer's main window: the choice of a database (a file through
// "File...", a server through "SQL...") with the status line that names it,
// the list of its test groups a page of 1000 at a time, by report type, by
// id or lot, ascending or descending, finished ones or all ("Show All"),
// the archive records of a database file, and the reports of the selected
// group: the full one by double-click, the condensed one by its button, and
// exports of the full report. Closing it ends the program; the report
// windows it opened close with it.
//
// The window never throws and never stores anything: a database that cannot
// be read leaves the list empty and "No Database Selected" (for a chosen
// file the operator is told why), a report that cannot be shown or exported
// is explained in a message, and a revision without a template for the
// report asked for shows nothing. A file that holds the window longer than
// the time limit of a file from outside, at its choice or at any reload, is
// refused the same way, and the window is usable at once.

#include "viewer/ViewerDatabase.h"
#include "viewer/ViewerReportList.h"
#include "viewer/ViewerReportSource.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ui {

class ServerDialog;
class ViewerReportWindow;

class ViewerMainWindow : public QWidget {
    Q_OBJECT
public:
    // database: the viewer's database, kept by reference for the window's life.
    explicit ViewerMainWindow(viewer::ViewerDatabase& database, QWidget* parent = nullptr);
    ~ViewerMainWindow() override;

    // "File...": the "Open File" dialog, then the list of the file chosen.
    void chooseFile();
    // "SQL...": shows the SQL Server dialog.
    void showServerDialog();
    ServerDialog* serverDialog() const { return m_serverDialog; }
    // Lists the page (numbered from 1) with the choices on the window.
    void reload(int page);
    // The full report of the selected group in a new report window.
    void viewSelectedReport();
    void viewSelectedCondensedReport();
    void exportSelectedReport();

    // The group of the selected row, as the database holds it; 0 when no
    // row is selected.
    qint64 selectedGroupId() const;
    QString status() const;
    QList<ViewerReportWindow*> reportWindows() const;

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLoadFrame();
    void buildReportFrame();
    void buildArchiveFrame();
    viewer::ReportListRequest request(int page) const;
    bool connectServer(const viewer::ServerLogOn& logOn, QString* dialogStatus);
    void showList(const viewer::ReportListView& view);
    void showReport(qint64 groupId, viewer::ReportKind kind);
    // Tells the operator that the database file in force cannot be read as
    // a results database, and why.
    void tellUnreadable(const QString& why);

    viewer::ViewerDatabase& m_database;
    viewer::ViewerReportList m_list;
    viewer::ViewerReportSource m_reports;
    bool m_loading = false;
    bool m_loaded = false;

    QLabel* m_status = nullptr;
    QComboBox* m_reportTypes = nullptr;
    QLabel* m_reportTypesLabel = nullptr;
    QComboBox* m_sortBy = nullptr;
    QRadioButton* m_ascending = nullptr;
    QRadioButton* m_descending = nullptr;
    QCheckBox* m_showAll = nullptr;
    QComboBox* m_pages = nullptr;
    QLabel* m_pagesLabel = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_loadingFrame = nullptr;
    QLabel* m_condensedLabel = nullptr;
    QPushButton* m_viewCondensed = nullptr;
    QCheckBox* m_diagnostics = nullptr;
    QComboBox* m_exportFormat = nullptr;
    QTableWidget* m_archives = nullptr;
    ServerDialog* m_serverDialog = nullptr;
};

} // namespace ui
