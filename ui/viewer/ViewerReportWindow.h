#pragma once
// The viewer's report window: one report, prepared by the viewer's report
// source, shown page by page with a File menu ("Print/Page Setup") and an
// Export menu (PDF, XLS, TAB). Each window owns its report; several can be
// open at once, and each closes with the viewer's main window. An export
// from the menu adds ".PDF", ".XLS" or ".TAB" to a name without it and
// confirms "Report exported to <path>"; a failed export or page set-up says
// why in a message, and the window stays as it was.

#include <QWidget>

#include <memory>

namespace platform {
class Report;
}

namespace ui {

class ReportViewer;

class ViewerReportWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the report (already filled); throws platform::ReportError when
    // it cannot be laid out.
    ViewerReportWindow(std::unique_ptr<platform::Report> report, qint64 groupId, QWidget* parent = nullptr);
    ~ViewerReportWindow() override;

    qint64 groupId() const { return m_groupId; }
    platform::Report* report() const { return m_report.get(); }
    ReportViewer* viewer() const { return m_viewer; }

private:
    void exportShown(const QString& format, const QString& filter);
    void printSetup();

    std::unique_ptr<platform::Report> m_report;
    qint64 m_groupId;
    ReportViewer* m_viewer;
};

} // namespace ui
