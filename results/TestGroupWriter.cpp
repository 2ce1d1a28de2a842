#include "results/TestGroupWriter.h"

#include "config/AppVersion.h"
#include "config/Log.h"
#include "platform/DbError.h"
#include "results/OpenGroupNote.h"
#include "results/ResultsDatabase.h"
#include "results/SanitizeText.h"
#include "results/TestLimitText.h"
#include "results/WriterSupport.h"

#include <QStringList>

#include <optional>

namespace results {

using platform::DbConnection;
using platform::DbParameter;

namespace {

constexpr int kSortFieldWidth = 250;

// What tells the two kinds of group apart.
struct GroupKind {
    bool zamo80;
    QStringList limitColumns; // in the order of the limit set
    QString lotParameter;
    QString notesParameter;
    QString warningTextParameter;
    QString logPrefix;
};

const GroupKind& zamo80Kind()
{
    static const GroupKind kind{true,
                                {"Zamo80DCOLimit", "Zamo80DCOWarning", "Zamo80ACZLimit", "Zamo80ACZWarning",
                                 "Zamo80ACZ30Limit", "Zamo80ACZ30Warning", "Zamo80ACLGLimit", "Zamo80ACLGWarning",
                                 "Zamo80NOISEDCOLimit", "Zamo80NOISEDCOWarning", "Zamo80DEFRLimit4",
                                 "Zamo80DEFRWarning4", "Zamo80DEFRLimit60", "Zamo80DEFRWarning60"},
                                "@LotNumber",
                                "@Notes",
                                "@TestWarningString",
                                "New ZAMO80 Test Group ID = "};
    return kind;
}

const GroupKind& standardKind()
{
    static const GroupKind kind{false,
                                {"DCOLimit", "DCOWarning", "ACZLimit", "ACZWarning", "SDR5SecOffsetLimit",
                                 "SDR5SecOffsetWarning", "SDRRecoverySlopeLimit", "SDRRecoverySlopeWarning",
                                 "NoiseDCOLimit", "NoiseDCOWarning", "BiasDCOLimit", "BiasDCOWarning"},
                                "@LotNum",
                                "@GroupNotes",
                                "@TestLimitWarning",
                                "New Test Group ID = "};
    return kind;
}

struct GroupValues {
    QDateTime dateExecuted;
    QDateTime dateCompleted;
    QList<double> limits;
    QString lot;
    QString notes;
    QString userName;
    QString computerName;
    std::optional<bool> isZamo24; // ZAMO80 kind only
    bool demoMode = false;
};

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(config::AppVersion::major())
        .arg(config::AppVersion::minor())
        .arg(config::AppVersion::revision());
}

qint32 insertGroupRow(platform::DbConnection& db, const GroupKind& kind, const GroupValues& v)
{
    const QString lotText = sanitizeText(v.lot, MaxLotLength);
    QStringList columns{"Zamo80", "DateExecuted", "DateCompleted"};
    QList<platform::DbParameter> params{booleanParam("@Zamo80", kind.zamo80),
                                        dateParam("@DateExecuted", v.dateExecuted),
                                        dateParam("@DateCompleted", v.dateCompleted)};
    for (int i = 0; i < kind.limitColumns.size(); ++i) {
        columns << kind.limitColumns[i];
        params << doubleParam('@' + kind.limitColumns[i], v.limits[i]);
    }
    columns << "LotNumber"
            << "Notes"
            << "SoftwareVersion"
            << "DemoMode";
    params << longTextParam(kind.lotParameter, lotText) << longTextParam(kind.notesParameter, sanitizeText(v.notes, 0))
           << textParam("@SoftwareVersion", 250, versionText()) << booleanParam("@DemoMode", v.demoMode);
    if (v.isZamo24) {
        columns << "Zamo24";
        params << booleanParam("@Zamo24", *v.isZamo24);
    }
    columns << "WindowsUserName"
            << "ComputerName"
            << "LotNumberSortField";
    params << textParam("@WindowsUserName", 250, v.userName) << textParam("@ComputerName", 250, v.computerName)
           << textParam("@LotNumberSortField", kSortFieldWidth, lotText.left(kSortFieldWidth));
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    db.execute(QStringLiteral("INSERT INTO TestGroups (%1) VALUES (%2)")
                   .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
               params);
    return newKey(db);
}

// One UnitElectrodes row for a connected unit (16 channels); none for an empty array.
void insertUnitRow(platform::DbConnection& db, qint32 groupID, int unitNumber, const UnitElectrodes& electrodes,
                   const ElectrodeLots& lots)
{
    if (electrodes.size() != 16)
        return;
    QStringList columns{"GroupID", "UnitNumber"};
    QStringList values{QString::number(groupID), QString::number(unitNumber)};
    QList<platform::DbParameter> params;
    for (int i = 0; i < 16; ++i) {
        const std::optional<ElectrodeIdentity>& e = electrodes[i];
        if (!e)
            continue;
        const QString l = channelLetter(i);
        columns << l + "_CalibrationDate" << l + "_FirmwareVersion" << l + "_SerialNumber" << l + "_LotNumber";
        values << "?"
               << "?"
               << "?"
               << "?";
        params << dateParam('@' + l + "_CalibrationDate", e->calibrationDate)
               << textParam('@' + l + "_FirmwareVersion", 10, e->firmwareVersion)
               << textParam('@' + l + "_SerialNumber", 10, e->serialNumber)
               << textParam('@' + l + "_LotNumber", 50,
                            sanitizeText(lots[(unitNumber - 1) * 16 + i], MaxElectrodeLotLength));
    }
    db.execute(QStringLiteral("INSERT INTO UnitElectrodes (%1) VALUES (%2)")
                   .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))),
               params);
    newKey(db);
}

