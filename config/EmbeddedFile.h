#pragma once
// Files that the station carries inside the program and writes out: the
// report templates, rewritten at every start so that they always match the
// program.

#include "config/StationPaths.h"

#include <QString>

// Writes the embedded file of that type and number (":/<type>/<number>")
// to path, replacing a file there. Returns path, or "" after a failure,
// which is shown to the operator; a file that was there then stays whole.
namespace config {

QString buildFileFromResource(const QString& path, qint32 number, const QString& type);

// Writes the six report templates of paths anew over the old ones
// (read-only ones included); the full reports with unit diagnostics when
// withDiagnostics ([Diagnostics] Enabled) is on.
void extractReportFiles(const config::StationPaths& paths, bool withDiagnostics);

} // namespace config
