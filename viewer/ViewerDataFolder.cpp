#include "viewer/ViewerDataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace viewer {

QString ViewerDataFolder::path()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ZAMO Report Viewer");
    QDir().mkpath(folder);
    return folder;
}

} // namespace viewer
