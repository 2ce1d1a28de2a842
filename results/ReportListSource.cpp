#include "results/ReportListSource.h"

#include "platform/DbError.h"

#include <utility>

namespace results {

ReportListSource::ReportListSource(LiveConnection live, bool localDatabase)
    : m_live(std::move(live)), m_localDatabase(localDatabase)
{
}

bool ReportListSource::readsArchive(const QString& archivePath) const
{
    return m_localDatabase && !archivePath.isEmpty();
}

template <typename Read>
auto ReportListSource::withConnection(const QString& archivePath, Read read) const
{
    if (readsArchive(archivePath)) {
        platform::DbConnection archive;
        archive.setStatementTimeLimit(platform::DbConnection::OutsideFileTimeLimitMilliseconds);
        archive.openFile(archivePath, true);
        return read(archive);
    }
    platform::DbConnection* live = m_live ? m_live() : nullptr;
    if (!live)
        throw platform::DbError(QStringLiteral("The results database cannot be opened"));
    return read(*live);
}

qint64 ReportListSource::countCompletedTestGroups(bool showAll, const QString& archivePath) const
{
    if (readsArchive(archivePath))
        return withConnection(
            archivePath, [&](platform::DbConnection& db) { return results::countCompletedTestGroups(db, showAll); });
    platform::DbConnection* live = m_live ? m_live() : nullptr;
    return live ? results::countCompletedTestGroups(*live, showAll) : 0;
}

ReportListPage ReportListSource::page(const ReportListQuery& query, const QString& archivePath) const
{
    return withConnection(archivePath, [&](platform::DbConnection& db) { return reportListPage(db, query); });
}

ArchiveList ReportListSource::archives(const QString& archivePath) const
{
    return withConnection(archivePath, [](platform::DbConnection& db) { return archiveList(db); });
}

qint64 ReportListSource::condensedReportId(qint64 uniqueGroupId, const QString& archivePath) const noexcept
{
    try {
        return withConnection(
            archivePath, [&](platform::DbConnection& db) { return results::condensedReportId(db, uniqueGroupId); });
    } catch (...) {
        return 0;
    }
}

} // namespace results
