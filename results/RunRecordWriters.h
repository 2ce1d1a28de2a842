#pragma once
// The records of a run below its test group: one Tests row per test step, a
// TestUnit row per unit in it, the readings (TestMeasurements), the verdicts
// (TestResults), the ZAMO2-4 pace settings and the unit diagnostics. Each
// writer takes the key of the row it should fill (0: none yet) and returns
// the key of the row it filled or created, so that the readings of one unit
// at one time point share one row and the verdicts of one test unit share
// one row.
//
// With no connection a writer writes nothing and returns 0; so does a writer
// given no key of the row's owner (a test without its group, a reading
// without its test unit), and it logs the row it refused. A failing
// statement, or a letter other than "A".."P", throws platform::DbError.

#include <QString>
#include <QVariant>
#include <QVector>

// The Tests row of a step; startTime "" stamps the present time, any other
// text must be a date. An unknown type name stores TestTypeID 0.
// Logs "Test Started, ID = <key>".
namespace results {

class ResultsDatabase;

qint32 recordTestStart(ResultsDatabase& database, qint32 groupID, const QString& typeName, qint32 parentTestID,
                       const QString& startTime, bool showOnReport);
// Logs "Test By Unit Started, ID = <key>".
qint32 recordTestUnitStart(ResultsDatabase& database, qint32 testID, qint16 unitNumber, qint32 iteration);
// Fills the letter's value of the row measurementID when that row holds the
// same time interval; otherwise creates a row for testUnitID with the
// interval (text and whole seconds). Logs "Measurement recorded, ID = ...".
qint32 recordMeasurement(ResultsDatabase& database, qint32 measurementID, qint32 testUnitID,
                         const QString& timeInterval, const QString& letter, double value, qint32 intervalSeconds);
// Fills the letter's verdict of the row resultID when it exists; otherwise
// creates a row for testUnitID. Logs "Result recorded, ID = ...".
qint32 recordResult(ResultsDatabase& database, qint32 resultID, qint32 testUnitID, const QString& letter,
                    const QString& result);
// One row per group and unit collects the pace settings of all letters; the
// new row's key, or 0 after an update.
qint32 recordPaceProperties(ResultsDatabase& database, qint32 groupID, qint32 unitNumber, const QString& letter,
                            const QString& rollText, double paceAmplitude, double paceRate, double pulseWidth);
// values[1..9]: 10 Hz peak, temperature, Vcc, +5 V, -5 V (numbers), 5 V
// reference working (on/off), then lid closed and 30 kHz peak (ZAMO80
// columns) or 200 V on and off working, then the firmware text. Writes
// nothing and returns 0 unless values has exactly ten entries.
qint32 recordUnitDiagnostics(ResultsDatabase& database, qint16 unitNumber, qint32 groupID,
                             const QVector<QVariant>& values, bool zamo80Columns);

} // namespace results
