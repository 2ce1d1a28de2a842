#include "config/EmbeddedFile.h"

#include "config/Log.h"
#include "config/Settings.h"
#include "platform/Prompts.h"
#include "platform/WholeFile.h"

#include <QFile>

namespace modMain {

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

QString BuildFileFromResource(const QString& path, qint32 number, const QString& type)
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

void ExtractReportFiles()
{
    WriteLog(QStringLiteral("Extracting report files"));
    const QString templates[] = {Globals::ElectrodeTestReportPath,    Globals::CondensedReportPath,
                                 Globals::Zamo80CondensedReportPath,  Globals::SqlElectrodeTestReportPath,
                                 Globals::SqlCondensedReportPath,     Globals::SqlZamo80CondensedReportPath};
    // Each is replaced whole: one that cannot be written stays as it was.
    for (const QString& path : templates)
        allowReplacing(path);

    const QString rpt = QStringLiteral("RPT");
    const bool diagnostics = Globals::DiagnosticsEnabled;
    BuildFileFromResource(Globals::ElectrodeTestReportPath, diagnostics ? 201 : 202, rpt);
    BuildFileFromResource(Globals::CondensedReportPath, 251, rpt);
    BuildFileFromResource(Globals::Zamo80CondensedReportPath, 252, rpt);
    BuildFileFromResource(Globals::SqlElectrodeTestReportPath, diagnostics ? 1201 : 1202, rpt);
    BuildFileFromResource(Globals::SqlCondensedReportPath, 1251, rpt);
    BuildFileFromResource(Globals::SqlZamo80CondensedReportPath, 1252, rpt);
}

} // namespace modMain
