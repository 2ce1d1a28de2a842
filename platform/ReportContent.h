#pragma once
// A filled report: the blocks that every output (pages, workbook, text)
// is made from, in reading order.

#include <QList>
#include <QString>

#include <optional>

// One cell's text, and its number when it shows one.
namespace platform {

struct ReportCell {
    QString text;
    std::optional<double> number; // set when the cell shows a number
};

// One block of a report: a title, heading, text, list of fields or table.
struct ReportBlock {
    enum class Kind { Title, Heading, Text, Fields, Table };
    Kind kind = Kind::Text;
    int level = 1;
    QString text;                              // title, heading, text
    QList<std::pair<QString, QString>> fields; // label, value
    QList<ReportCell> header;                  // tables
    QList<QList<ReportCell>> rows;
    int fixedColumns = 1;
};

// The whole filled report: its title, orientation and blocks.
struct ReportContent {
    QString title;
    bool landscape = false;
    QList<ReportBlock> blocks;
};

} // namespace platform
