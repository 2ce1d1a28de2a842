#pragma once
// Writes a filled report as an Excel workbook: one sheet, "Test Report",
// with the same rows and cells as the tab-separated text; cells that show a
// number hold that number with as many decimals as shown. A text longer than
// a cell holds goes on in the cells below it, the report's next row after it.

#include "platform/ReportContent.h"

#include <QString>

namespace platform {

namespace ReportWorkbook {

// Makes the workbook in a scratch folder and replaces the target with it
// whole (WholeFile::save), so that a failure leaves no new file behind and an
// old file as it was. Throws ReportError, also when the library refuses a
// cell (one past the last row or column of a sheet).
void write(const ReportContent& content, const QString& path);

} // namespace ReportWorkbook

} // namespace platform
