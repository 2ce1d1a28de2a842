#pragma once
// Operator text made fit for the results database and the reports:
// printable ASCII only, trimmed, and optionally capped with "...".

#include <QString>

// Every character outside the printable ASCII range 32..126 (control
// characters, tabs, line breaks, accented and other letters) becomes one
// blank; leading and trailing blanks are removed. With maxLength > 0 a longer
// result is cut: to maxLength - 4 characters and "..." when maxLength > 5,
// else to maxLength characters. maxLength 0 or less: no cap.
namespace results {

QString sanitizeText(const QString& text, int maxLength);

} // namespace results
