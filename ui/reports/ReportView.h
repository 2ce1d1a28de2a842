#pragma once
// The window part that shows a report: a Print button, and the report's
// pages one under another on a grey ground, as they will print, scaled to
// the width of the window (at most to their printed size) in a scrolling
// area. The Print button prints through the report's printer
// (ReportPrinter), chosen in a print dialog. A report that cannot be laid
// out throws ReportError from viewReport(); a print that fails is reported
// through printFailed, and the window stays as it was. Without a report
// nothing is shown or printed.

#include <QWidget>

#include <memory>

class QAction;
class QScrollArea;

namespace platform {
class Report;
}

namespace ui {

class ReportPrinter;
class ReportPagesWidget;

class ReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    // The report shown; not owned, it must outlive the viewer or be reset.
    void setReportSource(platform::Report* report);
    platform::Report* reportSource() const { return m_report; }
    // The printer of the report shown; nullptr without a report.
    ReportPrinter* reportPrinter() const { return m_printer.get(); }
    // Lays the report's pages out and shows them. Throws ReportError.
    void viewReport();
    // Shows the report again, as its settings are now.
    void refresh() { viewReport(); }
    int pageCount() const;
    QAction* printAction() const { return m_print; }

signals:
    // Printing from the Print button failed.
    void printFailed(const QString& why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void print();

    platform::Report* m_report = nullptr;
    std::unique_ptr<ReportPrinter> m_printer;
    QScrollArea* m_scroll;
    ReportPagesWidget* m_pages;
    QAction* m_print;
};

} // namespace ui
