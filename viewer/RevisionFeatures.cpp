#include "viewer/RevisionFeatures.h"

namespace viewer {

RevisionFeatures RevisionFeatures::of(int revision)
{
    RevisionFeatures f;
    f.revision = revision;
    f.listed = revision > 0;
    f.reports = revision >= 4 && revision <= 15;
    f.byUniqueGroupId = revision > 6;
    f.archives = revision > 6;
    f.reportTypes = revision > 7;
    f.zamo24Type = revision >= 11;
    f.lotSort = revision >= 14;
    return f;
}

QStringList RevisionFeatures::reportTypeChoices() const
{
    QStringList types = {QStringLiteral("ALL"), QStringLiteral("ZAMO"), QStringLiteral("ZAMO80")};
    if (zamo24Type)
        types << QStringLiteral("ZAMO2-4");
    return types;
}

QString RevisionFeatures::reportTypeFor(const QString& asked) const
{
    if (!reportTypes)
        return QStringLiteral("ZAMO");
    return reportTypeChoices().contains(asked) ? asked : QStringLiteral("ALL");
}

} // namespace viewer
