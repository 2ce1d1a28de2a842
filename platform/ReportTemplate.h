#pragma once
// A report template as read from its file: where its data come from, the
// page orientation, value maps, and a tree of elements. A band repeats its
// children once per row of its query; a table takes its rows from a query or
// from a range of letters (one row per letter), and its columns from the
// template, where a column group adds one column per row of its own query.
//
// The file is XML:
//   <report name="..." source="file|server" orientation="portrait|landscape">
//     <map name="m"><entry key="K">Text</entry>...</map>
//     <title/>                       the report title
//     <band query="SELECT ... WHERE X = $Name" required="yes">
//       <heading level="1|2">text</heading>
//       <text>text</text>
//       <fields><field label="L">text</field>...</fields>
//       <table letters="A-P" | query="SELECT ..." fixed="1">
//         <column title="T" key="yes">text</column>
//         <columns query="SELECT ..." title="text" key="yes">text</columns>
//       </table>
//     </band>
//   </report>
// Texts hold placeholders {Field}, {Field|format}; within a letter table "@"
// stands for the row's letter ({@}, {@_Value}). Formats: number[:decimals],
// date, yesno, map:<Name>. In a query "$name" takes the value of the report
// selection or of the field of that name in an enclosing row, bound as a
// parameter.

#include <QHash>
#include <QList>
#include <QString>

// One column of a table, or a column group that adds one per row.
namespace platform {

struct ReportColumn {
    QString title;
    QString cell;
    bool key = false; // a letter row is shown when at least one key cell holds a value
    QString query;    // not empty: a column group, one column per row
};

// One label and its text in a list of fields.
struct ReportField {
    QString label;
    QString value;
};

// One element of the template's tree, of any kind; a band holds children.
struct ReportElement {
    enum class Kind { Title, Heading, Text, Fields, Table, Band };
    Kind kind = Kind::Text;
    int level = 1;         // headings
    QString text;          // headings and texts
    QString query;         // bands, and tables with query rows
    bool required = false; // bands: no row is an error
    QString letters;       // tables with letter rows, e.g. "A-P"
    int fixedColumns = 1;  // tables: columns repeated when a table is split across widths
    QList<ReportField> fields;
    QList<ReportColumn> columns;
    QList<ReportElement> children; // bands
};

// The whole template as read from its file.
struct ReportTemplate {
    enum class Source { File, Server };
    QString name;
    Source source = Source::File;
    bool landscape = false;
    QHash<QString, QHash<QString, QString>> maps;
    QList<ReportElement> elements;

    // Reads and checks a template file. Throws ReportError.
    static ReportTemplate read(const QString& path);
};

} // namespace platform
