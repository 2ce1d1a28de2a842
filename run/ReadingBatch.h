#pragma once
// The readings and verdicts of a run that wait to be written together: what
// the result handlers record during one turn of the event loop becomes one
// write of rows (results::recordReadingRows), one commit for a reading
// of every electrode instead of one per value.
//
// Values join rows as they would have joined them written one after the
// other: a reading goes into the row its slot names while that row holds
// the same time interval, else into a new row, which the slot then names;
// a verdict goes into the row its slot names, else into a new row. A slot is
// where the run keeps a row's key between writes (a unit's measurement row,
// one of its four SDR rows, its result row). Each value belongs to a record
// of the operator log: its subject names it in a failure line, its lines
// say it was stored.

#include "results/ReadingRows.h"
#include "run/UnitIndex.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace run {

class ReadingBatch {
public:
    struct Slot {
        enum class Kind { Measurement, SDRPoint, Result };
        Kind kind = Kind::Measurement;
        UnitIndex unit = UnitIndex::first();
        int point = 0; // SDR points 1..4
        bool operator==(const Slot& other) const
        {
            return kind == other.kind && unit == other.unit && point == other.point;
        }
    };
    // The time interval of each measurement row stored so far, by key.
    using StoredIntervals = QHash<qint32, QString>;

    // One value of a record; the record's other values, lines and subject
    // follow the same call of startRecord.
    struct Part {
        int row;
        QString letter;
        QVariant value;
    };
    struct Record {
        QString subject;   // "the measurement of B1"
        QStringList lines; // "Measurement recorded for B1 ..."
        bool inhibitDisplay = false;
        QList<Part> parts;
    };
    // A slot that the batch used: the key it held at the first use, and the
    // row of the batch it names now.
    struct SlotUse {
        Slot slot;
        qint32 startKey = 0;
        int row = -1;
    };

    void startRecord(const QString& subject, bool inhibitDisplay);
    void addLine(const QString& line);
    // storedKey: the key the slot holds in the run's keys (0: none).
    void addMeasurement(const Slot& slot, qint32 storedKey, const StoredIntervals& stored, qint32 testUnitID,
                        const QString& interval, qint32 intervalSeconds, const QString& letter, double value);
    void addResult(const Slot& slot, qint32 storedKey, qint32 testUnitID, const QString& letter, const QString& result);

    bool isEmpty() const { return m_records.isEmpty(); }
    const QList<results::ReadingRow>& rows() const { return m_rows; }
    const QList<Record>& records() const { return m_records; }
    const QList<SlotUse>& slotUses() const { return m_slots; }

private:
    SlotUse& use(const Slot& slot, qint32 storedKey);
    int rowToFill(results::ReadingRow::Kind kind, qint32 key, const QString& interval);
    int newRow(results::ReadingRow::Kind kind, qint32 testUnitID, const QString& interval, qint32 seconds);
    void add(SlotUse& use, int row, const QString& letter, const QVariant& value);

    QList<results::ReadingRow> m_rows;
    QList<Record> m_records;
    QList<SlotUse> m_slots;
};

} // namespace run
