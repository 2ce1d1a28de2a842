#pragma once
// Test-sequence files (.tsq): a version line, then one step line per step,
// every line ended by CR LF, single-byte text.
//   "1.0" base-model units, "2.0" ZAMO80 units, "3.0" a single ZAMO2-4 unit.
// Both routines write a log line when they fail; the caller tells the
// operator.

#include "testlists/TestStep.h"

#include <QString>

// Writes the version ("2.0" when is80, else "3.0" when is80With24, else
// "1.0") and the list's step lines, replacing the file at path. The old file
// stays as it was when the new one cannot be written completely.
// *error (when given) gets the cause of a failure.
namespace testlists {

bool writeSequenceFile(const QString& path, const TestList& list, bool is80, bool is80With24, QString* error = nullptr);

// Reads a file whose version suits the flags ("2.0" or "3.0" with either
// flag set, "1.0" with neither) into list, which is emptied first; every
// further line becomes a step, whether or not it parses. A UTF-8 byte-order
// mark before the version is passed over. A file that is missing,
// unreadable, empty or of another version returns false, is logged, and
// leaves list untouched.
bool readSequenceFile(const QString& path, TestList& list, bool is80, bool is80With24);

} // namespace testlists
