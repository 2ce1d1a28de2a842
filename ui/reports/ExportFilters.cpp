#include "ui/reports/ExportFilters.h"

namespace ui {

QString exportDialogFilter(const QString& exportFormat)
{
    if (exportFormat == QLatin1String("XLS"))
        return QStringLiteral("Excel Spreadsheet (*.xls);;All Files (*.*)");
    if (exportFormat == QLatin1String("TAB"))
        return QStringLiteral("Tab-Delimited Text (*.txt);;All Files (*.*)");
    return QStringLiteral("Portable Document Format (*.pdf);;All Files (*.*)");
}

} // namespace ui
