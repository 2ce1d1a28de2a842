#include "viewer/ViewerReportTemplates.h"

#include "platform/WholeFile.h"
#include "viewer/ViewerDataFolder.h"

#include <QFile>

#include <algorithm>

namespace viewer {

std::optional<int> ViewerReportTemplates::number(int revision, bool server, ReportKind kind, bool diagnostics)
{
    if (revision < 4 || revision > 15)
        return std::nullopt;
    if (revision <= 5)
        return 200 + revision;
    // From 13 on the sets are those of 13 (for 14 too) and 15, for a file and then for a server.
    const int set = revision >= 15 ? 2150 : revision >= 13 ? 2130 : 2000 + 10 * revision;
    const int base = revision >= 13 && server ? set + 4 : set;
    if (kind == ReportKind::Full || revision <= 7)
        return base + (diagnostics ? 1 : 2);
    if (kind == ReportKind::Condensed)
        return base + 3;
    if (revision == 8)
        return std::nullopt;
    return base + 4;
}

QList<int> ViewerReportTemplates::all()
{
    QList<int> numbers;
    for (int revision = 4; revision <= 15; ++revision)
        for (bool server : {false, true})
            for (ReportKind kind : {ReportKind::Full, ReportKind::Condensed, ReportKind::Zamo80Condensed})
                for (bool diagnostics : {true, false})
                    if (const std::optional<int> n = number(revision, server, kind, diagnostics);
                        n && !numbers.contains(*n))
                        numbers << *n;
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString ViewerReportTemplates::fileName(int number)
{
    return QStringLiteral("ElectrodeTestReport_%1.rpt").arg(number);
}

QString ViewerReportTemplates::write(int number, QString* error)
{
    const QString path = ViewerDataFolder::path() + QLatin1Char('/') + fileName(number);
    QFile resource(QStringLiteral(":/RPT/%1").arg(number));
    QString why;
    if (!resource.open(QIODevice::ReadOnly))
        *error = QStringLiteral("326:Error in BuildFileFromResource.  Error Message: Resource with identifier RPT %1 "
                                "not found")
                     .arg(number);
    else if (!platform::WholeFile::save(path, resource.readAll(), &why))
        *error = QStringLiteral("75:Error in BuildFileFromResource.  Error Message: Path/File access error (%1: %2)")
                     .arg(path, why);
    else
        error->clear();
    return path;
}

} // namespace viewer
