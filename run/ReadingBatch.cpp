#include "run/ReadingBatch.h"

namespace run {

using results::ReadingRow;

void ReadingBatch::startRecord(const QString& subject, bool inhibitDisplay)
{
    m_records.append(Record{subject, {}, inhibitDisplay, {}});
}

void ReadingBatch::addLine(const QString& line)
{
    m_records.last().lines << line;
}

ReadingBatch::SlotUse& ReadingBatch::use(const Slot& slot, qint32 storedKey)
{
    for (SlotUse& u : m_slots)
        if (u.slot == slot)
            return u;
    m_slots.append(SlotUse{slot, storedKey, -1});
    return m_slots.last();
}

int ReadingBatch::rowToFill(results::ReadingRow::Kind kind, qint32 key, const QString& interval)
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].kind == kind && m_rows[i].key == key)
            return i;
    results::ReadingRow row;
    row.kind = kind;
    row.key = key;
    row.timeInterval = interval;
    m_rows << row;
    return static_cast<int>(m_rows.size()) - 1;
}

int ReadingBatch::newRow(results::ReadingRow::Kind kind, qint32 testUnitID, const QString& interval, qint32 seconds)
{
    results::ReadingRow row;
    row.kind = kind;
    row.testUnitID = testUnitID;
    row.timeInterval = interval;
    row.intervalSeconds = seconds;
    m_rows << row;
    return static_cast<int>(m_rows.size()) - 1;
}

void ReadingBatch::add(SlotUse& use, int row, const QString& letter, const QVariant& value)
{
    m_rows[row].set(letter, value);
    use.row = row;
    m_records.last().parts << Part{row, letter, value};
}

void ReadingBatch::addMeasurement(const Slot& slot, qint32 storedKey, const StoredIntervals& stored, qint32 testUnitID,
                                  const QString& interval, qint32 intervalSeconds, const QString& letter, double value)
{
    SlotUse& u = use(slot, storedKey);
    int row = -1;
    if (u.row >= 0) {
        if (m_rows[u.row].timeInterval == interval)
            row = u.row;
    } else if (storedKey != 0 && stored.contains(storedKey) && stored.value(storedKey) == interval) {
        row = rowToFill(results::ReadingRow::Kind::Measurement, storedKey, interval);
    }
    if (row < 0)
        row = newRow(results::ReadingRow::Kind::Measurement, testUnitID, interval, intervalSeconds);
    add(u, row, letter, value);
}

void ReadingBatch::addResult(const Slot& slot, qint32 storedKey, qint32 testUnitID, const QString& letter,
                             const QString& result)
{
    SlotUse& u = use(slot, storedKey);
    int row = u.row;
    if (row < 0)
        row = storedKey != 0 ? rowToFill(results::ReadingRow::Kind::Result, storedKey, QString())
                             : newRow(results::ReadingRow::Kind::Result, testUnitID, QString(), 0);
    add(u, row, letter, result);
}

} // namespace run
