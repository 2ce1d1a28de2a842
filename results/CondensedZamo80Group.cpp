#include "results/CondensedZamo80Group.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "results/TestGroupWriter.h"
#include "results/WriterSupport.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

#include <array>
#include <optional>

namespace results {

using platform::DbConnection;
using platform::DbRecordset;

namespace {

constexpr int kLetters = 16;

QString id(qint64 key)
{
    return QString::number(key);
}

struct CondensedMeasurement {
    QString timeInterval;
    qint32 intervalSeconds = 0;
    std::array<std::optional<double>, kLetters> values;
};

struct CondensedUnit {
    qint32 unitNumber = 0;
    qint32 iteration = 0;
    QList<CondensedMeasurement> measurements; // in the order they were first needed
    std::array<QString, kLetters> verdicts;   // "" where there is none

    // The row of the time interval, nullptr while there is none.
    CondensedMeasurement* measurementAt(const QString& timeInterval)
    {
        for (CondensedMeasurement& m : measurements)
            if (m.timeInterval == timeInterval)
                return &m;
        return nullptr;
    }
};

struct CondensedTest {
    qint32 parentID = 0;
    qint32 typeID = 0;
    QDateTime startTime;
    bool showOnReport = true;
    QList<CondensedUnit> units; // in the order they were first needed

