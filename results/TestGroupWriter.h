#pragma once
// Creation of the test group of a run: the TestGroups row with the limit
// set in force, lot, notes, version, demo flag, user and computer; the next
// group number; the limit and warning texts; one UnitElectrodes row per
// connected unit with the identity and lot of each connected electrode.

#include "results/TestGroupLimitSets.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace platform {
class DbConnection;
}

// What a group keeps of one connected electrode.
namespace results {

class OpenGroupNote;
class ResultsDatabase;

struct ElectrodeIdentity {
    QDateTime calibrationDate;
    QString firmwareVersion;
    QString serialNumber;
};
// A unit's 16 channels, each with the identity of its electrode or none when
// no electrode is connected to it; empty when the unit is not connected.
using UnitElectrodes = QVector<std::optional<ElectrodeIdentity>>;
// The lot of each electrode index 0..31 (0..15 unit 1, 16..31 unit 2).
using ElectrodeLots = std::array<QString, 32>;

// The longest lot of a group, and of one electrode, that is stored whole; a
// longer one is cut to three characters fewer and "...". The windows where
// the operator types them take no more.
constexpr int MaxLotLength = 5000;
constexpr int MaxElectrodeLotLength = 50;

// Each writes on the database's connection and notes the new group in note
// (nullptr: no note of open groups is kept).
// Each returns the new GroupID, or 0 when the connection cannot be opened;
// a failing statement throws platform::DbError (what was written before it
// stays). demoMode marks a run of the station's demonstration mode. Logs "New ZAMO80 Test Group ID = " / "New Test
// Group ID = " and the key.
qint32 createZamo80TestGroup(ResultsDatabase& database, OpenGroupNote* note, const QDateTime& dateExecuted,
                             const QDateTime& dateCompleted, const Zamo80LimitSet& limits, const QString& lot,
                             const QString& notes, const UnitElectrodes& unit1, const UnitElectrodes& unit2,
                             const QString& userName, const QString& computerName, bool isZamo24,
                             const ElectrodeLots& electrodeLots, bool demoMode);
qint32 createTestGroup(ResultsDatabase& database, OpenGroupNote* note, const QDateTime& dateExecuted,
                       const QDateTime& dateCompleted, const StandardLimitSet& limits, const QString& lot,
                       const QString& notes, const UnitElectrodes& unit1, const UnitElectrodes& unit2,
                       const QString& userName, const QString& computerName, const ElectrodeLots& electrodeLots,
                       bool demoMode);

// Raises Globals.LastUniqueGroupID by one in a single statement and returns
// the raised value, so that two stations on one server never get the same
// number. Throws platform::DbError when the row is missing or the number
// cannot be raised further.
qint32 takeNextUniqueGroupID(platform::DbConnection& connection);

} // namespace results
