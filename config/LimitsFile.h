#pragma once
// The 26 limits and warnings in settings.ini or a limits file (.lim), under
// [Limits] and [Warnings]: read into a Limits value and written from one.

#include "config/Limits.h"

#include <QString>

#include <array>

// One of the 26 values: its section and key in settings.ini and .lim files
// and the field of Limits that holds it.
namespace config {

struct LimitKey {
    const char* section;
    const char* key;
    double Limits::*field;
};

// The 26 values in the order in which they are read and written: the
// base-model limits, their warnings, the ZAMO80 limits, their warnings
// (each in the order DCO, ACZ, ... of the tables).
const std::array<LimitKey, 26>& limitKeys();

// Reads the 26 values from settings.ini. A value that does not convert, or a
// set in which no value is above 0, gives the defaults (Limits{}), which are
// written back. When the file held limits that were so replaced (not on a
// new installation, whose file holds none), *problem (when given) gets the
// text that tells the operator why; otherwise it is emptied.
Limits readLimits(const QString& settingsFile, QString* problem = nullptr);

// Writes the 26 values into [Limits] and [Warnings] of the file (created when
// missing; other sections and keys stay), all in one replacement of the file,
// each as text that reads back as the same value.
// Returns false when the file cannot be written, so that the caller can tell
// the operator; the file then stays as it was.
// *error (when given) gets the cause of a failure.
bool saveLimits(const Limits& limits, const QString& path, QString* error = nullptr);

} // namespace config