    CondensedUnit& unitOf(qint32 unitNumber, qint32 iteration)
    {
        for (CondensedUnit& u : units)
            if (u.unitNumber == unitNumber && u.iteration == iteration)
                return u;
        units.append(CondensedUnit{unitNumber, iteration, {}, {}});
        return units.last();
    }
};

QString letterAt(int i)
{
    return channelLetter(i);
}

// The verdicts of a source unit, "" where there is none.
std::array<QString, kLetters> sourceVerdicts(DbConnection& db, const QVariant& testUnitID)
{
    std::array<QString, kLetters> verdicts;
    const DbRecordset rows = db.execute(QStringLiteral("SELECT * FROM TestResults WHERE TestUnitID = ")
                                        + id(testUnitID.toLongLong()) + QStringLiteral(" ORDER BY ResultID"));
    if (!rows.eof())
        for (int i = 0; i < kLetters; ++i)
            verdicts[std::size_t(i)] = rows.value(letterAt(i) + QStringLiteral("_Result")).toString();
    return verdicts;
}

// Folds one source unit into its condensed unit.
void foldUnit(DbConnection& db, const DbRecordset& unitRow, CondensedUnit& target)
{
    const QVariant testUnitID = unitRow.value(QStringLiteral("TestUnitID"));
    const std::array<QString, kLetters> verdicts = sourceVerdicts(db, testUnitID);
    DbRecordset rows = db.execute(QStringLiteral("SELECT * FROM TestMeasurements WHERE TestUnitID = ")
                                  + id(testUnitID.toLongLong()) + QStringLiteral(" ORDER BY MeasurementID ASC"));
    std::array<bool, kLetters> hasValue{}; // in some row of this source unit
    for (; !rows.eof(); rows.moveNext()) {
        const QString interval = rows.value(QStringLiteral("TimeInterval")).toString();
        const qint32 seconds = rows.value(QStringLiteral("TimeIntervalInt")).toInt();
        // The row is made by the first value that goes into it.
        CondensedMeasurement* measurement = target.measurementAt(interval);
        for (int i = 0; i < kLetters; ++i) {
            const QVariant value = rows.value(letterAt(i) + QStringLiteral("_Value"));
            if (!value.isNull())
                hasValue[std::size_t(i)] = true;
            if (value.isNull() || (measurement && measurement->values[std::size_t(i)]))
                continue; // nothing to give, or an earlier source gave this letter its value
            if (!measurement) {
                target.measurements.append(CondensedMeasurement{interval, seconds, {}});
                measurement = &target.measurements.last();
            }
            measurement->values[std::size_t(i)] = value.toDouble();
            if (!verdicts[std::size_t(i)].isEmpty())
                target.verdicts[std::size_t(i)] = verdicts[std::size_t(i)];
        }
    }
    // A verdict that came without any reading of this unit (an open
    // electrode, a reading lost to data errors) is copied all the same, so
    // that the condensed report shows the failure.
    for (int i = 0; i < kLetters; ++i)
        if (!hasValue[std::size_t(i)] && !verdicts[std::size_t(i)].isEmpty())
            target.verdicts[std::size_t(i)] = verdicts[std::size_t(i)];
}

// The condensed tests of the group, in the order of their parent ids.
QList<CondensedTest> condense(DbConnection& db, qint32 groupID)
{
    QList<CondensedTest> tests;
    DbRecordset sources = db.execute(QStringLiteral("SELECT * FROM Tests WHERE GroupID=") + id(groupID)
                                     + QStringLiteral(" ORDER BY Zamo80ParentTestID, TestID ASC"));
    for (; !sources.eof(); sources.moveNext()) {
        const qint32 parent = sources.value(QStringLiteral("Zamo80ParentTestID")).toInt();
        if (tests.isEmpty() || tests.last().parentID != parent)
            tests.append(CondensedTest{parent,
                                       sources.value(QStringLiteral("TestTypeID")).toInt(),
                                       sources.dateValue(QStringLiteral("TestStartTime")),
                                       sources.value(QStringLiteral("ShowOnReport")).toBool(),
                                       {}});
        CondensedTest& test = tests.last();
        DbRecordset units =
            db.execute(QStringLiteral("SELECT * FROM TestUnit WHERE TestID=") + id(sources.value("TestID").toLongLong())
                       + QStringLiteral(" ORDER BY UnitNumber, Itteration DESC, TestUnitID"));
        for (; !units.eof(); units.moveNext())
            foldUnit(db, units,
                     test.unitOf(units.value(QStringLiteral("UnitNumber")).toInt(),
                                 units.value(QStringLiteral("Itteration")).toInt()));
    }
    return tests;
}

void writeUnit(DbConnection& db, qint32 testID, const CondensedUnit& unit)
{
    db.execute(QStringLiteral("INSERT INTO TestUnit (TestID, UnitNumber, Itteration) VALUES (?, ?, ?)"),
               {integerParam("@TestID", testID), integerParam("@UnitNumber", unit.unitNumber),
                integerParam("@Itteration", unit.iteration)});
    const qint32 testUnitID = newKey(db);
    for (const CondensedMeasurement& m : unit.measurements) {
        QStringList columns{QStringLiteral("TestUnitID"), QStringLiteral("TimeInterval"),
                            QStringLiteral("TimeIntervalInt")};
        QList<platform::DbParameter> params{integerParam("@TestUnitID", testUnitID),
                                            textParam("@TimeInterval", 50, m.timeInterval),
                                            integerParam("@TimeIntervalInt", m.intervalSeconds)};
        for (int i = 0; i < kLetters; ++i)
            if (m.values[std::size_t(i)]) {
                columns << letterAt(i) + QStringLiteral("_Value");
                params << doubleParam(QStringLiteral("@Value"), *m.values[std::size_t(i)]);
            }
        db.execute(QStringLiteral("INSERT INTO TestMeasurements (") + columns.join(QStringLiteral(", "))
                       + QStringLiteral(") VALUES (") + QStringList(params.size(), QStringLiteral("?")).join(", ")
                       + QStringLiteral(")"),
                   params);
    }
    QStringList columns{QStringLiteral("TestUnitID")};
    QList<platform::DbParameter> params{integerParam("@TestUnitID", testUnitID)};
    for (int i = 0; i < kLetters; ++i)
        if (!unit.verdicts[std::size_t(i)].isEmpty()) {
            columns << letterAt(i) + QStringLiteral("_Result");
            params << textParam(QStringLiteral("@Result"), 10, unit.verdicts[std::size_t(i)]);
        }
    if (params.size() > 1)
        db.execute(QStringLiteral("INSERT INTO TestResults (") + columns.join(QStringLiteral(", "))
                       + QStringLiteral(") VALUES (") + QStringList(params.size(), QStringLiteral("?")).join(", ")
                       + QStringLiteral(")"),
                   params);
}

qint32 writeGroup(DbConnection& db, qint32 groupID, qint32 sourceUniqueID, const QList<CondensedTest>& tests)
{
    const qint32 number = takeNextUniqueGroupID(db);
    db.execute(QStringLiteral("INSERT INTO TestGroups (UniqueGroupID, Zamo80, Zamo80CondensedID) VALUES (?, ?, ?)"),
               {integerParam("@UniqueGroupID", number), booleanParam("@Zamo80", true),
                integerParam("@Zamo80CondensedID", sourceUniqueID)});
    const qint32 condensedID = newKey(db);
    db.execute(QStringLiteral("UPDATE TestGroups SET Zamo80CondensedID=") + id(condensedID)
               + QStringLiteral(" WHERE GroupID=") + id(groupID));
    for (const CondensedTest& test : tests) {
        db.execute(QStringLiteral("INSERT INTO Tests (GroupID, TestTypeID, TestStartTime, Zamo80ParentTestID, "
                                  "ShowOnReport) VALUES (?, ?, ?, ?, ?)"),
                   {integerParam("@GroupID", condensedID), integerParam("@TestTypeID", test.typeID),
                    dateParam("@TestStartTime", test.startTime), integerParam("@Zamo80ParentTestID", test.parentID),
                    booleanParam("@ShowOnReport", test.showOnReport)});
        const qint32 testID = newKey(db);
        for (const CondensedUnit& unit : test.units)
            writeUnit(db, testID, unit);
    }
    return condensedID;
}

} // namespace

qint32 buildCondensedZamo80Group(DbConnection& db, qint32 groupID)
{
    const qint64 start = platform::Clock::tickCount();
    config::writeLog(QStringLiteral("Generating Condensed ZAMO80 Report"));
    const DbRecordset source =
        db.execute(QStringLiteral("SELECT UniqueGroupID FROM TestGroups WHERE GroupID=") + id(groupID));
    if (source.eof())
        throw platform::DbError(QStringLiteral("There is no test group %1 to condense").arg(groupID));
    const qint32 sourceUniqueID = source.value(0).toInt();
    const QList<CondensedTest> tests = condense(db, groupID);

    db.transaction();
    qint32 condensedID = 0;
    try {
        condensedID = writeGroup(db, groupID, sourceUniqueID, tests);
        db.commit();
    } catch (const platform::DbError&) {
        db.rollback();
        throw;
    }
    config::writeLog(QStringLiteral("Condensed report complete, ")
                     + QString::number(platform::Clock::tickCount() - start));
    return condensedID;
}

qint32 condensedGroupOf(DbConnection& db, qint32 groupID)
{
    const DbRecordset row = db.execute(
        QStringLiteral("SELECT c.GroupID FROM TestGroups s INNER JOIN TestGroups c ON c.GroupID = s.Zamo80CondensedID "
                       "AND c.Zamo80CondensedID = s.UniqueGroupID WHERE s.GroupID = ")
        + id(groupID));
    return row.eof() ? 0 : row.value(0).toInt();
}

qint32 sourceGroupOf(DbConnection& db, qint32 condensedGroupID)
{
    const DbRecordset row =
        db.execute(QStringLiteral("SELECT s.GroupID FROM TestGroups c INNER JOIN TestGroups s ON s.UniqueGroupID = "
                                  "c.Zamo80CondensedID AND s.Zamo80CondensedID = c.GroupID WHERE c.GroupID = ")
                   + id(condensedGroupID));
    return row.eof() ? 0 : row.value(0).toInt();
}

} // namespace results
