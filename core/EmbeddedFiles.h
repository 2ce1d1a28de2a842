#pragma once
// Files that the station carries inside the program and writes out: the
// report templates, rewritten at every start so that they always match the
// program.

#include <QString>

namespace modMain {

// Writes the embedded file of that type and number (":/<type>/<number>")
// to path, replacing a file there. Returns path, or "" after a failure,
// which is shown to the operator.
QString BuildFileFromResource(const QString& path, qint32 number, const QString& type);

// Deletes the six report templates and writes them anew; the full reports
// with unit diagnostics when [Diagnostics] Enabled is on.
void ExtractReportFiles();

} // namespace modMain
