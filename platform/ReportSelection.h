#pragma once
// The record selection of a report: a formula "{Table.Field} = n" that
// names the field and the whole number the report's rows are chosen by.
// Templates refer to the value as $Table.Field in their queries.

#include <QString>
#include <QVariant>

namespace platform {

struct ReportSelection {
    QString field;  // "Table.Field"
    QVariant value; // a whole number

    // Throws ReportError for a formula of another form.
    static ReportSelection parse(const QString& formula);
};

} // namespace platform
