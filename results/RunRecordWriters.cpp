#include "results/RunRecordWriters.h"

#include "config/Log.h"
#include "platform/Clock.h"
#include "platform/DbDialect.h"
#include "platform/DbError.h"
#include "results/ReadingRows.h"
#include "results/WriterSupport.h"

namespace modDatabase {

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
    modMain::WriteLog(prefix + QString::number(key));
}

} // namespace

qint32 RecordTestStart(qint32 groupID, const QString& typeName, qint32 parentTestID, const QString& startTime,
                       bool showOnReport)
{
    qint32 testID = 0;
    if (DbConnection* db = OpenedConnection()) {
        const platform::DbRecordset types = db->execute(QStringLiteral("SELECT * FROM TestTypes WHERE TypeName = ?"),
                                                        {TextParam("@TypeName", 10, typeName)});
        const qint32 typeID = types.recordCount() == 1 ? types.value(QStringLiteral("TypeID")).toInt() : 0;
        db->execute(QStringLiteral("INSERT INTO Tests (GroupID, TestTypeID, TestStartTime, Zamo80ParentTestID, "
                                   "ShowOnReport) VALUES (?, ?, ?, ?, ?)"),
                    {IntegerParam("@GroupID", groupID), IntegerParam("@TestTypeID", typeID),
                     DateParam("@TestStartTime", startTimeOf(startTime)),
                     IntegerParam("@Zamo80ParentTestID", parentTestID), BooleanParam("@ShowOnReport", showOnReport)});
        testID = NewKey(*db);
    }
    logKey(QStringLiteral("Test Started, ID = "), testID);
    return testID;
}

qint32 RecordTestUnitStart(qint32 testID, qint16 unitNumber, qint32 iteration)
{
    qint32 testUnitID = 0;
    if (DbConnection* db = OpenedConnection()) {
        db->execute(QStringLiteral("INSERT INTO TestUnit (UnitNumber, TestID, Itteration) VALUES (?, ?, ?)"),
                    {IntegerParam("@UnitNumber", unitNumber), IntegerParam("@TestID", testID),
                     IntegerParam("@Itteration", iteration)});
        testUnitID = NewKey(*db);
    }
    logKey(QStringLiteral("Test By Unit Started, ID = "), testUnitID);
    return testUnitID;
}

qint32 RecordMeasurement(qint32 measurementID, qint32 testUnitID, const QString& timeInterval,
                         const QString& letter, double value, qint32 intervalSeconds)
{
    qint32 rowID = 0;
    if (DbConnection* db = OpenedConnection()) {
        const QString l = ElectrodeColumnLetter(letter);
        const platform::DbRecordset existing = db->execute(
            QStringLiteral("SELECT MeasurementID FROM TestMeasurements WHERE MeasurementID = ? and TimeInterval = ?"),
            {IntegerParam("@MeasurementID", measurementID), TextParam("@TimeInterval", 50, timeInterval)});
        if (!existing.eof()) {
            db->execute(QStringLiteral("UPDATE TestMeasurements SET ") + l + QStringLiteral("_Value = ? WHERE MeasurementID=")
                            + QString::number(measurementID),
                        {DoubleParam("@value", value)});
            rowID = measurementID;
        } else {
            db->execute(QStringLiteral("INSERT INTO TestMeasurements (TestUnitID, TimeInterval, ") + l
                            + QStringLiteral("_Value, TimeIntervalInt) VALUES (?, ?, ?, ?)"),
                        {IntegerParam("@TestUnitID", testUnitID), TextParam("@TimeInterval", 50, timeInterval),
                         DoubleParam("@Value", value), IntegerParam("@TimeIntervalInt", intervalSeconds)});
            rowID = NewKey(*db);
        }
    }
    modMain::WriteLog(MeasurementRecordedLine(rowID, letter, value));
    return rowID;
}

