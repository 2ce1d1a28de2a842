#include "results/ReadingRows.h"

#include "platform/Convert.h"
#include "results/WriterSupport.h"

namespace results {

using platform::DbParameter;

namespace {

// "Measurement of Electrodes A, B" or "Result of Electrode A, ERR".
QString refusedRowName(const ReadingRow& row)
{
    const bool measurement = row.kind == ReadingRow::Kind::Measurement;
    QStringList parts;
    for (const auto& [letter, value] : row.values)
        parts << (measurement ? letter : letter + QStringLiteral(", ") + value.toString());
    return (measurement ? QStringLiteral("Measurement of Electrode ") : QStringLiteral("Result of Electrode "))
           + parts.join(QStringLiteral("; "));
}

} // namespace

void ReadingRow::set(const QString& letter, const QVariant& value)
{
    for (auto& [l, v] : values)
        if (l == letter) {
            v = value;
            return;
        }
    values.append({letter, value});
}

QList<qint32> recordReadingRows(platform::DbConnection& connection, const QList<ReadingRow>& rows)
{
    QList<platform::DbRowWrite> writes;
    QList<bool> owned;
    for (const ReadingRow& row : rows) {
        const bool measurement = row.kind == ReadingRow::Kind::Measurement;
        owned << (row.key != 0 || hasOwner(row.testUnitID, refusedRowName(row), QStringLiteral("test unit")));
        if (!owned.last())
            continue;
        platform::DbRowWrite write;
        write.table = measurement ? QStringLiteral("TestMeasurements") : QStringLiteral("TestResults");
        write.keyColumn = measurement ? QStringLiteral("MeasurementID") : QStringLiteral("ResultID");
        write.key = row.key;
        if (row.key == 0) {
            write.values.append({QStringLiteral("TestUnitID"), integerParam("@TestUnitID", row.testUnitID)});
            if (measurement) {
                write.values.append({QStringLiteral("TimeInterval"), textParam("@TimeInterval", 50, row.timeInterval)});
                write.values.append(
                    {QStringLiteral("TimeIntervalInt"), integerParam("@TimeIntervalInt", row.intervalSeconds)});
            }
        }
        for (const auto& [letter, value] : row.values) {
            const QString l = electrodeColumnLetter(letter);
            if (measurement)
                write.values.append({l + QStringLiteral("_Value"), doubleParam("@Value", value.toDouble())});
            else
                write.values.append({l + QStringLiteral("_Result"), textParam("@Result", 10, value.toString())});
        }
        writes << write;
    }
    const QList<qint64> written = connection.writeRows(writes);
    QList<qint32> keys;
    auto next = written.cbegin();
    for (bool rowOwned : owned)
        keys << (rowOwned ? static_cast<qint32>(*next++) : 0);
    return keys;
}

QString measurementRecordedLine(qint32 key, const QString& letter, double value)
{
    return QStringLiteral("Measurement recorded, ID = ") + QString::number(key) + QStringLiteral(": Electrode ")
           + letter + QStringLiteral(", ") + platform::Convert::fromDouble(value);
}

QString resultRecordedLine(qint32 key, const QString& letter, const QString& result)
{
    return QStringLiteral("Result recorded, ID = ") + QString::number(key) + QStringLiteral(": Electrode ") + letter
           + QStringLiteral(", ") + result;
}

} // namespace results
