#include "results/ReportLists.h"

#include "platform/DbError.h"
#include "platform/OleDate.h"

namespace results {

using platform::DbConnection;
using platform::DbDialect;
using platform::DbRecordset;

namespace {

// Completed (the group writer stores the zero date until then) and not
// cancelled. A Null completion date is not completed either.
QString finishedCondition(const DbDialect& d)
{
    return QStringLiteral("TestGroups.DateCompleted <> ") + d.dateLiteral(platform::OleDate().toDateTime())
           + QStringLiteral(" AND TestGroups.Cancelled = ") + d.booleanLiteral(false);
}

QString typeCondition(const DbDialect& d, ReportType type)
{
    const QString yes = d.booleanLiteral(true);
    const QString no = d.booleanLiteral(false);
    switch (type) {
    case ReportType::Zamo:
        return QStringLiteral(" AND TestGroups.Zamo80 = ") + no + QStringLiteral(" AND TestGroups.Zamo24 = ") + no;
    case ReportType::Zamo80:
        return QStringLiteral(" AND TestGroups.Zamo80 = ") + yes + QStringLiteral(" AND TestGroups.Zamo24 = ") + no;
    case ReportType::Zamo24:
        return QStringLiteral(" AND TestGroups.Zamo24 = ") + yes;
    case ReportType::All:
        break;
    }
    return {};
}

// The list's order, or its exact reverse. Lots without a text come first
// in ascending order on both back ends.
QString orderBy(ReportSortKey key, bool ascending)
{
    const QString direction = ascending ? QStringLiteral("ASC") : QStringLiteral("DESC");
    const QString id = QStringLiteral("UniqueGroupID ") + direction;
    if (key != ReportSortKey::Lot)
        return id;
    return QStringLiteral("LotNumberSortField ") + direction
           + (ascending ? QStringLiteral(" NULLS FIRST, ") : QStringLiteral(" NULLS LAST, ")) + id;
}

// The rows from the first on as the grids take them: tabs between fields,
// carriage returns between rows.
QString clipText(DbRecordset& rs)
{
    rs.moveFirst();
    QString text = rs.getString(QStringLiteral("\t"), QStringLiteral("\r"), QString());
    text.chop(1);   // the last row's carriage return
    rs.moveFirst();
    return text;
}

} // namespace

qint64 countCompletedTestGroups(DbConnection& db, bool showAll)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM TestGroups");
    if (!showAll)
        sql += QStringLiteral(" WHERE ") + finishedCondition(db.dialect());
    return db.execute(sql).value(0).toLongLong();
}

ReportListPage reportListPage(DbConnection& db, const ReportListQuery& query)
{
    if (query.page < 1 || query.pageSize < 1)
        throw platform::DbError(QStringLiteral("Report list page %1 of %2 groups cannot be shown")
                                    .arg(query.page)
                                    .arg(query.pageSize),
                                QStringLiteral("pages are numbered from 1 and hold at least one group"));
    const DbDialect& d = db.dialect();
    QString select = QStringLiteral("SELECT UniqueGroupID, LotNumberSortField, DateExecuted, DateCompleted "
                                    "FROM TestGroups WHERE TestGroups.DateExecuted IS NOT NULL");
    if (!query.showAll)
        select += QStringLiteral(" AND ") + finishedCondition(d);
    select += typeCondition(d, query.type);
    const QString order = orderBy(query.sortBy, query.ascending);
    const qint64 offset = qint64(query.page - 1) * query.pageSize;

    DbRecordset rs = db.execute(select + QStringLiteral(" ORDER BY ") + order
                                + QStringLiteral(" LIMIT %1 OFFSET %2").arg(query.pageSize).arg(offset));
    if (rs.recordCount() < query.pageSize && query.page > 1) {
        // The page reaches past the end: the last groups of the list, in its order.
        rs = db.execute(QStringLiteral("SELECT * FROM (") + select + QStringLiteral(" ORDER BY ")
                        + orderBy(query.sortBy, !query.ascending)
                        + QStringLiteral(" LIMIT %1) AS LastPage ORDER BY ").arg(query.pageSize) + order);
    }

    ReportListPage page;
    for (; !rs.eof(); rs.moveNext())
        page.rows << ReportListRow{rs.value(0).toInt(), rs.value(1).toString(),
                                   rs.dateValue(QStringLiteral("DateExecuted")),
                                   rs.dateValue(QStringLiteral("DateCompleted"))};
    page.clipText = clipText(rs);
    return page;
}

ArchiveList archiveList(DbConnection& db)
{
    DbRecordset rs = db.execute(QStringLiteral("SELECT Range, FileName, ArchiveDate FROM Archive ORDER BY ID"));
    ArchiveList list;
    for (; !rs.eof(); rs.moveNext())
        list.rows << ArchiveListRow{rs.value(0).toString(), rs.value(1).toString(),
                                    rs.dateValue(QStringLiteral("ArchiveDate"))};
    list.clipText = clipText(rs);
    return list;
}

qint32 condensedReportId(DbConnection& db, qint32 uniqueGroupId) noexcept
{
    try {
        const DbRecordset rs =
            db.execute(QStringLiteral("SELECT Zamo80CondensedID FROM TestGroups WHERE UniqueGroupID=?"),
                       {platform::DbParameter{QStringLiteral("@UniqueGroupID"), platform::DbType::Integer, 0,
                                              uniqueGroupId}});
        return rs.eof() ? 0 : rs.value(0).toInt();
    } catch (...) {
        return 0;
    }
}

} // namespace results
