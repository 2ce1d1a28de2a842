#pragma once
// The 26 limits and warnings against which every measurement is judged:
// their defaults, their loading from settings.ini and their saving into
// settings.ini or a limits file (.lim) under [Limits] and [Warnings].

#include <QString>

#include <array>

namespace modMain {

// One of the 26 values: its section and key in settings.ini and .lim files,
// the program-wide value that holds it and its built-in default.
struct LimitValue {
    const char* section;
    const char* key;
    double* value;
    double defaultValue;
};

// The 26 values in the order in which they are read and written: the
// base-model limits, their warnings, the ZAMO80 limits, their warnings
// (each in the order DCO, ACZ, ... of the tables).
const std::array<LimitValue, 26>& LimitValues();

// Reads the 26 values from settings.ini. A value that does not convert, or a
// set in which no value is above 0, turns into the full set of defaults,
// which is written back.
void LoadLimits();

// Sets the 26 values to their defaults; no file access.
void SetDefaultLimits();

// Writes the 26 values into [Limits] and [Warnings] of the file (created when
// missing; other sections and keys stay), all in one replacement of the file.
// Returns false when the file cannot be written, so that the caller can tell
// the operator; the file then stays as it was.
// *error (when given) gets the cause of a failure.
bool SaveLimits(const QString& path, QString* error = nullptr);

} // namespace modMain
