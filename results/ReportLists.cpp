#include "results/ReportLists.h"

#include "config/StationText.h"
#include "platform/DbError.h"
#include "platform/OleDate.h"
#include "platform/SteadyLocalDays.h"

#include <algorithm>

namespace results {

using platform::DbConnection;
using platform::DbDialect;

namespace {

// Completed (the group writer stores the zero date until then) and not
// cancelled. A Null completion date is not completed either.
QString finishedCondition(const platform::DbDialect& d)
{
    const auto condition = [](const platform::DbDialect& d) {
        return QStringLiteral("TestGroups.DateCompleted <> ") + d.dateLiteral(platform::OleDate().toDateTime())
               + QStringLiteral(" AND TestGroups.Cancelled = ") + d.booleanLiteral(false);
    };
    // The same text on every read: made once for each back end.
    static const QString sqlite = condition(platform::DbDialect::of(platform::DbBackend::SQLite));
    static const QString server = condition(platform::DbDialect::of(platform::DbBackend::PostgreSQL));
    return d.backend == platform::DbBackend::SQLite ? sqlite : server;
}

// The list's columns in a database of the query's revision.
struct ListColumns {
    QString id;         // the group number
    bool lot = true;    // LotNumberSortField
    bool zamo80 = true; // the ZAMO80 flag
    bool zamo24 = true; // the ZAMO2-4 flag
};

ListColumns listColumns(int revision)
{
    return {revision <= 6 ? QStringLiteral("GroupID") : QStringLiteral("UniqueGroupID"), revision >= 14, revision >= 8,
            revision >= 11};
}

QString typeCondition(const platform::DbDialect& d, ReportType type, const ListColumns& columns)
{
    if (!columns.zamo80)
        return {};
    const QString yes = d.booleanLiteral(true);
    const QString no = d.booleanLiteral(false);
    const QString notZamo24 = columns.zamo24 ? QStringLiteral(" AND TestGroups.Zamo24 = ") + no : QString();
    switch (type) {
    case ReportType::Zamo: return QStringLiteral(" AND TestGroups.Zamo80 = ") + no + notZamo24;
    case ReportType::Zamo80: return QStringLiteral(" AND TestGroups.Zamo80 = ") + yes + notZamo24;
    case ReportType::Zamo24: return columns.zamo24 ? QStringLiteral(" AND TestGroups.Zamo24 = ") + yes : QString();
    case ReportType::All: break;
    }
    return {};
}

// The list's order, or its exact reverse. Lots without a text come first
// in ascending order on both back ends. Within a lot the groups always come
// in ascending group number, whichever way the lots are sorted.
QString orderBy(const ListColumns& columns, ReportSortKey key, bool ascending, bool reversed = false)
{
    const auto direction = [](bool up) { return up ? QStringLiteral("ASC") : QStringLiteral("DESC"); };
    const bool lotsUp = ascending != reversed;
    if (key != ReportSortKey::Lot || !columns.lot)
        return columns.id + QLatin1Char(' ') + direction(lotsUp);
    return QStringLiteral("LotNumberSortField ") + direction(lotsUp)
           + (lotsUp ? QStringLiteral(" NULLS FIRST, ") : QStringLiteral(" NULLS LAST, ")) + columns.id
           + QLatin1Char(' ') + direction(!reversed);
}

void appendListDate(QString& out, platform::OleDate date)
{
    if (date.isZero())
        return;
    const auto [day, time] = date.dateAndTime();
    config::StationText::appendGeneralDate(out, day, time);
}

// The rows as the grids take them: tabs between fields, carriage returns
// between rows, dates as listDateText writes them.
class ClipText {
public:
    explicit ClipText(qsizetype rows) { m_text.reserve(rows * 64); }
    ClipText& row()
    {
        if (m_rows++ > 0)
            m_text += QLatin1Char('\r');
        m_fields = 0;
        return *this;
    }
    ClipText& operator<<(const QString& field)
    {
        separate();
        m_text += field;
        return *this;
    }
    ClipText& operator<<(platform::OleDate date)
    {
        separate();
        appendListDate(m_text, date);
        return *this;
    }
    const QString& text() const { return m_text; }

private:
    void separate()
    {
        if (m_fields++ > 0)
            m_text += QLatin1Char('\t');
    }

