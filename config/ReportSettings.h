#pragma once
// settings.ini [Reports]: what happens to the test report at the end of a
// run (exported, printed, shown) and the export folder.

#include <QString>

namespace config {

struct ReportSettings {
    bool exportPdfEnabled = false;      // ExportPDFEnabled
    bool exportExcelEnabled = false;    // ExportExcelEnabled
    bool exportTabEnabled = false;      // ExportTabEnabled
    QString exportPath;                 // ExportPath
    bool printEnabled = false;          // PrintEnabled
    bool printCondensedEnabled = false; // PrintCondensedEnabled
    bool displayEnabled = true;         // DisplayEnabled
};

} // namespace config
