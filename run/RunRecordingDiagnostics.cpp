#include "results/RunRecordWriters.h"
#include "run/RunRecording.h"

#include <QVariant>
#include <QVector>

namespace run {

void RunRecording::recordUnitDiagnostics(int unitValue, qint32 groupID, const QStringList& diagnostics, bool newModel)
{
    if (unitValue != 1 && unitValue != 2)
        return;
    QVector<QVariant> values;
    for (const QString& value : diagnostics)
        values << value;
    const QString unit = QStringLiteral("Unit #") + QString::number(unitValue);
    if (values.size() != 10) {
        log(QStringLiteral("* Unable to record the diagnostics of ") + unit
            + QStringLiteral(": the unit is not connected"));
        return;
    }
    write(QStringLiteral("the diagnostics of ") + unit,
          [&] { results::recordUnitDiagnostics(m_database, static_cast<qint16>(unitValue), groupID, values, newModel); });
}

} // namespace run
