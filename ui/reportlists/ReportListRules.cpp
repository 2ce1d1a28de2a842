#include "ui/reportlists/ReportListRules.h"

namespace ui {

namespace {

bool zamo80Family(const QString& type)
{
    return type == ReportTypeZamo80 || type == ReportTypeZamo24;
}

bool hasSwitch(const QString& commandLine, const QString& switchText)
{
    return commandLine.contains(switchText, Qt::CaseInsensitive);
}

} // namespace

ReportKind doubleClickReport(const QString& type)
{
    return zamo80Family(type) ? ReportKind::Condensed : ReportKind::Full;
}

ReportKind viewButtonReport(const QString& type)
{
    return zamo80Family(type) ? ReportKind::Full : ReportKind::Condensed;
}

QString viewButtonLabel(const QString& type)
{
    return viewButtonReport(type) == ReportKind::Full ? QStringLiteral("View Selected Full Report")
                                                      : QStringLiteral("View Selected Condensed Report");
}

bool exportsZamo80Condensed(const QString& type)
{
    return type == ReportTypeZamo80;
}

QString reportTypeForUnits(run::ConnectedUnitsMode mode, bool singleZamo24)
{
    if (mode != run::ConnectedUnitsMode::Zamo80)
        return ReportTypeZamo;
    return singleZamo24 ? ReportTypeZamo24 : ReportTypeZamo80;
}

int reportListPageCount(qint64 groups)
{
    return int(qMax<qint64>(groups, 0) / ReportListPageSize + 1);
}

bool archiveNowOffered(const QString& commandLine, bool localDatabase)
{
    return localDatabase
           && (hasSwitch(commandLine, QStringLiteral("/rida2")) || hasSwitch(commandLine, QStringLiteral("/vadov")));
}

bool archivedShowAllOffered(const QString& commandLine)
{
    return hasSwitch(commandLine, QStringLiteral("/rida")) || hasSwitch(commandLine, QStringLiteral("/vadov"));
}

} // namespace ui
