#include "results/RunRecordWriters.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/DbDialect.h"
#include "platform/DbError.h"
#include "results/ReadingRows.h"
#include "results/ResultsDatabase.h"
#include "results/WriterSupport.h"

namespace results {

using platform::DbConnection;
using platform::DbParameter;

namespace {

QDateTime startTimeOf(const QString& text)
{
    if (text.isEmpty())
        return platform::Clock::now();
    QDateTime parsed = platform::DbDialect::parseDateText(text);
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text, Qt::ISODate);
    if (!parsed.isValid())
        throw platform::DbError(QStringLiteral("\"%1\" is not a date").arg(text));
    return parsed;
}

void logKey(const QString& prefix, qint32 key)
{
    config::writeLog(prefix + QString::number(key));
}

} // namespace

qint32 recordTestStart(ResultsDatabase& database, qint32 groupID, const QString& typeName, qint32 parentTestID,
                       const QString& startTime, bool showOnReport)
{
    if (!hasOwner(groupID, typeName + QStringLiteral(" test"), QStringLiteral("test group")))
        return 0;
    qint32 testID = 0;
    if (platform::DbConnection* db = database.openedConnection()) {
        const platform::DbRecordset types = db->execute(QStringLiteral("SELECT * FROM TestTypes WHERE TypeName = ?"),
                                                        {textParam("@TypeName", 10, typeName)});
        const qint32 typeID = types.recordCount() == 1 ? types.value(QStringLiteral("TypeID")).toInt() : 0;
        db->execute(QStringLiteral("INSERT INTO Tests (GroupID, TestTypeID, TestStartTime, Zamo80ParentTestID, "
                                   "ShowOnReport) VALUES (?, ?, ?, ?, ?)"),
                    {integerParam("@GroupID", groupID), integerParam("@TestTypeID", typeID),
                     dateParam("@TestStartTime", startTimeOf(startTime)),
                     integerParam("@Zamo80ParentTestID", parentTestID), booleanParam("@ShowOnReport", showOnReport)});
        testID = newKey(*db);
    }
    logKey(QStringLiteral("Test Started, ID = "), testID);
    return testID;
}

qint32 recordTestUnitStart(ResultsDatabase& database, qint32 testID, qint16 unitNumber, qint32 iteration)
{
    if (!hasOwner(testID, QStringLiteral("Test of Unit #%1").arg(unitNumber), QStringLiteral("test")))
        return 0;
    qint32 testUnitID = 0;
    if (platform::DbConnection* db = database.openedConnection()) {
        db->execute(QStringLiteral("INSERT INTO TestUnit (UnitNumber, TestID, Itteration) VALUES (?, ?, ?)"),
                    {integerParam("@UnitNumber", unitNumber), integerParam("@TestID", testID),
                     integerParam("@Itteration", iteration)});
        testUnitID = newKey(*db);
    }
    logKey(QStringLiteral("Test By Unit Started, ID = "), testUnitID);
    return testUnitID;
}

qint32 recordMeasurement(ResultsDatabase& database, qint32 measurementID, qint32 testUnitID,
                         const QString& timeInterval, const QString& letter, double value, qint32 intervalSeconds)
{
    qint32 rowID = 0;
    if (platform::DbConnection* db = database.openedConnection()) {
        const QString l = electrodeColumnLetter(letter);
        const platform::DbRecordset existing = db->execute(
            QStringLiteral("SELECT MeasurementID FROM TestMeasurements WHERE MeasurementID = ? and TimeInterval = ?"),
            {integerParam("@MeasurementID", measurementID), textParam("@TimeInterval", 50, timeInterval)});
        if (!existing.eof()) {
            db->execute(QStringLiteral("UPDATE TestMeasurements SET ") + l
                            + QStringLiteral("_Value = ? WHERE MeasurementID=") + QString::number(measurementID),
                        {doubleParam("@value", value)});
            rowID = measurementID;
        } else if (!hasOwner(testUnitID, QStringLiteral("Measurement of Electrode ") + letter,
                             QStringLiteral("test unit"))) {
            return 0;
        } else {
            db->execute(QStringLiteral("INSERT INTO TestMeasurements (TestUnitID, TimeInterval, ") + l
                            + QStringLiteral("_Value, TimeIntervalInt) VALUES (?, ?, ?, ?)"),
                        {integerParam("@TestUnitID", testUnitID), textParam("@TimeInterval", 50, timeInterval),
                         doubleParam("@Value", value), integerParam("@TimeIntervalInt", intervalSeconds)});
            rowID = newKey(*db);
        }
    }
    config::writeLog(measurementRecordedLine(rowID, letter, value));
    return rowID;
}

