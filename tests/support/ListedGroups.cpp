#include "support/ListedGroups.h"

#include "platform/DbParameter.h"
#include "platform/OleDate.h"

#include <algorithm>

namespace testsupport {

using platform::DbType;

QDateTime listedGroupStart(qint32 id)
{
    return QDateTime(QDate(2026, 3, 2), QTime(9, 0)).addSecs(60 * id);
}

void addListedGroups(platform::DbConnection& db, const QList<ListedGroup>& groups)
{
    const QDateTime zero = platform::OleDate().toDateTime();
    db.transaction();
    for (const ListedGroup& g : groups) {
        const bool condensed = g.state == GroupState::Condensed;
        const QVariant executed = condensed ? QVariant() : QVariant(listedGroupStart(g.id));
        const QVariant completed = condensed                     ? QVariant()
                                   : g.state == GroupState::Open ? QVariant(zero)
                                                                 : QVariant(listedGroupStart(g.id).addSecs(1800));
        db.execute("INSERT INTO TestGroups (UniqueGroupID, LotNumberSortField, DateExecuted, DateCompleted, "
                   "Cancelled, Zamo80, Zamo24, Zamo80CondensedID) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                   {{"u", DbType::Integer, 0, g.id},
                    {"lot", DbType::VarChar, 250, g.lot},
                    {"exe", DbType::Date, 0, executed},
                    {"done", DbType::Date, 0, completed},
                    {"cancelled", DbType::Boolean, 0, g.state == GroupState::Cancelled},
                    {"z80", DbType::Boolean, 0, g.model != GroupModel::Base},
                    {"z24", DbType::Boolean, 0, g.model == GroupModel::Zamo24},
                    {"link", DbType::Integer, 0, g.condensedLink}});
    }
    db.commit();
}

QList<ListedGroup> finishedGroups(qint32 first, qint32 last)
{
    QList<ListedGroup> groups;
    for (qint32 id = first; id <= last; ++id)
        groups << ListedGroup{id};
    return groups;
}

QList<ListedGroup> groupsInLots(qint32 count, qint32 lots)
{
    QList<ListedGroup> groups;
    for (qint32 id = 1; id <= count; ++id)
        groups << ListedGroup{id, GroupState::Finished, GroupModel::Base,
                              QStringLiteral("LOT-%1").arg(id % lots, 5, 10, QLatin1Char('0'))};
    return groups;
}

QList<qint32> byLotDescending(const QList<ListedGroup>& groups)
{
    QList<ListedGroup> sorted = groups;
    std::stable_sort(sorted.begin(), sorted.end(), [](const ListedGroup& a, const ListedGroup& b) {
        const QString lotA = a.lot.toString();
        const QString lotB = b.lot.toString();
        return lotA != lotB ? lotA > lotB : a.id < b.id;
    });
    QList<qint32> ids;
    for (const ListedGroup& g : sorted)
        ids << g.id;
    return ids;
}

QList<qint32> idRange(qint32 first, qint32 last)
{
    QList<qint32> ids;
    for (qint32 id = first; first <= last ? id <= last : id >= last; id += first <= last ? 1 : -1)
        ids << id;
    return ids;
}

} // namespace testsupport
