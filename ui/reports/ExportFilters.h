#pragma once
// The save dialog's filter for the files of each report export format, as
// every export the operator starts offers it.

#include <QString>

namespace ui {

// "Portable Document Format (*.pdf);;All Files (*.*)" for "PDF", the Excel
// and tab-delimited filters for "XLS" and "TAB"; the PDF filter for any
// other format.
QString exportDialogFilter(const QString& exportFormat);

} // namespace ui
