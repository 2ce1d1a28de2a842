#include "results/ReportListQuery.h"

namespace results {

ReportType reportTypeFromText(const QString& text)
{
    if (text == QLatin1String("ZAMO"))
        return ReportType::Zamo;
    if (text == QLatin1String("ZAMO80"))
        return ReportType::Zamo80;
    if (text == QLatin1String("ZAMO2-4"))
        return ReportType::Zamo24;
    return ReportType::All;
}

} // namespace results