qint32 recordResult(ResultsDatabase& database, qint32 resultID, qint32 testUnitID, const QString& letter,
                    const QString& result)
{
    qint32 rowID = 0;
    if (platform::DbConnection* db = database.openedConnection()) {
        const QString l = electrodeColumnLetter(letter);
        const platform::DbRecordset existing = db->execute(
            QStringLiteral("SELECT ResultID FROM TestResults WHERE ResultID = ") + QString::number(resultID));
        if (!existing.eof()) {
            db->execute(QStringLiteral("UPDATE TestResults SET ") + l + QStringLiteral("_Result=? WHERE ResultID=")
                            + QString::number(resultID),
                        {textParam("@Result", 10, result)});
            rowID = resultID;
        } else if (!hasOwner(testUnitID,
                             QStringLiteral("Result of Electrode ") + letter + QStringLiteral(", ") + result,
                             QStringLiteral("test unit"))) {
            return 0;
        } else {
            db->execute(QStringLiteral("INSERT INTO TestResults (TestUnitID, ") + l
                            + QStringLiteral("_Result) VALUES (?, ?)"),
                        {integerParam("@TestUnitID", testUnitID), textParam("@Result", 10, result)});
            rowID = newKey(*db);
        }
    }
    config::writeLog(resultRecordedLine(rowID, letter, result));
    return rowID;
}

qint32 recordPaceProperties(ResultsDatabase& database, qint32 groupID, qint32 unitNumber, const QString& letter,
                            const QString& rollText, double paceAmplitude, double paceRate, double pulseWidth)
{
    if (!hasOwner(groupID, QStringLiteral("Pace settings of Electrode ") + letter, QStringLiteral("test group")))
        return 0;
    platform::DbConnection* db = database.openedConnection();
    if (!db)
        return 0;
    const QString l = electrodeColumnLetter(letter);
    const QString where = QStringLiteral(" WHERE GroupID = ") + QString::number(groupID)
                          + QStringLiteral(" AND UnitNumber = ") + QString::number(unitNumber);
    const QList<platform::DbParameter> settings{
        doubleParam("@PaceAmplitude", paceAmplitude), doubleParam("@PaceRate", paceRate),
        doubleParam("@PacePulseWidth", pulseWidth),
        platform::DbParameter{"@PaceRolled", platform::DbType::Char, 50, rollText}};
    if (!db->execute(QStringLiteral("SELECT Zamo24PacePropertiesID FROM Zamo24PaceProperties") + where).eof()) {
        db->execute(QStringLiteral("UPDATE Zamo24PaceProperties SET %1_PaceAmplitude=?, %1_PaceRate=?, "
                                   "%1_PacePulseWidth=?, %1_PaceRoll=?")
                            .arg(l)
                        + where,
                    settings);
        return 0;
    }
    db->execute(QStringLiteral("INSERT INTO Zamo24PaceProperties (GroupID, UnitNumber, %1_PaceAmplitude, %1_PaceRate, "
                               "%1_PacePulseWidth, %1_PaceRoll) VALUES (?, ?, ?, ?, ?, ?)")
                    .arg(l),
                QList<platform::DbParameter>{integerParam("@GroupID", groupID), integerParam("@TestUnitID", unitNumber)}
                    + settings);
    return newKey(*db);
}

qint32 recordUnitDiagnostics(ResultsDatabase& database, qint16 unitNumber, qint32 groupID,
                             const QVector<QVariant>& values, bool zamo80Columns)
{
    if (values.size() != 10)
        return 0;
    if (!hasOwner(groupID, QStringLiteral("Diagnostics of Unit #%1").arg(unitNumber), QStringLiteral("test group")))
        return 0;
    platform::DbConnection* db = database.openedConnection();
    if (!db)
        return 0;
    using platform::DbDialect;
    const QStringList columns{
        "GroupID",
        "UnitNumber",
        platform::DbDialect::column("10HzPeak"),
        "Temperature",
        "Vcc",
        platform::DbDialect::column("5VPos"),
        platform::DbDialect::column("5VNeg"),
        platform::DbDialect::column("5VRWorking"),
        zamo80Columns ? QStringLiteral("Zamo80LidClosed") : platform::DbDialect::column("200vOnWorking"),
        zamo80Columns ? QStringLiteral("Zamo8030kPeak") : platform::DbDialect::column("200vOffWorking"),
        "FirmwareVersion"};
    auto number = [&](int i) {
        bool ok = false;
        const double d = values[i].toDouble(&ok);
        if (!ok)
            throw platform::DbError(
                QStringLiteral("Diagnostic value %1 \"%2\" is not a number").arg(i).arg(values[i].toString()));
        return d;
    };
    QList<platform::DbParameter> params{
        integerParam("@GroupID", groupID),   integerParam("@UnitID", unitNumber),
        doubleParam("@10HzPeak", number(1)), doubleParam("@Temperature", number(2)),
        doubleParam("@Vcc", number(3)),      doubleParam("@5VPos", number(4)),
        doubleParam("@5VNeg", number(5)),    booleanParam("@5VRWorking", values[6].toBool())};
    if (zamo80Columns)
        params << booleanParam("@Zamo80LidClosed", values[7].toBool()) << doubleParam("@Zamo8030kPeak", number(8));
    else
        params << booleanParam("@200vOnWorking", values[7].toBool())
               << booleanParam("@200vOffWorking", values[8].toBool());
    params << textParam("@FirmwareVersion", 50, values[9].toString());
    db->execute(QStringLiteral("INSERT INTO UnitMasterDiagnostics (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(columns.join(QStringLiteral(", "))),
                params);
    return newKey(*db);
}

} // namespace results
