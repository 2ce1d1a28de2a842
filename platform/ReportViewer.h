#pragma once
// The window part that shows a report: its pages one under another on a
// grey ground, as they will print, in a scrolling area.

#include <QScrollArea>

namespace platform {

class Report;

class ReportViewer : public QScrollArea {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);

    // The report shown; not owned, it must outlive the viewer or be reset.
    void setReportSource(Report* report);
    Report* reportSource() const { return m_report; }
    // Lays the report's pages out and shows them.
    void viewReport();
    // Shows the report again, as its settings are now.
    void refresh() { viewReport(); }
    int pageCount() const;

private:
    Report* m_report = nullptr;
};

} // namespace platform
