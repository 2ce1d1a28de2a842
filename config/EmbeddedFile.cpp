#include "config/EmbeddedFile.h"

#include "config/Log.h"
#include "platform/Prompts.h"
#include "platform/WholeFile.h"

#include <QFile>

namespace config {

namespace {

constexpr int ResourceNotFound = 326;
constexpr int FileAccessError = 75;

void showFailure(int number, const QString& description)
{
    platform::Prompts::instance().message(
        QString::number(number) + QStringLiteral(":Error in BuildFileFromResource.  Error Message: ") + description,
        QStringLiteral("Warning"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
}

// A read-only template is replaced too.
void allowReplacing(const QString& path)
{
    if (QFile::exists(path))
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
}

} // namespace

QString buildFileFromResource(const QString& path, qint32 number, const QString& type)
{
    QFile resource(QStringLiteral(":/%1/%2").arg(type).arg(number));
    if (!resource.open(QIODevice::ReadOnly)) {
        showFailure(ResourceNotFound, QStringLiteral("Resource with identifier %1 %2 not found").arg(type).arg(number));
        return QString();
    }
    QString error;
    if (!platform::WholeFile::save(path, resource.readAll(), &error)) {
        showFailure(FileAccessError, QStringLiteral("Path/File access error (%1: %2)").arg(path, error));
        return QString();
    }
    return path;
}

void extractReportFiles(const config::StationPaths& paths, bool withDiagnostics)
{
    writeLog(QStringLiteral("Extracting report files"));
    const QString templates[] = {paths.electrodeTestReport,   paths.condensedReport,
                                 paths.zamo80CondensedReport, paths.sqlElectrodeTestReport,
                                 paths.sqlCondensedReport,    paths.sqlZamo80CondensedReport};
    // Each is replaced whole: one that cannot be written stays as it was.
    for (const QString& path : templates)
        allowReplacing(path);

    const QString rpt = QStringLiteral("RPT");
    buildFileFromResource(paths.electrodeTestReport, withDiagnostics ? 201 : 202, rpt);
    buildFileFromResource(paths.condensedReport, 251, rpt);
    buildFileFromResource(paths.zamo80CondensedReport, 252, rpt);
    buildFileFromResource(paths.sqlElectrodeTestReport, withDiagnostics ? 1201 : 1202, rpt);
    buildFileFromResource(paths.sqlCondensedReport, 1251, rpt);
    buildFileFromResource(paths.sqlZamo80CondensedReport, 1252, rpt);
}

} // namespace config
