#include "results/ReportExportName.h"

#include <QFileInfo>

namespace results {

namespace ReportExportName {

QString extension(const QString& exportFormat)
{
    if (exportFormat == QLatin1String("PDF"))
        return QStringLiteral(".PDF");
    if (exportFormat == QLatin1String("XLS"))
        return QStringLiteral(".XLS");
    if (exportFormat == QLatin1String("TAB"))
        return QStringLiteral(".TXT");
    return QString();
}

QString withExtension(const QString& path, const QString& exportFormat)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return path;
    // A name typed with a closing point takes the extension after that point.
    return name.endsWith(QLatin1Char('.')) ? path + extension(exportFormat).mid(1) : path + extension(exportFormat);
}

} // namespace ReportExportName

} // namespace results
