#pragma once
// Test-sequence files (.tsq): a version line, then one step line per step,
// every line ended by CR LF, single-byte text.
//   "1.0" base-model units, "2.0" ZAMO80 units, "3.0" a single ZAMO2-4 unit.
// Both routines write a log line when they fail; the caller tells the
// operator.

#include "testlists/TestStep.h"

#include <QList>
#include <QString>

// Writes the version ("2.0" when is80, else "3.0" when is80With24, else
// "1.0") and the list's step lines, replacing the file at path. The old file
// stays as it was when the new one cannot be written completely.
// *error (when given) gets the cause of a failure.
namespace testlists {

bool writeSequenceFile(const QString& path, const TestList& list, bool is80, bool is80With24, QString* error = nullptr);

// A line of a test-sequence file that is not a step line: its number in the
// file (the version is line 1) and its text.
struct SkippedLine {
    int number = 0;
    QString text;
};

// Reads a file whose version suits the flags ("2.0" or "3.0" with either
// flag set, "1.0" with neither) into list, which is emptied first; each
// further line that is understood becomes a step. A line that is not is
// left out, logged with its number, and given in *skipped (when given);
// blank lines are passed over. A UTF-8 byte-order mark before the version
// is passed over. A file that is missing, unreadable, empty or of another
// version returns false, is logged, and leaves list untouched.
bool readSequenceFile(const QString& path, TestList& list, bool is80, bool is80With24,
                      QList<SkippedLine>* skipped = nullptr);

// What the operator reads of the lines left out of the file at path: the
// file, then each line's number and text (control bytes shown as <hh>, a
// long line cut); "" when none was left out.
QString skippedLinesMessage(const QString& path, const QList<SkippedLine>& skipped);

} // namespace testlists
