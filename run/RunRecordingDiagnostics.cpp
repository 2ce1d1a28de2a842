#include "results/RunRecordWriters.h"
#include "run/RunRecording.h"

#include <QVariant>
#include <QVector>

namespace run {

void RunRecording::recordUnitDiagnostics(UnitIndex unit, qint32 groupID, const QStringList& diagnostics, bool newModel)
{
    QVector<QVariant> values;
    for (const QString& value : diagnostics)
        values << value;
    const QString unitName = QStringLiteral("Unit #") + QString::number(unit.number());
    if (values.size() != 10) {
        log(QStringLiteral("* Unable to record the diagnostics of ") + unitName
            + QStringLiteral(": the unit is not connected"));
        return;
    }
    write(QStringLiteral("the diagnostics of ") + unitName, [&] {
        results::recordUnitDiagnostics(m_database, static_cast<qint16>(unit.number()), groupID, values, newModel);
    });
}

} // namespace run
