#pragma once
// One report on paper: the report's printer (the default printer until the
// page set-up or a print dialog chooses another), every page printed on A4 at
// the printer's resolution in the report's orientation, and the page set-up
// dialog, whose orientation the report keeps for its pages. Printing throws
// platform::ReportError when the report cannot be filled, when there is no
// printer, or when the pages cannot be painted. The report must outlive it.

#include <QPrinter>

#include <memory>

class QWidget;

namespace platform {
class Report;
}

namespace ui {

class ReportPrinter {
public:
    explicit ReportPrinter(platform::Report& report);
    ~ReportPrinter();

    QPrinter& printer();
    // Every page, one copy, on the report's printer.
    void printOut();
    // Every page on the printer given (a print dialog's choice, a PDF file).
    void printOut(QPrinter& printer);
    // The page set-up dialog over the parent; true when accepted.
    bool pageSetup(QWidget* parent);

private:
    platform::Report& m_report;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace ui
