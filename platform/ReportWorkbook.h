#pragma once
// Writes a filled report as an Excel workbook: one sheet, "Test Report",
// with the same rows and cells as the tab-separated text; cells that show a
// number hold that number with as many decimals as shown.

#include "platform/ReportContent.h"

#include <QString>

namespace platform::ReportWorkbook {

// Makes the workbook in a scratch folder and replaces the target with it
// whole (WholeFile::save), so that a failure leaves no new file behind and an
// old file as it was. Throws ReportError.
void Write(const ReportContent& content, const QString& path);

} // namespace platform::ReportWorkbook
