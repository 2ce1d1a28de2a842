#pragma once
// The rows of one reading of a run, written together: the measurement rows
// (the readings of one test unit at one time point, a value column per
// electrode letter) and the result rows (the verdicts of one test unit, a
// verdict column per letter). Each row is a new one or the existing row of
// its key; all are written in one transaction, with as few exchanges with a
// server as it allows (one), so that a reading of every electrode costs one
// commit and not one per value.

#include "platform/DbConnection.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

// One measurement or result row to write, with its letters' values.
namespace results {

struct ReadingRow {
    enum class Kind { Measurement, Result };
    Kind kind = Kind::Measurement;
    qint32 key = 0;             // the row to fill; 0: a new row
    qint32 testUnitID = 0;      // a new row's test unit
    QString timeInterval;       // a new measurement row's time point, as text
    qint32 intervalSeconds = 0; // and in whole seconds
    // Letter "A".."P" and its value: a Double for a measurement row, the
    // verdict text (at most 10 characters) for a result row. A letter
    // written twice keeps its last value.
    QList<std::pair<QString, QVariant>> values;

    void set(const QString& letter, const QVariant& value);
};

// Writes the rows on the connection, all or none, and gives the key of each
// row in order. A new row without its test unit (testUnitID 0) belongs to no
// run: it is not written, its key is 0, and it is logged. Throws
// platform::DbError when a letter is not "A".."P", a text does not fit its
// column, a row to fill no longer exists, or a statement fails. Writes no
// other log line.
QList<qint32> recordReadingRows(platform::DbConnection& connection, const QList<ReadingRow>& rows);

// The log lines of the writers for one stored value:
// "Measurement recorded, ID = <key>: Electrode <letter>, <value>" and
// "Result recorded, ID = <key>: Electrode <letter>, <result>".
QString measurementRecordedLine(qint32 key, const QString& letter, double value);
QString resultRecordedLine(qint32 key, const QString& letter, const QString& result);

} // namespace results
