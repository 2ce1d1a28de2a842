#include "support/FixtureGroupWriter.h"

#include <QStringList>

using platform::DbParameter;
using platform::DbType;

namespace testsupport {

qint64 FixtureGroupWriter::insert(const QString& sql, const QList<platform::DbParameter>& params)
{
    m_db.execute(sql, params);
    return m_db.lastInsertKey();
}

void FixtureGroupWriter::insertRow(const QString& table, const QStringList& columns,
                                   const QList<platform::DbParameter>& params)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << "?";
    insert("INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")", params);
}

qint64 FixtureGroupWriter::group(const Group& g)
{
    const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    return insert(
        "INSERT INTO TestGroups (UniqueGroupID, LotNumber, LotNumberSortField, Notes, DateExecuted, DateCompleted, "
        "Cancelled, Completed, Zamo80, Zamo24, DemoMode, SoftwareVersion, WindowsUserName, ComputerName, "
        "TestLimitString, TestWarningString) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {{"u", platform::DbType::Integer, 0, g.uniqueGroupID},
         {"lot", platform::DbType::LongVarChar, -1, g.lot},
         {"sort", platform::DbType::VarChar, 250, g.lot.left(250)},
         {"notes", platform::DbType::LongVarChar, -1, g.notes},
         {"exe", platform::DbType::Date, 0, g.executed},
         {"done", platform::DbType::Date, 0, g.completed.isValid() ? g.completed : zero},
         {"cancelled", platform::DbType::Boolean, 0, g.cancelled},
         {"completed", platform::DbType::Boolean, 0, g.completed.isValid()},
         {"z80", platform::DbType::Boolean, 0, g.zamo80},
         {"z24", platform::DbType::Boolean, 0, false},
         {"demo", platform::DbType::Boolean, 0, false},
         {"sw", platform::DbType::VarChar, 250, "1.0.0"},
         {"user", platform::DbType::VarChar, 250, "operator"},
         {"pc", platform::DbType::VarChar, 250, "BENCH-01"},
         {"lim", platform::DbType::VarChar, 250, "DCO 100 mV, ACZ 3000 Ohms"},
         {"warn", platform::DbType::VarChar, 250, "DCO 100 mV, ACZ 2000 Ohms"}});
}

void FixtureGroupWriter::linkCondensed(qint64 sourceGroupID, qint32 sourceUniqueGroupID, qint64 condensedGroupID)
{
    m_db.execute("UPDATE TestGroups SET Zamo80CondensedID = ? WHERE GroupID = ?",
                 {platform::DbParameter::fromValue(condensedGroupID), platform::DbParameter::fromValue(sourceGroupID)});
    m_db.execute(
        "UPDATE TestGroups SET Zamo80CondensedID = ? WHERE GroupID = ?",
        {platform::DbParameter::fromValue(sourceUniqueGroupID), platform::DbParameter::fromValue(condensedGroupID)});
}

void FixtureGroupWriter::electrodes(qint64 groupID, int unit, const QString& letters, const QDateTime& calibrated)
{
    QStringList columns{"GroupID", "UnitNumber"};
    QList<platform::DbParameter> params{platform::DbParameter::fromValue(groupID),
                                        platform::DbParameter::fromValue(unit)};
    for (QChar l : letters) {
        columns << QString(l) + "_SerialNumber" << QString(l) + "_FirmwareVersion" << QString(l) + "_LotNumber"
                << QString(l) + "_CalibrationDate";
        params << platform::DbParameter::fromValue(QString("S%1%2").arg(l).arg(unit))
               << platform::DbParameter::fromValue(QString("F1.2"))
               << platform::DbParameter::fromValue(QString("L-%1").arg(l))
               << platform::DbParameter{"cal", platform::DbType::Date, 0, calibrated};
    }
    insertRow("UnitElectrodes", columns, params);
}

