#include "viewer/ViewerReportList.h"

#include "platform/DbError.h"

#include <algorithm>

namespace viewer {

const QString ViewerReportList::NoDatabaseSelected = QStringLiteral("No Database Selected");
const QString ViewerReportList::TestingConnection = QStringLiteral("Testing Database Connection... please wait.");
const QString ViewerReportList::ConnectionFailed = QStringLiteral("Database connection failed!");

DatabaseChoice ViewerReportList::chooseFile(const QString& path, ReportListRequest request)
{
    if (path.isEmpty())
        return {NoDatabaseSelected, {}};
    m_database.chooseFile(path);
    request.page = 1;
    request.newDatabase = true;
    DatabaseChoice choice{NoDatabaseSelected, load(request)};
    if (choice.list.features.listed)
        choice.status = QStringLiteral("Version %1 Database Selected").arg(choice.list.features.revision);
    return choice;
}

ServerChoice ViewerReportList::connectServer(const ServerLogOn& logOn, ReportListRequest request)
{
    ServerChoice choice;
    if (!m_database.connectServer(logOn, &choice.failure)) {
        choice.status = NoDatabaseSelected;
        choice.dialogStatus = ConnectionFailed;
        return choice;
    }
    choice.connected = true;
    request.page = 1;
    request.newDatabase = true;
    choice.list = load(request);
    choice.status = choice.list.features.listed
                        ? QStringLiteral("Version %1 SQL Database Selected.").arg(choice.list.features.revision)
                        : NoDatabaseSelected;
    return choice;
}

ReportListView ViewerReportList::load(const ReportListRequest& request)
{
    ReportListView view;
    if (m_database.refused()) // given up at an earlier read: nothing more is read from it, nor said
        return view;
    m_database.repairLegacyDemoModeColumn(&view.repairFailure);
    const int revision = m_database.revision(&view.failure);
    if (m_database.refused())
        return refusal(view.failure);
    view.features = RevisionFeatures::of(revision);
    if (!view.features.listed)
        return view;

    const RevisionFeatures& f = view.features;
    view.reportTypes = f.reportTypeChoices();
    view.reportType = f.reportTypeFor(request.newDatabase ? QStringLiteral("ALL") : request.reportType);
    view.reportTypeEnabled = f.reportTypes;
    view.sortEnabled = f.lotSort;

    results::ReportListQuery query;
    query.page = std::max(1, request.page);
    query.pageSize = ReportListRequest::PageSize;
    query.showAll = request.showAll;
    query.type = results::reportTypeFromText(view.reportType);
    query.sortBy = request.sortByLot && f.lotSort ? results::ReportSortKey::Lot : results::ReportSortKey::Id;
    query.ascending = request.ascending;
    query.revision = revision;
    const results::ReportListSource lists = m_database.lists();
    try {
        view.page = lists.page(query);
        const qint64 groups = lists.countCompletedTestGroups(request.showAll);
        view.pageCount = int(groups / query.pageSize + 1);
        view.pageIndex = std::min(query.page, view.pageCount) - 1;
    } catch (const platform::DbError& e) {
        if (e.overTime())
            return refusal(e.cause());
        view.page = {};
        view.failure = e.text();
        return view;
    }
    if (f.archives && !m_database.usesServer()) {
        try {
            view.archives = lists.archives();
        } catch (const platform::DbError& e) {
            if (e.overTime())
                return refusal(e.cause());
            // The archive records are a list for information only: the groups are still shown.
            view.failure = e.text();
        }
    }
    return view;
}

ReportListView ViewerReportList::refusal(const QString& why)
{
    if (!m_database.usesServer())
        m_database.refuse(why);
    ReportListView view;
    view.failure = why;
    view.refused = true;
    return view;
}

ReportKind ViewerReportList::condensedKind(qint64 groupId)
{
    return m_database.lists().condensedReportId(groupId) >= 1 ? ReportKind::Zamo80Condensed : ReportKind::Condensed;
}

} // namespace viewer