    QString m_text;
    qsizetype m_rows = 0;
    int m_fields = 0;
};

} // namespace

QString listDateText(platform::OleDate date)
{
    QString text;
    appendListDate(text, date);
    return text;
}

qint64 countCompletedTestGroups(platform::DbConnection& db, bool showAll)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM TestGroups");
    if (!showAll)
        sql += QStringLiteral(" WHERE ") + finishedCondition(db.dialect());
    return db.currentValue(sql).toLongLong();
}

ReportListPage reportListPage(platform::DbConnection& db, const ReportListQuery& query)
{
    if (query.page < 1 || query.pageSize < 1)
        throw platform::DbError(
            QStringLiteral("Report list page %1 of %2 groups cannot be shown").arg(query.page).arg(query.pageSize),
            QStringLiteral("pages are numbered from 1 and hold at least one group"));
    const platform::DbDialect& d = db.dialect();
    const ListColumns columns = listColumns(query.revision);
    QString from = QStringLiteral(" FROM TestGroups WHERE TestGroups.DateExecuted IS NOT NULL");
    if (!query.showAll)
        from += QStringLiteral(" AND ") + finishedCondition(d);
    from += typeCondition(d, query.type, columns);
    const QString lot =
        columns.lot ? QStringLiteral("LotNumberSortField") : QStringLiteral("NULL AS LotNumberSortField");
    const QString select = QStringLiteral("SELECT ") + columns.id + QStringLiteral(", ") + lot
                           + QStringLiteral(", DateExecuted, DateCompleted") + from;
    const QString order = orderBy(columns, query.sortBy, query.ascending);
    const qint64 size = query.pageSize;

    // The place of the page's first group in the list (from 0), and how many
    // groups follow the page. A page that reaches past the end shows the last
    // groups. The database skips the fewer groups: those before the page, or
    // those after it in the reverse order.
    qint64 first = (query.page - 1) * size;
    qint64 after = -1;
    if (query.page > 1) {
        const qint64 groups = db.currentValue(QStringLiteral("SELECT COUNT(*)") + from).toLongLong();
        first = std::max<qint64>(0, std::min(first, groups - size));
        after = std::max<qint64>(0, groups - first - size);
    }
    platform::DbRowReader rows =
        after < 0 || first <= after
            ? db.read(select + QStringLiteral(" ORDER BY ") + order
                      + QStringLiteral(" LIMIT %1 OFFSET %2").arg(size).arg(first))
            : db.read(QStringLiteral("SELECT * FROM (") + select + QStringLiteral(" ORDER BY ")
                      + orderBy(columns, query.sortBy, query.ascending, true)
                      + QStringLiteral(" LIMIT %1 OFFSET %2) AS PageFromTheEnd ORDER BY ").arg(size).arg(after)
                      + order);

    ReportListPage page;
    page.rows.reserve(rows.size() >= 0 ? rows.size() : size);
    platform::SteadyLocalDays days;
    while (rows.next())
        page.rows.append(ReportListRow{rows.toInt64(0), rows.text(1), rows.date(2, days), rows.date(3, days)});
    return page;
}

QString ReportListPage::clipText() const
{
    ClipText clip(rows.size());
    for (const ReportListRow& row : rows)
        clip.row() << QString::number(row.uniqueGroupId) << row.lot << row.dateExecuted << row.dateCompleted;
    return clip.text();
}

ArchiveList archiveList(platform::DbConnection& db)
{
    platform::DbRowReader rows =
        db.read(QStringLiteral("SELECT Range, FileName, ArchiveDate FROM Archive ORDER BY ID"));
    ArchiveList list;
    platform::SteadyLocalDays days;
    while (rows.next())
        list.rows.append(ArchiveListRow{rows.text(0), rows.text(1), rows.date(2, days)});
    return list;
}

QString ArchiveList::clipText() const
{
    ClipText clip(rows.size());
    for (const ArchiveListRow& row : rows)
        clip.row() << row.range << row.fileName << row.archiveDate;
    return clip.text();
}

qint64 condensedReportId(platform::DbConnection& db, qint64 uniqueGroupId) noexcept
{
    try {
        // The number as stored, also beyond 32 bits.
        const platform::DbRecordset rs =
            db.execute(QStringLiteral("SELECT Zamo80CondensedID FROM TestGroups WHERE UniqueGroupID=?"),
                       {platform::DbParameter::fromValue(QVariant::fromValue(uniqueGroupId))});
        return rs.eof() ? 0 : platform::DbDialect::wholeNumber(rs.value(0)).value_or(0);
    } catch (...) {
        return 0;
    }
}

} // namespace results