void FixtureGroupWriter::diagnostics(qint64 groupID, int unit, bool zamo80Columns)
{
    const QList<platform::DbParameter> keys{platform::DbParameter::fromValue(groupID),
                                            platform::DbParameter::fromValue(unit)};
    if (zamo80Columns)
        insert("INSERT INTO UnitMasterDiagnostics (GroupID, UnitNumber, \"10HzPeak\", Temperature, Vcc, \"5VPos\", "
               "\"5VNeg\", \"5VRWorking\", Zamo80LidClosed, Zamo8030kPeak, FirmwareVersion) "
               "VALUES (?, ?, 1.25, 0, 3.3, 5.01, -4.99, ?, ?, 0.5, 'U8.1')",
               keys
                   + QList<platform::DbParameter>{{"a", platform::DbType::Boolean, 0, true},
                                                  {"b", platform::DbType::Boolean, 0, true}});
    else
        insert("INSERT INTO UnitMasterDiagnostics (GroupID, UnitNumber, \"10HzPeak\", Temperature, Vcc, \"5VPos\", "
               "\"5VNeg\", \"5VRWorking\", \"200vOnWorking\", \"200vOffWorking\", FirmwareVersion) "
               "VALUES (?, ?, 1.25, 31.5, 3.3, 5.01, -4.99, ?, ?, ?, 'U2.1')",
               keys
                   + QList<platform::DbParameter>{{"a", platform::DbType::Boolean, 0, true},
                                                  {"b", platform::DbType::Boolean, 0, true},
                                                  {"c", platform::DbType::Boolean, 0, false}});
}

void FixtureGroupWriter::paceProperties(qint64 groupID, int unit, QChar letter, double amplitude, const QString& roll)
{
    const QString l(letter);
    insert(QString("INSERT INTO Zamo24PaceProperties (GroupID, UnitNumber, %1_PaceAmplitude, %1_PaceRate, "
                   "%1_PacePulseWidth, %1_PaceRoll) VALUES (?, ?, ?, 70, 2, ?)")
               .arg(l),
           {platform::DbParameter::fromValue(groupID), platform::DbParameter::fromValue(unit),
            platform::DbParameter::fromValue(amplitude), platform::DbParameter::fromValue(roll)});
}

qint64 FixtureGroupWriter::test(qint64 groupID, const QString& typeName, const QDateTime& start, qint64 parentTestID,
                                bool showOnReport)
{
    const qint64 typeID =
        m_db.execute("SELECT TypeID FROM TestTypes WHERE TypeName = ?", {platform::DbParameter::fromValue(typeName)})
            .value(0)
            .toLongLong();
    return insert("INSERT INTO Tests (GroupID, TestTypeID, TestStartTime, Zamo80ParentTestID, ShowOnReport) "
                  "VALUES (?, ?, ?, ?, ?)",
                  {platform::DbParameter::fromValue(groupID),
                   platform::DbParameter::fromValue(typeID),
                   {"t", platform::DbType::Date, 0, start},
                   platform::DbParameter::fromValue(parentTestID),
                   {"show", platform::DbType::Boolean, 0, showOnReport}});
}

qint64 FixtureGroupWriter::testUnit(qint64 testID, int unit, int iteration)
{
    return insert("INSERT INTO TestUnit (TestID, UnitNumber, Itteration) VALUES (?, ?, ?)",
                  {platform::DbParameter::fromValue(testID), platform::DbParameter::fromValue(unit),
                   platform::DbParameter::fromValue(iteration)});
}

void FixtureGroupWriter::measurement(qint64 testUnitID, const QString& interval, int seconds,
                                     const QMap<QChar, double>& values)
{
    QStringList columns{"TestUnitID", "TimeInterval", "TimeIntervalInt"};
    QList<platform::DbParameter> params{platform::DbParameter::fromValue(testUnitID),
                                        platform::DbParameter::fromValue(interval),
                                        platform::DbParameter::fromValue(seconds)};
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << QString(it.key()) + "_Value";
        params << platform::DbParameter::fromValue(it.value());
    }
    insertRow("TestMeasurements", columns, params);
}

void FixtureGroupWriter::results(qint64 testUnitID, const QMap<QChar, QString>& verdicts)
{
    QStringList columns{"TestUnitID"};
    QList<platform::DbParameter> params{platform::DbParameter::fromValue(testUnitID)};
    for (auto it = verdicts.cbegin(); it != verdicts.cend(); ++it) {
        columns << QString(it.key()) + "_Result";
        params << platform::DbParameter::fromValue(it.value());
    }
    insertRow("TestResults", columns, params);
}

} // namespace testsupport