qint32 RecordResult(qint32 resultID, qint32 testUnitID, const QString& letter, const QString& result)
{
    qint32 rowID = 0;
    if (DbConnection* db = OpenedConnection()) {
        const QString l = ElectrodeColumnLetter(letter);
        const platform::DbRecordset existing = db->execute(
            QStringLiteral("SELECT ResultID FROM TestResults WHERE ResultID = ") + QString::number(resultID));
        if (!existing.eof()) {
            db->execute(QStringLiteral("UPDATE TestResults SET ") + l + QStringLiteral("_Result=? WHERE ResultID=")
                            + QString::number(resultID),
                        {TextParam("@Result", 10, result)});
            rowID = resultID;
        } else {
            db->execute(QStringLiteral("INSERT INTO TestResults (TestUnitID, ") + l + QStringLiteral("_Result) VALUES (?, ?)"),
                        {IntegerParam("@TestUnitID", testUnitID), TextParam("@Result", 10, result)});
            rowID = NewKey(*db);
        }
    }
    modMain::WriteLog(ResultRecordedLine(rowID, letter, result));
    return rowID;
}

qint32 RecordPaceProperties(qint32 groupID, qint32 unitNumber, const QString& letter, const QString& rollText,
                            double paceAmplitude, double paceRate, double pulseWidth)
{
    DbConnection* db = OpenedConnection();
    if (!db)
        return 0;
    const QString l = ElectrodeColumnLetter(letter);
    const QString where = QStringLiteral(" WHERE GroupID = ") + QString::number(groupID)
                          + QStringLiteral(" AND UnitNumber = ") + QString::number(unitNumber);
    const QList<DbParameter> settings{DoubleParam("@PaceAmplitude", paceAmplitude), DoubleParam("@PaceRate", paceRate),
                                      DoubleParam("@PacePulseWidth", pulseWidth),
                                      DbParameter{"@PaceRolled", platform::DbType::Char, 50, rollText}};
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
                QList<DbParameter>{IntegerParam("@GroupID", groupID), IntegerParam("@TestUnitID", unitNumber)}
                    + settings);
    return NewKey(*db);
}

qint32 RecordUnitDiagnostics(qint16 unitNumber, qint32 groupID, const QVector<QVariant>& values, bool zamo80Columns)
{
    if (values.size() != 10)
        return 0;
    DbConnection* db = OpenedConnection();
    if (!db)
        return 0;
    using platform::DbDialect;
    const QStringList columns{"GroupID", "UnitNumber", DbDialect::column("10HzPeak"), "Temperature", "Vcc",
                              DbDialect::column("5VPos"), DbDialect::column("5VNeg"),
                              DbDialect::column("5VRWorking"),
                              zamo80Columns ? QStringLiteral("Zamo80LidClosed") : DbDialect::column("200vOnWorking"),
                              zamo80Columns ? QStringLiteral("Zamo8030kPeak") : DbDialect::column("200vOffWorking"),
                              "FirmwareVersion"};
    auto number = [&](int i) {
        bool ok = false;
        const double d = values[i].toDouble(&ok);
        if (!ok)
            throw platform::DbError(QStringLiteral("Diagnostic value %1 \"%2\" is not a number").arg(i).arg(values[i].toString()));
        return d;
    };
    QList<DbParameter> params{IntegerParam("@GroupID", groupID), IntegerParam("@UnitID", unitNumber),
                              DoubleParam("@10HzPeak", number(1)), DoubleParam("@Temperature", number(2)),
                              DoubleParam("@Vcc", number(3)), DoubleParam("@5VPos", number(4)),
                              DoubleParam("@5VNeg", number(5)), BooleanParam("@5VRWorking", values[6].toBool())};
    if (zamo80Columns)
        params << BooleanParam("@Zamo80LidClosed", values[7].toBool()) << DoubleParam("@Zamo8030kPeak", number(8));
    else
        params << BooleanParam("@200vOnWorking", values[7].toBool()) << BooleanParam("@200vOffWorking", values[8].toBool());
    params << TextParam("@FirmwareVersion", 50, values[9].toString());
    db->execute(QStringLiteral("INSERT INTO UnitMasterDiagnostics (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(columns.join(QStringLiteral(", "))),
                params);
    return NewKey(*db);
}

} // namespace modDatabase