qint32 createGroup(ResultsDatabase& database, OpenGroupNote* note, const GroupKind& kind, const GroupValues& values,
                   const UnitElectrodes& unit1, const UnitElectrodes& unit2, const ElectrodeLots& lots)
{
    qint32 groupID = 0;
    if (platform::DbConnection* db = database.openedConnection()) {
        groupID = insertGroupRow(*db, kind, values);
        if (note)
            note->opened(groupID, database.liveDatabaseName());
        const qint32 next = takeNextUniqueGroupID(*db);
        if (note)
            note->numbered(groupID, next);
        const QString limitText = buildTestLimitString(database, groupID, kind.zamo80);
        const QString warningText = buildTestWarningString(database, groupID, kind.zamo80);
        db->execute(QStringLiteral("UPDATE TestGroups SET TestLimitString=?, TestWarningString=?, UniqueGroupID=")
                        + QString::number(next) + QStringLiteral(" WHERE GroupID=") + QString::number(groupID),
                    {textParam("@TestLimitString", 250, sanitizeText(limitText, 0)),
                     textParam(kind.warningTextParameter, 250, sanitizeText(warningText, 0))});
        insertUnitRow(*db, groupID, 1, unit1, lots);
        insertUnitRow(*db, groupID, 2, unit2, lots);
    }
    config::writeLog(kind.logPrefix + QString::number(groupID));
    return groupID;
}

} // namespace

qint32 takeNextUniqueGroupID(platform::DbConnection& db)
{
    platform::DbRecordset raised =
        db.execute(QStringLiteral("UPDATE Globals SET LastUniqueGroupID = LastUniqueGroupID + 1 "
                                  "WHERE ID = 1 AND LastUniqueGroupID < 2147483647 RETURNING LastUniqueGroupID"));
    if (raised.eof())
        throw platform::DbError(QStringLiteral("The last group number cannot be raised: the Globals row is "
                                               "missing or the number is at its largest"));
    return raised.value(0).toInt();
}

qint32 createZamo80TestGroup(ResultsDatabase& database, OpenGroupNote* note, const QDateTime& dateExecuted,
                             const QDateTime& dateCompleted, const Zamo80LimitSet& limits, const QString& lot,
                             const QString& notes, const UnitElectrodes& unit1, const UnitElectrodes& unit2,
                             const QString& userName, const QString& computerName, bool isZamo24,
                             const ElectrodeLots& electrodeLots, bool demoMode)
{
    const GroupValues values{dateExecuted, dateCompleted, QList<double>(limits.begin(), limits.end()),
                             lot,          notes,         userName,
                             computerName, isZamo24,      demoMode};
    return createGroup(database, note, zamo80Kind(), values, unit1, unit2, electrodeLots);
}

qint32 createTestGroup(ResultsDatabase& database, OpenGroupNote* note, const QDateTime& dateExecuted,
                       const QDateTime& dateCompleted, const StandardLimitSet& limits, const QString& lot,
                       const QString& notes, const UnitElectrodes& unit1, const UnitElectrodes& unit2,
                       const QString& userName, const QString& computerName, const ElectrodeLots& electrodeLots,
                       bool demoMode)
{
    const GroupValues values{dateExecuted, dateCompleted, QList<double>(limits.begin(), limits.end()),
                             lot,          notes,         userName,
                             computerName, std::nullopt,  demoMode};
    return createGroup(database, note, standardKind(), values, unit1, unit2, electrodeLots);
}

} // namespace results
