#pragma once
// Test groups for the report lists, written straight into a results
// database as the station leaves them: a finished group has both dates, an
// open run keeps the zero completion date, a cancelled one here has a
// completion date so that only its flag keeps it out, a condensed ZAMO80
// group has neither date. Group n starts n minutes after 2026-03-02 09:00.

#include "platform/DbConnection.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

namespace testsupport {

enum class GroupState { Finished, Open, Cancelled, Condensed };
enum class GroupModel { Base, Zamo80, Zamo24 };

struct ListedGroup {
    ListedGroup(qint32 id, GroupState state = GroupState::Finished, GroupModel model = GroupModel::Base,
                QVariant lot = QString(), QVariant condensedLink = QVariant())
        : id(id), state(state), model(model), lot(lot), condensedLink(condensedLink)
    {
    }
    qint32 id; // UniqueGroupID
    GroupState state;
    GroupModel model;
    QVariant lot;           // a null QVariant stores Null
    QVariant condensedLink; // Zamo80CondensedID
};

QDateTime listedGroupStart(qint32 id);
void addListedGroups(platform::DbConnection& db, const QList<ListedGroup>& groups);
// Finished base-model groups first..last.
QList<ListedGroup> finishedGroups(qint32 first, qint32 last);
// Finished base-model groups 1..count in lots "LOT-00000" .. of several
// groups each: group n is in lot n mod lots (five digits), so a lot's groups
// lie far apart and its lots straddle the pages of a list.
QList<ListedGroup> groupsInLots(qint32 count, qint32 lots);
// The groups' numbers as a list sorted by lot, descending, shows them: the
// lots from the highest down, the groups of a lot ascending.
QList<qint32> byLotDescending(const QList<ListedGroup>& groups);
// The numbers first..last, counting down when last < first.
QList<qint32> idRange(qint32 first, qint32 last);

} // namespace testsupport
