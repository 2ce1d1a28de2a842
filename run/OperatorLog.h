#pragma once
// The operator log's rolling buffer and the unit status caption rules.

#include <QString>

namespace CommLog {

// Once a buffer is longer than this many characters it is cut back so that
// it keeps its text from the KeepFromCharacter-th character on.
constexpr int MaxLength = 99999;
constexpr int KeepFromCharacter = 50000;   // 1-based

// Appends the line and CR LF to the buffer.
void AppendLine(QString& buffer, const QString& line);
// Cuts the buffer back when it is longer than MaxLength; true when it did.
bool CutBack(QString& buffer);

// The unit status caption after an error status: the note goes after the
// first "*" of the caption (replacing what followed it), or is appended as
// " *<status>*" when the caption has no star yet.
QString CaptionWithError(const QString& caption, const QString& status);

} // namespace CommLog
