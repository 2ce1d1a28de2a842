#pragma once
// The names of exported report files: the extension the station gives each
// export format, added to a name typed without one.

#include <QString>

namespace results {

namespace ReportExportName {

// ".PDF", ".XLS" or ".TXT" for the formats "PDF", "XLS" and "TAB"; "" for
// any other format.
QString extension(const QString& exportFormat);

// The path with the format's extension added when its file name has none
// ("rep1" gives "rep1.PDF"); a name with an extension of its own, whatever
// it is, is kept as typed.
QString withExtension(const QString& path, const QString& exportFormat);

} // namespace ReportExportName

} // namespace results
