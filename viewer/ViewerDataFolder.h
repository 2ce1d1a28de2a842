#pragma once
// The report viewer's data folder: the common application-data folder (the
// writable generic data location) and "ZAMO Report Viewer" in it. It holds
// only the report templates that the viewer writes before it uses them.

#include <QString>

namespace viewer {

class ViewerDataFolder {
public:
    // The folder, created with the folders above it when missing; a folder
    // that cannot be made shows up when a file is written into it.
    static QString path();
};

} // namespace viewer
