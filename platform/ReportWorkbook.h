#pragma once
// Writes a filled report as an Excel workbook: one sheet, "Test Report",
// with the same rows and cells as the tab-separated text; cells that show a
// number hold that number with as many decimals as shown.

#include "platform/ReportContent.h"

#include <QString>

namespace platform::ReportWorkbook {

// Writes the workbook beside the target and moves it into place, so that a
// failure leaves no file behind. Throws ReportError.
void Write(const ReportContent& content, const QString& path);

} // namespace platform::ReportWorkbook
